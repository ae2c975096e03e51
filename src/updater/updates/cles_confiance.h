#pragma once

#include "signature.h"

#include <QList>
#include <QString>
#include <QStringList>

// The keys whose signatures installers must carry: the public key files "*.pub" in keys/
// beside the program, and in share/renovo/keys on an install.
struct ClésDeConfiance {
    QList<CléPublique> clés;
    // True as soon as a key file is there, even one that cannot be read: installers must then
    // be signed. With none, downloads are not checked.
    bool exigées = false;
};

QStringList DossiersClés(const QString& dossierProgramme);
ClésDeConfiance ChargeClés(const QStringList& dossiers);
// The keys of the program in `dossierProgramme`; empty: this program's folder.
ClésDeConfiance ClésDuProgramme(const QString& dossierProgramme);
