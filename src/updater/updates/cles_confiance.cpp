#include "cles_confiance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

QStringList DossiersClés(const QString& dossierProgramme) {
    const QDir programme(dossierProgramme);
    QStringList dossiers{programme.filePath(u"keys"_s)};
    const QString partagé = QDir::cleanPath(programme.filePath(u"../share/renovo"_s));
    if (programme.dirName() == u"bin"_s && QFileInfo(partagé).isDir())
        dossiers.append(partagé + u"/keys"_s);
    return dossiers;
}

ClésDeConfiance ChargeClés(const QStringList& dossiers) {
    ClésDeConfiance confiance;
    for (const QString& dossier : dossiers) {
        const QFileInfoList fichiers = QDir(dossier).entryInfoList({u"*.pub"_s}, QDir::Files);
        for (const QFileInfo& fichier : fichiers) {
            confiance.exigées = true;
            QFile lu(fichier.filePath());
            // A key file is a few dozen bytes: a larger one is not read whole.
            if (!lu.open(QIODevice::ReadOnly))
                continue;
            if (const auto clé = LitCléPublique(lu.read(4096)))
                confiance.clés.append(*clé);
        }
    }
    return confiance;
}

ClésDeConfiance ClésDuProgramme(const QString& dossierProgramme) {
    return ChargeClés(DossiersClés(
        dossierProgramme.isEmpty() ? QCoreApplication::applicationDirPath() : dossierProgramme));
}
