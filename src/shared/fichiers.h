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

// The path with a folder separator at its end: "/" is added unless the path already ends
// with "/" or "\" (so a drive root such as "C:\" is kept). An empty path gives "/", the
// root, as the original gave "\".
QString AjouteAntiSlash(const QString& chemin);

// True when at least one entry matches the path, whose file name may hold the wildcards "*"
// and "?" ("*.*" also matches a name without a dot; a path ending with a separator lists
// the folder). Both "/" and "\" separate folders. Ordinary files always count, read-only
// ones too; folders (with "." and "..") and hidden entries only with their bit set. Names
// compare as the file system does. Any error gives false.
bool FichierExiste(const QString& cheminOuMotif, quint32 attributs = AttributNormal);
