#pragma once

#include <QString>

// Attribute bits of FichierExiste, as the platform's directory listing knows them.
enum AttributFichier : quint32 {
    AttributNormal = 0,
    AttributLectureSeule = 1,
    AttributCaché = 2,
    AttributSystème = 4,
    AttributDossier = 16,
};

// The path with a folder separator at its end. Both "/" and "\" count as one already.
QString AjouteAntiSlash(const QString& chemin);

// True when at least one entry matches the path, whose file name may hold wildcards.
// Ordinary files always count; folders and hidden entries only with their bit set.
bool FichierExiste(const QString& cheminOuMotif, quint32 attributs = AttributNormal);
