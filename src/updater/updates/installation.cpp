#include "installation.h"

#include "execution_verifiee.h"
#include "liste_logiciels.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

using namespace Qt::StringLiterals;

bool ExécuteEtAttend(const QString& chemin, const QString& dossier) {
    // Absolute, so that a relative download folder is not applied twice.
    const QString programme = QFileInfo(chemin).absoluteFilePath();
    QFile fichier(programme);
    if (fichier.exists())
        fichier.setPermissions(fichier.permissions() | QFileDevice::ExeOwner);

    QProcess processus;
    processus.setProgram(programme);
    processus.setWorkingDirectory(QFileInfo(dossier).absoluteFilePath());
    // The installer talks to the user, not to us: nothing of its output piles up here.
    processus.setProcessChannelMode(QProcess::ForwardedChannels);
    processus.setInputChannelMode(QProcess::ForwardedInputChannel);
    processus.start();
    if (!processus.waitForStarted(-1))
        return false;

    QEventLoop boucle;
    QObject::connect(&processus, &QProcess::finished, &boucle, &QEventLoop::quit);
    if (processus.state() != QProcess::NotRunning)
        boucle.exec();
    // The loop also ends when the program is asked to quit; the installer is never cut short.
    if (processus.state() != QProcess::NotRunning)
        processus.waitForFinished(-1);
    return processus.exitStatus() == QProcess::NormalExit && processus.exitCode() == 0;
}

void InstalleLogiciels(ListesInstallation& listes, const QString& dossier, bool supprimer,
                       const ClésDeConfiance& clés, const QString& dossierPrivé,
                       const colTraductions& traductions) {
    const QString opération = u"TXT_TRAITEMENT_INSTALLATION"_s;
    for (int logiciel = 0; logiciel < listes.NombreLogiciels() && !listes.Arrêtée(); ++logiciel) {
        const QString tag = listes.Tag(logiciel);
        const QString marqueur = ChampTag(tag, 0);
        if (marqueur != Marqueur::Téléchargé && marqueur != Marqueur::ÉchecInstallation)
            continue;
        const QString nom = NomFichierInstallateur(RacineInstallateur(listes.Texte(logiciel), tag));
        const InstallateurTéléchargé installateur = listes.Installateur(logiciel);

        listes.AjouteLigne(LigneTraitement(opération, nom, u"TXT_STATUT_EN_COURS"_s, traductions));
        const IssueInstallation issue =
            ExécuteInstallateur(installateur, clés, dossierPrivé, dossier);
        if (issue == IssueInstallation::Réussie) {
            listes.ChangeDernièreLigne(
                LigneTraitement(opération, nom, u"TXT_STATUT_OK"_s, traductions));
            listes.ChangeStatut(logiciel, StatutInstallé(ChampTag(tag, 1), traductions));
            listes.ChangeTag(logiciel, RemplaceMarqueur(tag, Marqueur::Installé));
            if (supprimer)
                QFile::remove(installateur.chemin);
        } else {
            listes.ChangeDernièreLigne(
                LigneTraitement(opération, nom, u"TXT_STATUT_ERREUR"_s, traductions));
            const QString raison = issue == IssueInstallation::SignatureRefusée
                                       ? u"TXT_TRAITEMENT_SIGNATURE"_s
                                       : opération;
            listes.ChangeStatut(logiciel, StatutÉchec(ChampTag(tag, 1), raison, traductions));
            listes.ChangeTag(logiciel, RemplaceMarqueur(tag, Marqueur::ÉchecInstallation));
        }
    }
}
