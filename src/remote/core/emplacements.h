#pragma once

#include "parametres.h"

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

// Those of this program, the user's folder being ~/.local/share/Navelo on Linux.
EmplacementsNavelo EmplacementsProgramme();

// Where `p` reads and writes its settings and channel cache: in `dossierImposé` when one is
// given (tests), else where `emplacements` say.
void SitueParamètres(ParamètresNavelo& p, const EmplacementsNavelo& emplacements,
                     const QString& dossierImposé);
