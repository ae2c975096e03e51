#include "dessin_icone.h"

#include "dessin_outils.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <initializer_list>

namespace {

const QColor Rouge(229, 57, 53);
const QColor Jaune(253, 206, 50);
const QColor Vert(67, 160, 71);
const QColor Bleu(30, 136, 229);
const QColor Touche(176, 180, 188);

void DessineBoîtier(QPainter& peintre, const QPainterPath& boîtier, qreal bord) {
    const QRectF cadre = boîtier.boundingRect();
    QLinearGradient dégradé(cadre.topLeft(), cadre.topRight());
    dégradé.setColorAt(0, QColor(34, 36, 40));
    dégradé.setColorAt(0.4, QColor(78, 82, 90));
    dégradé.setColorAt(1, QColor(28, 29, 33));
    peintre.fillPath(boîtier, dégradé);
    peintre.strokePath(boîtier, QPen(QColor(14, 15, 17), bord));
}

// The remote upright, centred on its body, its signal above it. Simplified for the small
// sizes: wider, with only its four coloured keys, drawn larger so that they still read.
void DessineTélécommande(QPainter& peintre, bool simplifiée, qreal bord) {
    if (!simplifiée) {
        for (qreal rayon : {5.0, 9.5}) {
            const QRectF cercle(-rayon, -25 - rayon, 2 * rayon, 2 * rayon);
            QPainterPath onde;
            onde.arcMoveTo(cercle, 55);
            onde.arcTo(cercle, 55, 70);
            DessineTrait(peintre, onde, Qt::white, 2.4);
        }
    }
    const QRectF corps = simplifiée ? QRectF(-15, -25, 30, 50) : QRectF(-11, -23, 22, 46);
    DessineBoîtier(peintre, RectangleArrondi(corps, simplifiée ? 10 : 8), std::max(1.4, bord));
    const qreal y = simplifiée ? -8 : -9;
    const qreal d = simplifiée ? 8.5 : 5.5;
    const qreal r = simplifiée ? 5.5 : 2.8;
    peintre.fillPath(Disque(QPointF(0, y - d), r), Rouge);
    peintre.fillPath(Disque(QPointF(-d, y), r), Jaune);
    peintre.fillPath(Disque(QPointF(d, y), r), Vert);
    peintre.fillPath(Disque(QPointF(0, y + d), r), Bleu);
    if (simplifiée)
        return;
    peintre.fillPath(Disque(QPointF(0, -19), 1.6), QColor(236, 70, 60));
    for (qreal ligne : {4.0, 10.0, 16.0}) {
        for (qreal x : {-6.0, 0.0, 6.0})
            peintre.fillPath(RectangleArrondi(QRectF(x - 2.2, ligne - 1.5, 4.4, 3), 1), Touche);
    }
}

// One drawing at every size, in a square of 64 units: a tile filling the square, and on it the
// remote leaning towards the screen it drives. Below 32 pixels, the remote simplified.
QImage Dessin(int côté) {
    QImage image(côté, côté, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    const qreal unité = côté / 64.0;
    peintre.scale(unité, unité);
    // At least a pixel wide, the edges stay sharp in a notification area.
    const qreal pixel = 1 / unité;

    const QPainterPath tuile = RectangleArrondi(QRectF(2, 2, 60, 60), 13);
    QLinearGradient fond(0, 2, 0, 62);
    fond.setColorAt(0, QColor(255, 183, 77));
    fond.setColorAt(1, QColor(239, 108, 0));
    peintre.fillPath(tuile, fond);
    peintre.strokePath(tuile, QPen(QColor(163, 72, 0), std::max(1.5, pixel)));

    peintre.translate(27, 36);
    peintre.rotate(33);
    DessineTélécommande(peintre, côté < 32, pixel);
    return image;
}

QIcon Icône(std::initializer_list<int> côtés) {
    QIcon icône;
    for (int côté : côtés)
        icône.addPixmap(QPixmap::fromImage(Dessin(côté)));
    return icône;
}

} // namespace

QIcon IcôneNavelo() {
    return Icône({16, 24, 32, 48, 64, 128, 256});
}

QIcon IcôneFenêtres() {
    // Drawn once and shared: the start-up alone asks for it three times.
    static const QIcon icône = Icône({16, 20, 22, 24, 32, 48, 64, 128});
    return icône;
}
