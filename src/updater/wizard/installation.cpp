#include "installation.h"

#include "fichiers.h"
#include "texte.h"

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

namespace {

QString Ligne(const LitTexte& texte, const QString& fichier, const QString& état) {
    return FormateTexte(
        texte(u"TXT_TRAITEMENT_DU_FICHIER"_s),
        {PremièreMajuscule(texte(u"TXT_TRAITEMENT_INSTALLATION"_s)), fichier, texte(état)});
}

// The tag's fields: marker, version shown, version in file names.
QStringList Champs(const QString& tag) {
    QStringList champs = tag.split(u'|');
    while (champs.size() < 3)
        champs.append(QString());
    return champs;
}

QString AvecMarqueur(const QString& tag, const QString& marqueur) {
    const qsizetype barre = tag.indexOf(u'|');
    return marqueur + u'|' + (barre < 0 ? QString() : tag.mid(barre + 1));
}

QString NomInstallateur(const QString& texte, const QString& versionFichier) {
    const bool finitParChiffre = !texte.isEmpty() && texte.back() >= u'0' && texte.back() <= u'9';
    return texte + (finitParChiffre ? u"_"_s : QString()) + versionFichier + u"_setup.exe"_s;
}

} // namespace

void InstalleLogiciels(ListesInstallation& listes, const QString& dossier, bool supprimer,
                       const LitTexte& texte) {
    for (int logiciel = 0; logiciel < listes.NombreLogiciels(); ++logiciel) {
        const QString tag = listes.Tag(logiciel);
        const QStringList champs = Champs(tag);
        if (tag.isEmpty() || (champs[0] != u"TOK" && champs[0] != u"IKO"))
            continue;
        const QString nom = NomInstallateur(listes.Texte(logiciel), champs[2]);
        const QString chemin = AjouteAntiSlash(dossier) + nom;

        listes.AjouteLigne(Ligne(texte, nom, u"TXT_STATUT_EN_COURS"_s));
        if (ExécuteEtAttend(chemin, dossier)) {
            listes.ChangeDernièreLigne(Ligne(texte, nom, u"TXT_STATUT_OK"_s));
            listes.ChangeStatut(logiciel, champs[1] + u' ' + texte(u"TXT_STATUT_INSTALLEE"_s));
            listes.ChangeTag(logiciel, AvecMarqueur(tag, u"IOK"_s));
            if (supprimer)
                QFile::remove(chemin);
        } else {
            listes.ChangeDernièreLigne(Ligne(texte, nom, u"TXT_STATUT_ERREUR"_s));
            listes.ChangeStatut(logiciel,
                                champs[1] + u' ' +
                                    FormateTexte(texte(u"TXT_STATUT_ERREUR"_s) + u" (%v)"_s,
                                                 {texte(u"TXT_TRAITEMENT_INSTALLATION"_s)}));
            listes.ChangeTag(logiciel, AvecMarqueur(tag, u"IKO"_s));
        }
    }
}
