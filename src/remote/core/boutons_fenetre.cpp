#include "frmNavelo.h"
#include "guide/frmClavier.h"
#include "guide/frmListeChaines.h"
#include "table_touches.h"
#include "zone_souris.h"

#include <QApplication>
#include <QCursor>
#include <QSystemTrayIcon>

// The four small window buttons: shown under the mouse, and what their clicks do.

void frmNavelo::tmrRéduireQuitter_Timer() {
    const bool v5 = paramètres.Version == 5;
    const QPoint curseur = QCursor::pos();
    QWidget* dessous = QApplication::widgetAt(curseur);
    const bool surFenêtre = dessous && dessous->window() == this &&
                            (mask().isEmpty() || mask().contains(mapFromGlobal(curseur)));
    const auto image = [&](ZoneSouris* pic, BoutonFenêtre quel, bool survolé) {
        pic->setImage(imagesBoutons[static_cast<size_t>(quel)][survolé ? 1 : 0]);
    };

    if (!surFenêtre) {
        picRéduire->hide();
        picQuitter->hide();
        if (v5) {
            picClavier->hide();
            picListeChaînes->hide();
        }
        return;
    }

    ZoneSouris* survolé = nullptr;
    for (ZoneSouris* pic : {picClavier, picListeChaînes, picRéduire, picQuitter}) {
        if (dessous == pic) {
            survolé = pic;
            break;
        }
    }
    image(picRéduire, BoutonFenêtre::Réduire, survolé == picRéduire);
    image(picQuitter, BoutonFenêtre::Quitter, survolé == picQuitter);
    if (v5) {
        image(picClavier, BoutonFenêtre::Clavier, survolé == picClavier);
        image(picListeChaînes, BoutonFenêtre::ListeChaînes, survolé == picListeChaînes);
    }
    if (!survolé) {
        picRéduire->show();
        picQuitter->show();
        if (v5) {
            picClavier->show();
            picListeChaînes->show();
        }
    }
}

void frmNavelo::picRéduire_Click() {
    if (clavier)
        clavier->hide();
    if (listeChaînes)
        listeChaînes->hide();
    // Without a notification area a hidden window could never be brought back.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        hide();
    else
        showMinimized();
}

void frmNavelo::picClavier_Click() {
    paramètres.ClavierAffiché = !paramètres.ClavierAffiché;
    if (paramètres.ClavierAffiché)
        MontreVoisine(clavier.get());
    else
        clavier->hide();
}

void frmNavelo::picListeChaînes_Click() {
    paramètres.ListeChaînesAffichée = !paramètres.ListeChaînesAffichée;
    if (paramètres.ListeChaînesAffichée)
        MontreVoisine(listeChaînes.get());
    else
        listeChaînes->hide();
}
