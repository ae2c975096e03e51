#include "placement.h"

#include <limits>

namespace {

// Between a window beside the remote and the remote itself.
constexpr int écart = 8;

// From the rectangle to the point of `surface` nearest to its centre, squared.
qint64 Distance(const QRect& fenêtre, const QRect& surface) {
    const QPoint centre = fenêtre.center();
    const qint64 dx = centre.x() - qBound(surface.left(), centre.x(), surface.right());
    const qint64 dy = centre.y() - qBound(surface.top(), centre.y(), surface.bottom());
    return dx * dx + dy * dy;
}

qint64 Aire(const QRect& r) {
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

} // namespace

QRect DansSurface(const QRect& fenêtre, const QRect& surface) {
    QRect placée = fenêtre;
    placée.moveLeft(qMin(placée.left(), surface.right() + 1 - placée.width()));
    placée.moveLeft(qMax(placée.left(), surface.left()));
    placée.moveTop(qMin(placée.top(), surface.bottom() + 1 - placée.height()));
    placée.moveTop(qMax(placée.top(), surface.top()));
    return placée;
}

QRect SurUneSurface(const QRect& fenêtre, const QList<QRect>& surfaces) {
    if (surfaces.isEmpty())
        return fenêtre;
    const QRect* choisie = &surfaces.first();
    qint64 meilleureAire = -1;
    qint64 meilleureDistance = std::numeric_limits<qint64>::max();
    for (const QRect& surface : surfaces) {
        const qint64 aire = Aire(fenêtre & surface);
        const qint64 distance = Distance(fenêtre, surface);
        if (aire > meilleureAire ||
            (aire == 0 && meilleureAire == 0 && distance < meilleureDistance)) {
            choisie = &surface;
            meilleureAire = aire;
            meilleureDistance = distance;
        }
    }
    return DansSurface(fenêtre, *choisie);
}

QPoint ÀCôté(QSize taille, const QRect& voisine, const QRect& surface) {
    const int droite = voisine.right() + 1 + écart;
    const int gauche = voisine.left() - écart - taille.width();
    const int placeÀDroite = surface.right() + 1 - droite;
    const int placeÀGauche = voisine.left() - écart - surface.left();
    int x = droite;
    if (placeÀDroite < taille.width() &&
        (placeÀGauche >= taille.width() || placeÀGauche > placeÀDroite))
        x = gauche;
    return DansSurface(QRect(QPoint(x, voisine.top()), taille), surface).topLeft();
}
