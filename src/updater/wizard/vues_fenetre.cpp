#include "vues_fenetre.h"

#include "elements_logiciels.h"
#include "frmKorvaneUpdate.h"
#include "updates/liste_logiciels.h"

#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <algorithm>

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

void VueRechercheFenêtre::MontreListe() {
    fenêtre.lvwLogicielsInstallés->show();
}

bool VueRechercheFenêtre::Déchargée() const {
    return fenêtre.Déchargée();
}

void VueRechercheFenêtre::Ferme() {
    fenêtre.close();
}
