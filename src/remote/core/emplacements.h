#pragma once

#include <QString>
#include <QStringList>

// Where Navelo keeps its files. Beside the program whenever that folder can be written
// (portable use); on a system-wide install, in the user's own data folder instead.
struct EmplacementsNavelo {
    QString dossierParamètres; // holds Navelo.ini and the channel cache
    QStringList dossiersLogos; // searched in order
};

EmplacementsNavelo DétermineEmplacements(const QString& dossierProgramme,
                                         const QString& dossierUtilisateur);
