#include "vues_fenetre.h"

#include "elements_logiciels.h"
#include "updates/liste_logiciels.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalBlocker>

#include <algorithm>
#include <limits>

LogicielDeLaListe LogicielDeLÉlément(const frmKorvaneUpdate& fenêtre, int logiciel) {
    const QTreeWidgetItem* élément = fenêtre.lvwLogicielsInstallés->topLevelItem(logiciel);
    return {élément->text(fenêtre.ColonneNom), TagÉlément(élément),
            élément->checkState(0) == Qt::Checked, InstallateurÉlément(élément)};
}

void ChangeÉlément(frmKorvaneUpdate& fenêtre, int logiciel, const LogicielDeLaListe& état,
                   const QString& statut) {
    // Checks set here are no user's click.
    const QSignalBlocker silence(fenêtre.lvwLogicielsInstallés);
    QTreeWidgetItem* élément = fenêtre.lvwLogicielsInstallés->topLevelItem(logiciel);
    élément->setText(fenêtre.ColonneStatut, statut);
    DéfinitTagÉlément(élément, état.tag);
    DéfinitInstallateurÉlément(élément, état.installateur);
    élément->setCheckState(0, état.coché ? Qt::Checked : Qt::Unchecked);
}

void VueRechercheFenêtre::MontreTexte(const QString& texte) {
    fenêtre.lblEtape1->setText(texte);
    fenêtre.lblEtape1->show();
}

void VueRechercheFenêtre::MontreAttente(bool attente) {
    if (attente) {
        fenêtre.tmrAttente.start();
        fenêtre.imgAttente->show();
        CurseurOccupé();
    } else {
        fenêtre.tmrAttente.stop();
        fenêtre.imgAttente->hide();
        CurseurNormal();
    }
}

void VueRechercheFenêtre::RemplitListe(const ListeLogiciels& liste) {
    QTreeWidget* lvw = fenêtre.lvwLogicielsInstallés;
    // Checks set here are no user's click.
    const QSignalBlocker silence(lvw);
    lvw->clear();
    for (const LigneLogiciel& ligne : liste.lignes) {
        auto* élément = new QTreeWidgetItem(lvw);
        élément->setText(fenêtre.ColonneNom, ligne.nom);
        élément->setText(fenêtre.ColonneVersion, ligne.versionInstallée);
        élément->setText(fenêtre.ColonneStatut, ligne.statut);
        élément->setFlags(élément->flags() | Qt::ItemIsUserCheckable);
        élément->setCheckState(0, ligne.cochée ? Qt::Checked : Qt::Unchecked);
        if (ligne.grisée)
            GriseÉlément(élément);
        else
            DéfinitTagÉlément(élément, ligne.tag);
    }
    // The status and the version show whole; the name takes the room they leave, at least
    // its title's, and the status, last, whatever remains.
    lvw->resizeColumnToContents(fenêtre.ColonneVersion);
    const QAbstractItemView* vue = lvw;
    const int place = frmKorvaneUpdate::TaillePanneau.width() - 2 * lvw->frameWidth() -
                      lvw->columnWidth(fenêtre.ColonneVersion) -
                      vue->sizeHintForColumn(fenêtre.ColonneStatut);
    lvw->setColumnWidth(fenêtre.ColonneNom,
                        std::max(lvw->header()->sectionSizeHint(fenêtre.ColonneNom),
                                 std::min(vue->sizeHintForColumn(fenêtre.ColonneNom), place)));
}

void VueTéléchargementsFenêtre::AjouteLigne(const QString& ligne) {
    fenêtre.lstTéléchargements->addItem(ligne);
    fenêtre.lstTéléchargements->setCurrentRow(fenêtre.lstTéléchargements->count() - 1);
    QCoreApplication::processEvents();
}

void VueTéléchargementsFenêtre::ChangeDernièreLigne(const QString& ligne) {
    if (QListWidgetItem* dernière =
            fenêtre.lstTéléchargements->item(fenêtre.lstTéléchargements->count() - 1))
        dernière->setText(ligne);
}

void VueTéléchargementsFenêtre::Prépare() {
    octetsParPas = 1;
    fenêtre.pgbDownload->setMaximum(20000);
    fenêtre.pgbDownload->setValue(0);
    fenêtre.pgbDownload->show();
    fenêtre.lblReste->clear();
    fenêtre.lblReste->show();
}

void VueTéléchargementsFenêtre::Commence(const QString& ligne, qint64 total) {
    ChangeDernièreLigne(ligne);
    octetsParPas = total / std::numeric_limits<int>::max() + 1;
    fenêtre.pgbDownload->setMaximum(static_cast<int>(qMax<qint64>(1, total / octetsParPas)));
    fenêtre.pgbDownload->setValue(0);
}

void VueTéléchargementsFenêtre::Avance(qint64 faits, const QString& texte) {
    fenêtre.pgbDownload->setValue(static_cast<int>(faits / octetsParPas));
    fenêtre.lblReste->setText(texte);
}

void VueTéléchargementsFenêtre::CacheProgression() {
    fenêtre.pgbDownload->hide();
    fenêtre.lblReste->hide();
}

void VueInstallationsFenêtre::AjouteLigne(const QString& ligne) {
    fenêtre.lstInstallations->addItem(ligne);
    ligneEnCours = fenêtre.lstInstallations->count() - 1;
    fenêtre.lstInstallations->scrollToBottom();
    QCoreApplication::processEvents();
}

// The line of the running installer, whatever a close added below it meanwhile.
void VueInstallationsFenêtre::ChangeDernièreLigne(const QString& ligne) {
    fenêtre.lstInstallations->item(ligneEnCours)->setText(ligne);
}
