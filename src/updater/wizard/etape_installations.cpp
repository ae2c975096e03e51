#include "elements_logiciels.h"
#include "frmKorvaneUpdate.h"
#include "updates/installation.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QTreeWidget>

namespace {

// The installation step's view of the window's two lists.
class ListesFenêtre : public ListesInstallation {
public:
    ListesFenêtre(frmKorvaneUpdate& fenêtre, const bool& arrêt)
        : fenêtre(fenêtre)
        , arrêt(arrêt) {}

    int NombreLogiciels() const override {
        return fenêtre.lvwLogicielsInstallés->topLevelItemCount();
    }
    QString Texte(int logiciel) const override {
        return Élément(logiciel)->text(fenêtre.ColonneNom);
    }
    QString Tag(int logiciel) const override { return TagÉlément(Élément(logiciel)); }
    InstallateurTéléchargé Installateur(int logiciel) const override {
        return InstallateurÉlément(Élément(logiciel));
    }
    void ChangeTag(int logiciel, const QString& tag) override {
        DéfinitTagÉlément(Élément(logiciel), tag);
    }
    void ChangeStatut(int logiciel, const QString& statut) override {
        Élément(logiciel)->setText(fenêtre.ColonneStatut, statut);
    }
    void AjouteLigne(const QString& ligne) override {
        fenêtre.lstInstallations->addItem(ligne);
        ligneEnCours = fenêtre.lstInstallations->count() - 1;
        fenêtre.lstInstallations->scrollToBottom();
        QCoreApplication::processEvents();
    }
    // The line of the running installer, whatever a close added below it meanwhile.
    void ChangeDernièreLigne(const QString& ligne) override {
        fenêtre.lstInstallations->item(ligneEnCours)->setText(ligne);
    }
    bool Arrêtée() const override { return arrêt; }

private:
    QTreeWidgetItem* Élément(int logiciel) const {
        return fenêtre.lvwLogicielsInstallés->topLevelItem(logiciel);
    }

    frmKorvaneUpdate& fenêtre;
    const bool& arrêt;
    int ligneEnCours = -1;
};

} // namespace

// The window stays out of the installers' way, minimised; its events keep running, and a
// close asked for meanwhile waits for the running installer.
void frmKorvaneUpdate::ÉtapeInstallations() {
    CurseurOccupé();
    setWindowState(windowState() | Qt::WindowMinimized);
    ListesFenêtre listes(*this, fermetureDemandée);
    installationEnCours = true;
    InstalleLogiciels(listes, paramètres.RépertoireTéléchargement,
                      chkSupprimerFichiersAprèsInstallation->checkState() == Qt::Checked,
                      ClésDuProgramme(options.dossierProgramme), paramètres.DossierParamètres,
                      traductions);
    installationEnCours = false;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    CurseurNormal();
    if (fermetureDemandée)
        close();
}
