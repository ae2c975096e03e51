#include "positions.h"

#include "placement.h"
#include "table_touches.h"

#include <cmath>

int EnPixels(double twips) {
    return qRound(twips / TwipsParPixel);
}

int EnTwips(int pixels) {
    return static_cast<int>(pixels * TwipsParPixel);
}

QPoint EnPixels(QPoint twips) {
    return QPoint(EnPixels(twips.x()), EnPixels(twips.y()));
}

QPoint EnTwips(QPoint pixels) {
    return QPoint(EnTwips(pixels.x()), EnTwips(pixels.y()));
}

QRect EnPixels(const QRect& twips) {
    return QRect(EnPixels(twips.topLeft()),
                 QSize(EnPixels(twips.width()), EnPixels(twips.height())));
}

QRect EnTwips(const QRect& pixels) {
    return QRect(EnTwips(pixels.topLeft()),
                 QSize(EnTwips(pixels.width()), EnTwips(pixels.height())));
}

QRect ZoneÉchelonnée(const QRect& twips, float f) {
    return QRect(EnPixels(twips.x() * double(f)), EnPixels(twips.y() * double(f)),
                 EnPixels(twips.width() * double(f)), EnPixels(twips.height() * double(f)));
}

QPoint PositionCentrée(QSize taille, QSize écran) {
    const auto centre = [](int fenêtre, int surface) {
        return static_cast<int>(std::nearbyint((EnTwips(surface) - EnTwips(fenêtre)) / 2.0));
    };
    return QPoint(centre(taille.width(), écran.width()), centre(taille.height(), écran.height()));
}

QRect RamèneSurÉcran(const QRect& fenêtre, const QList<QRect>& écrans) {
    if (écrans.isEmpty())
        return fenêtre;
    // An empty window has no area to intersect with; its corner decides.
    const QRect surface = fenêtre.isEmpty() ? QRect(fenêtre.topLeft(), QSize(1, 1)) : fenêtre;
    for (const QRect& écran : écrans) {
        if (écran.intersects(surface))
            return fenêtre;
    }
    return DansSurface(fenêtre, écrans.first());
}
