#include "emplacements.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

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

// Permission bits say nothing of a read-only mount, nor of what root may do: try it, as the
// settings are written, beside the file.
bool PeutÉcrire(const QString& fichier) {
    QSaveFile essai(fichier);
    const bool possible = essai.open(QIODevice::WriteOnly);
    essai.cancelWriting();
    return possible;
}

} // namespace

EmplacementsNavelo DétermineEmplacements(const QString& dossierProgramme,
                                         const QString& dossierUtilisateur) {
    EmplacementsNavelo emplacements;
    const QString partagé = DossierPartagé(dossierProgramme);
    emplacements.dossiersLogos = {QDir(dossierUtilisateur).filePath(u"logos"_s),
                                  QDir(dossierProgramme).filePath(u"logos"_s)};
    const QString iniProgramme = QDir(dossierProgramme).filePath(u"Navelo.ini"_s);
    if (partagé.isEmpty() && PeutÉcrire(iniProgramme)) {
        emplacements.dossierParamètres = dossierProgramme;
        return emplacements;
    }
    QDir().mkpath(dossierUtilisateur);
    emplacements.dossierParamètres = dossierUtilisateur;
    if (QFileInfo(iniProgramme).isReadable())
        emplacements.fichierIniProgramme = iniProgramme;
    if (!partagé.isEmpty())
        emplacements.dossiersLogos.append(QDir(partagé).filePath(u"logos"_s));
    return emplacements;
}

EmplacementsNavelo EmplacementsProgramme() {
    const QString utilisateur =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Navelo"_s;
    return DétermineEmplacements(QCoreApplication::applicationDirPath(), utilisateur);
}

void SitueParamètres(ParamètresNavelo& p, const EmplacementsNavelo& emplacements,
                     const QString& dossierImposé) {
    QString dossier = dossierImposé;
    if (dossier.isEmpty()) {
        dossier = emplacements.dossierParamètres;
        p.FichierIniProgramme = emplacements.fichierIniProgramme;
    }
    p.FichierIni = QDir(dossier).filePath(u"Navelo.ini"_s);
    p.FichierChaînes = QDir(dossier).filePath(u"channels"_s);
}
