#include "emplacements.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace {

// The layout of an install: the program in a "bin" folder with "../share/navelo" beside it.
QString DossierPartagé(const QString& dossierProgramme) {
    const QDir programme(dossierProgramme);
    if (programme.dirName() != u"bin"_s)
        return {};
    const QString partagé = QDir::cleanPath(programme.filePath(u"../share/navelo"_s));
    return QFileInfo(partagé).isDir() ? partagé : QString();
}

// Permission bits say nothing of a read-only mount, nor of what root may do: try it.
bool PeutÉcrire(const QString& dossier) {
    QTemporaryFile essai(QDir(dossier).filePath(u"navelo-XXXXXX"_s));
    return essai.open();
}

} // namespace

EmplacementsNavelo DétermineEmplacements(const QString& dossierProgramme,
                                         const QString& dossierUtilisateur) {
    EmplacementsNavelo emplacements;
    const QString partagé = DossierPartagé(dossierProgramme);
    emplacements.dossiersLogos.append(QDir(dossierProgramme).filePath(u"logos"_s));
    if (partagé.isEmpty() && PeutÉcrire(dossierProgramme)) {
        emplacements.dossierParamètres = dossierProgramme;
        return emplacements;
    }
    QDir().mkpath(dossierUtilisateur);
    emplacements.dossierParamètres = dossierUtilisateur;
    if (!partagé.isEmpty())
        emplacements.dossiersLogos.append(QDir(partagé).filePath(u"logos"_s));
    return emplacements;
}
