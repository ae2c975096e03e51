#include "centrage.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentreFenêtre(QWidget* fenêtre, const QWidget* référence) {
    const QWidget* autour = référence ? référence->window() : nullptr;
    // A window never shown, or put away in the notification area, has no place worth using.
    if (autour && (!autour->isVisible() || autour->isMinimized()))
        autour = nullptr;
    const QScreen* écran =
        autour ? QGuiApplication::screenAt(autour->frameGeometry().center()) : nullptr;
    if (!écran)
        écran = QGuiApplication::primaryScreen();
    if (!écran)
        return;
    const QRect surface = écran->availableGeometry();
    QRect place(QPoint(), fenêtre->frameGeometry().size());
    place.moveCenter(autour ? autour->frameGeometry().center() : surface.center());
    place.moveLeft(qMax(surface.left(), qMin(place.left(), surface.right() + 1 - place.width())));
    place.moveTop(qMax(surface.top(), qMin(place.top(), surface.bottom() + 1 - place.height())));
    fenêtre->move(place.topLeft());
}
