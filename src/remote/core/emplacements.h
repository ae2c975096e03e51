#pragma once

#include <QString>
#include <QStringList>

// Where Navelo keeps its files. Beside the program whenever its settings can be written
// there (portable use); on a system-wide install or in a folder that cannot be written, in
// the user's own data folder instead. Logos come from the user's folder first, so that a
// user can add some without being root.
struct EmplacementsNavelo {
    QString dossierParamètres; // holds Navelo.ini and the channel cache
    QStringList dossiersLogos; // searched in order
    // A Navelo.ini beside a program whose settings go to the user's folder: read until the
    // user's own exists.
    QString fichierIniProgramme;
};

EmplacementsNavelo DétermineEmplacements(const QString& dossierProgramme,
                                         const QString& dossierUtilisateur);
