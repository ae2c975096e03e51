#include "placement.h"

#include <algorithm>
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

QRect SurfaceDe(const QRect& fenêtre, const QList<QRect>& surfaces) {
    if (surfaces.isEmpty())
        return {};
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
    return *choisie;
}

QRect SurUneSurface(const QRect& fenêtre, const QList<QRect>& surfaces) {
    return surfaces.isEmpty() ? fenêtre : DansSurface(fenêtre, SurfaceDe(fenêtre, surfaces));
}

QPoint ÀCôté(QSize taille, const QRect& voisine, const QRect& surface,
             const QList<QRect>& occupées) {
    const int droite = voisine.right() + 1 + écart;
    const int gauche = voisine.left() - écart - taille.width();
    // Level with the neighbour's top, or else below a window already beside it.
    QList<int> hauts{voisine.top()};
    for (const QRect& occupée : occupées)
        hauts.append(occupée.bottom() + 1 + écart);
    for (const int x : {droite, gauche}) {
        for (const int haut : hauts) {
            const QRect place(QPoint(x, haut), taille);
            if (surface.contains(place) &&
                std::none_of(occupées.cbegin(), occupées.cend(),
                             [&](const QRect& occupée) { return occupée.intersects(place); }))
                return place.topLeft();
        }
    }
    // No free room: on the side with more of it.
    const int x =
        surface.right() + 1 - droite >= voisine.left() - écart - surface.left() ? droite : gauche;
    return DansSurface(QRect(QPoint(x, voisine.top()), taille), surface).topLeft();
}
