// The wizard's downloads (step 3), and the progress it shows.
#include "boite_message.h"
#include "elements_logiciels.h"
#include "frmKorvaneUpdate.h"
#include "translation/traductions.h"
#include "updates/cles_confiance.h"
#include "updates/telechargement_signe.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

#include <limits>

using namespace Qt::StringLiterals;

void frmKorvaneUpdate::ÉtapeTéléchargements() {
    CurseurOccupé();
    lblEtape3b->hide();
    const auto texte = [this](const QString& clé) { return Traductions().Item(clé); };
    const QString opération = u"TXT_TRAITEMENT_TELECHARGEMENT"_s;
    const ClésDeConfiance clés = ClésDuProgramme(Options().dossierProgramme);
    for (int i = 0; i < lvwLogicielsInstallés->topLevelItemCount(); ++i) {
        QTreeWidgetItem* élément = lvwLogicielsInstallés->topLevelItem(i);
        if (élément->checkState(0) != Qt::Checked)
            continue;
        const QString tag = TagÉlément(élément);
        const QString racine = RacineInstallateur(élément->text(ColonneNom), tag);
        const QString fichier = NomFichierInstallateur(racine);
        lstTéléchargements->addItem(
            LigneTraitement(opération, fichier, u"TXT_STATUT_EN_ATTENTE"_s, Traductions()));
        lstTéléchargements->setCurrentRow(lstTéléchargements->count() - 1);
        QCoreApplication::processEvents();

        const TéléchargementInstallateur téléchargement = TéléchargeInstallateur(
            Paramètres(), AdresseInstallateur(Paramètres().AdresseServeur, racine),
            Paramètres().RépertoireTéléchargement, fichier, clés, *this, Traductions());
        const bool réussi = téléchargement.issue == IssueTéléchargement::Réussi;
        if (Déchargée())
            return;
        lstTéléchargements->item(lstTéléchargements->count() - 1)
            ->setText(LigneTraitement(opération, fichier,
                                      réussi ? u"TXT_STATUT_OK"_s : u"TXT_STATUT_ERREUR"_s,
                                      Traductions()));
        const QString version = ChampTag(tag, 1);
        {
            const QSignalBlocker silence(lvwLogicielsInstallés);
            if (réussi) {
                élément->setText(ColonneStatut, StatutTéléchargé(version, Traductions()));
                DéfinitTagÉlément(élément, RemplaceMarqueur(tag, Marqueur::Téléchargé));
                DéfinitInstallateurÉlément(élément, téléchargement.installateur);
                élément->setCheckState(0, Qt::Unchecked);
                TéléchargementRéussi = true;
            } else {
                QApplication::beep();
                const QString raison = téléchargement.issue == IssueTéléchargement::SignatureRefusée
                                           ? u"TXT_TRAITEMENT_SIGNATURE"_s
                                           : opération;
                élément->setText(ColonneStatut, StatutÉchec(version, raison, Traductions()));
                DéfinitTagÉlément(élément, RemplaceMarqueur(tag, Marqueur::ÉchecTéléchargement));
            }
        }
        pgbDownload->hide();
        lblReste->hide();
        QCoreApplication::processEvents();
        AttendsUneSeconde();
        if (Déchargée())
            return;
    }
    lstTéléchargements->setCurrentRow(-1);
    lblEtape3b->setText(TexteÀAfficher(texte(u"TXT_TELECHARGEMENT_EFFECTUE"_s)));
    lblEtape3b->setVisible(TéléchargementRéussi);
    CurseurNormal();
}

// The window keeps painting meanwhile; its buttons stay disabled.
void frmKorvaneUpdate::AttendsUneSeconde() {
    QEventLoop attente;
    QTimer::singleShot(1000, &attente, &QEventLoop::quit);
    attente.exec();
}

void frmKorvaneUpdate::Prépare() {
    octetsParPas = 1;
    pgbDownload->setMaximum(20000);
    pgbDownload->setValue(0);
    pgbDownload->show();
    lblReste->clear();
    lblReste->show();
}

void frmKorvaneUpdate::Commence(const QString& ligne, qint64 total) {
    if (QListWidgetItem* dernière = lstTéléchargements->item(lstTéléchargements->count() - 1))
        dernière->setText(ligne);
    octetsParPas = total / std::numeric_limits<int>::max() + 1;
    pgbDownload->setMaximum(static_cast<int>(qMax<qint64>(1, total / octetsParPas)));
    pgbDownload->setValue(0);
}

void frmKorvaneUpdate::Avance(qint64 faits, const QString& texte) {
    pgbDownload->setValue(static_cast<int>(faits / octetsParPas));
    lblReste->setText(texte);
}

bool frmKorvaneUpdate::Interrompu() const {
    return Déchargée();
}
