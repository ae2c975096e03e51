#include "dessin_donner.h"

#include "dessin_outils.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize Taille(112, 28);

QPainterPath Cœur(const QRectF& cadre) {
    QPainterPath unité(QPointF(0.5, 0.95));
    unité.cubicTo(0.1, 0.65, 0, 0.45, 0, 0.3);
    unité.cubicTo(0, 0.1, 0.15, 0, 0.28, 0);
    unité.cubicTo(0.4, 0, 0.47, 0.07, 0.5, 0.16);
    unité.cubicTo(0.53, 0.07, 0.6, 0, 0.72, 0);
    unité.cubicTo(0.85, 0, 1, 0.1, 1, 0.3);
    unité.cubicTo(1, 0.45, 0.9, 0.65, 0.5, 0.95);
    QTransform placement;
    placement.translate(cadre.left(), cadre.top());
    placement.scale(cadre.width(), cadre.height());
    return placement.map(unité);
}

} // namespace

QPixmap ImageDonner(bool français, qreal dpr) {
    dpr = std::max(dpr, 1.0);
    QImage image(Taille * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);

    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    const QRectF cadre = QRectF(QPointF(0, 0), QSizeF(Taille)).adjusted(0.5, 0.5, -0.5, -1.5);
    const QPainterPath bouton = RectangleArrondi(cadre, cadre.height() / 2);
    peintre.fillPath(bouton.translated(0, 1), QColor(0, 0, 0, 60));
    QLinearGradient or_(cadre.topLeft(), cadre.bottomLeft());
    or_.setColorAt(0, QColor(255, 232, 150));
    or_.setColorAt(0.5, QColor(252, 196, 60));
    or_.setColorAt(1, QColor(238, 160, 24));
    peintre.fillPath(bouton, or_);
    peintre.strokePath(bouton, QPen(QColor(186, 120, 14), 1));

    const QRectF cœur(10, cadre.center().y() - 6, 14, 12.5);
    QLinearGradient rouge(cœur.topLeft(), cœur.bottomLeft());
    rouge.setColorAt(0, QColor(240, 74, 84));
    rouge.setColorAt(1, QColor(196, 22, 42));
    peintre.fillPath(Cœur(cœur), rouge);

    const QRectF texte(cœur.right() + 4, cadre.top(), cadre.right() - cœur.right() - 12,
                       cadre.height());
    DessineTexte(peintre, texte.center(), français ? u"Faire un don"_s : u"Donate"_s, 12,
                 QColor(28, 50, 94), true, texte.width());
    return QPixmap::fromImage(image);
}
