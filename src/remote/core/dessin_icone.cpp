#include "dessin_icone.h"

#include "dessin_outils.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

#include <initializer_list>

namespace {

const QColor Rouge(229, 57, 53);
const QColor Jaune(253, 206, 50);
const QColor Vert(67, 160, 71);
const QColor Bleu(30, 136, 229);
const QColor Touche(176, 180, 188);

QPainterPath Boîtier(const QRectF& cadre, qreal rayon) {
    return RectangleArrondi(cadre, rayon);
}

void DessineBoîtier(QPainter& peintre, const QPainterPath& boîtier, qreal bord) {
    const QRectF cadre = boîtier.boundingRect();
    QLinearGradient dégradé(cadre.topLeft(), cadre.topRight());
    dégradé.setColorAt(0, QColor(34, 36, 40));
    dégradé.setColorAt(0.4, QColor(78, 82, 90));
    dégradé.setColorAt(1, QColor(28, 29, 33));
    peintre.fillPath(boîtier, dégradé);
    peintre.strokePath(boîtier, QPen(QColor(14, 15, 17), bord));
}

// For the notification area and small menus, 16 to 24 pixels: a tile as large as the square,
// carrying the remote's four coloured keys, which read at any of those sizes.
QImage PetiteIcône(int côté) {
    QImage image(côté, côté, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    const qreal s = côté;
    const QPainterPath tuile = RectangleArrondi(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.22);
    QLinearGradient dégradé(0, 0, 0, s);
    dégradé.setColorAt(0, QColor(84, 88, 96));
    dégradé.setColorAt(1, QColor(30, 32, 36));
    peintre.fillPath(tuile, dégradé);
    peintre.strokePath(tuile, QPen(QColor(10, 11, 13), 1));
    const qreal c = s / 2;
    const qreal d = s * 0.245;
    const qreal r = s * 0.155;
    peintre.fillPath(Disque(QPointF(c, c - d), r), Rouge);
    peintre.fillPath(Disque(QPointF(c - d, c), r), Jaune);
    peintre.fillPath(Disque(QPointF(c + d, c), r), Vert);
    peintre.fillPath(Disque(QPointF(c, c + d), r), Bleu);
    return image;
}

QImage GrandeIcône(int côté) {
    QImage image(côté, côté, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    const qreal u = côté / 64.0;
    peintre.scale(u, u);

    for (qreal rayon : {7.0, 12.5}) {
        QPainterPath onde;
        onde.arcMoveTo(QRectF(32 - rayon, 16 - rayon, 2 * rayon, 2 * rayon), 55);
        onde.arcTo(QRectF(32 - rayon, 16 - rayon, 2 * rayon, 2 * rayon), 55, 70);
        DessineTrait(peintre, onde, QColor(30, 136, 229), 2.6);
    }

    DessineBoîtier(peintre, Boîtier(QRectF(20, 14, 24, 49), 8), 1.4);
    peintre.fillPath(Disque(QPointF(32, 19.5), 1.6), QColor(236, 70, 60));
    peintre.fillPath(Disque(QPointF(32, 26), 2.8), Rouge);
    peintre.fillPath(Disque(QPointF(26.5, 31.5), 2.8), Jaune);
    peintre.fillPath(Disque(QPointF(37.5, 31.5), 2.8), Vert);
    peintre.fillPath(Disque(QPointF(32, 37), 2.8), Bleu);
    for (qreal y : {45.0, 51.0, 57.0}) {
        for (qreal x : {26.0, 32.0, 38.0})
            peintre.fillPath(RectangleArrondi(QRectF(x - 2.2, y - 1.5, 4.4, 3), 1), Touche);
    }
    return image;
}

QIcon Icône(std::initializer_list<int> côtés) {
    QIcon icône;
    for (int côté : côtés)
        icône.addPixmap(QPixmap::fromImage(côté <= 24 ? PetiteIcône(côté) : GrandeIcône(côté)));
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
