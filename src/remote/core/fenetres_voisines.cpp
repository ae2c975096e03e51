#include "frmNavelo.h"
#include "guide/frmClavier.h"
#include "guide/frmListeChaines.h"
#include "placement.h"
#include "positions.h"

#include <QGuiApplication>
#include <QScreen>

// Where the keyboard and channel list windows go around the remote.

namespace {

// Each screen's area left to windows by the task bars and panels.
QList<QRect> SurfacesÉcrans() {
    QList<QRect> surfaces;
    for (const QScreen* écran : QGuiApplication::screens())
        surfaces.append(écran->availableGeometry());
    return surfaces;
}

} // namespace

void frmNavelo::PlaceFenêtres() {
    const QRect disponible = QGuiApplication::primaryScreen()->availableGeometry();
    clavier = std::make_unique<frmClavier>(paramètres, expéditeur, raccourcis);
    listeChaînes =
        std::make_unique<frmListeChaînes>(paramètres, expéditeur, emplacements.dossiersLogos);

    // In twips, a window of `taille` centred on the primary screen's available area.
    const auto centrée = [&](QSize taille) {
        return EnTwips(disponible.topLeft()) + PositionCentrée(taille, disponible.size());
    };
    PositionsFenêtres défauts;
    défauts.Fenêtre = centrée(size());
    // Both models keep the list's design size, so that a model 6 run never stores a 0 size.
    défauts.FenêtreListeChaînes.setSize(
        QSize(EnTwips(listeChaînes->width()), EnTwips(listeChaînes->height())));
    if (paramètres.Version == 5) {
        défauts.FenêtreClavier = centrée(clavier->size());
        défauts.FenêtreListeChaînes.moveTopLeft(centrée(listeChaînes->size()));
    }
    PositionsFenêtres positions = défauts;
    const QList<QRect> surfaces = SurfacesÉcrans();
    QList<QRect> écrans;
    if (paramètres.MémoriserPositionFenêtre) {
        positions = LitPositions(FichierIniLu(paramètres), défauts);
        // A screen taken away since the last run must not leave a window out of reach.
        écrans = surfaces;
    }

    // Whatever its place and its size, the remote lies wholly on one screen.
    move(SurUneSurface(QRect(EnPixels(positions.Fenêtre), size()), surfaces).topLeft());
    const QRect télécommande(pos(), size());
    // A window with no place of the user's opens beside the remote rather than over its keys;
    // so does one whose place would now cover it, the remote having grown or moved.
    const auto place = [&](QWidget* fenêtre, const QRect& voulue, bool parDéfaut) {
        fenêtre->move(RamèneSurÉcran(voulue, écrans).topLeft());
        if (parDéfaut || QRect(fenêtre->pos(), fenêtre->size()).intersects(télécommande))
            àPlacerÀCôté.insert(fenêtre);
    };
    place(clavier.get(), QRect(EnPixels(positions.FenêtreClavier), clavier->size()),
          positions.FenêtreClavier == défauts.FenêtreClavier);
    // A size typed by hand fits the screen of its corner, and the window then lies on it
    // whole; what shows is what is written back.
    const QRect liste = EnPixels(positions.FenêtreListeChaînes);
    const QRect surface = SurfaceDe(QRect(liste.topLeft(), QSize(1, 1)), surfaces);
    const QSize taille = liste.size().boundedTo(surface.size());
    listeChaînes->resize(taille);
    place(listeChaînes.get(),
          taille == liste.size() ? liste : DansSurface(QRect(liste.topLeft(), taille), surface),
          positions.FenêtreListeChaînes.topLeft() == défauts.FenêtreListeChaînes.topLeft());
}

void frmNavelo::MontreVoisine(QWidget* fenêtre) {
    // Before its first showing, while a move still places its frame rather than its inside.
    if (àPlacerÀCôté.remove(fenêtre))
        PlaceÀCôté(fenêtre);
    fenêtre->show();
}

void frmNavelo::PlaceÀCôté(QWidget* fenêtre) {
    const QScreen* écran = QGuiApplication::screenAt(frameGeometry().center());
    if (!écran)
        écran = QGuiApplication::primaryScreen();
    // The keyboard and the channel list, both opened, side by side rather than stacked.
    QList<QRect> occupées;
    for (const QWidget* autre :
         {static_cast<QWidget*>(clavier.get()), static_cast<QWidget*>(listeChaînes.get())}) {
        if (autre != fenêtre && autre->isVisible())
            occupées.append(autre->frameGeometry());
    }
    fenêtre->move(ÀCôté(fenêtre->frameGeometry().size(), frameGeometry(),
                        écran->availableGeometry(), occupées));
}

void frmNavelo::SuitGlissement(QPoint décalage) {
    // Hidden windows follow too, so that they reopen beside the remote.
    for (QWidget* fenêtre :
         {static_cast<QWidget*>(clavier.get()), static_cast<QWidget*>(listeChaînes.get())}) {
        if (fenêtre)
            fenêtre->move(fenêtre->pos() + décalage);
    }
}
