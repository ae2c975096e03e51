#include "dessin_boutons.h"

#include "dessin_outils.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace {

constexpr qreal Côté = CôtéBoutonFenêtre / TwipsParPixel;

// Each button lights up in its own colour, so a click is never a surprise.
QColor Teinte(BoutonFenêtre bouton) {
    switch (bouton) {
    case BoutonFenêtre::Réduire:
        return QColor(52, 132, 214);
    case BoutonFenêtre::Quitter:
        return QColor(222, 58, 44);
    case BoutonFenêtre::Clavier:
        return QColor(46, 160, 88);
    case BoutonFenêtre::ListeChaînes:
        return QColor(226, 142, 24);
    }
    return {};
}

void DessineGlyphe(QPainter& peintre, BoutonFenêtre bouton, const QColor& encre) {
    QPainterPath traits;
    QPainterPath points;
    switch (bouton) {
    case BoutonFenêtre::Réduire:
        traits.moveTo(4, 8.2);
        traits.lineTo(9, 8.2);
        break;
    case BoutonFenêtre::Quitter:
        traits.moveTo(4.4, 4.4);
        traits.lineTo(8.6, 8.6);
        traits.moveTo(8.6, 4.4);
        traits.lineTo(4.4, 8.6);
        break;
    case BoutonFenêtre::Clavier:
        traits.addRoundedRect(QRectF(2.9, 3.9, 7.2, 5.2), 1, 1);
        for (qreal x : {4.6, 6.5, 8.4})
            points.addEllipse(QPointF(x, 5.5), 0.55, 0.55);
        traits.moveTo(5, 7.5);
        traits.lineTo(8, 7.5);
        break;
    case BoutonFenêtre::ListeChaînes:
        for (qreal y : {4.4, 6.5, 8.6}) {
            points.addEllipse(QPointF(4, y), 0.65, 0.65);
            traits.moveTo(5.7, y);
            traits.lineTo(9.2, y);
        }
        break;
    }
    const qreal épaisseur = bouton == BoutonFenêtre::Quitter   ? 1.4
                            : bouton == BoutonFenêtre::Clavier ? 0.75
                                                               : 1.1;
    DessineTrait(peintre, traits, encre, épaisseur);
    peintre.fillPath(points, encre);
}

} // namespace

int CôtéImageBoutonFenêtre(double échelle) {
    return qRound(Côté * échelle);
}

QPixmap ImageBoutonFenêtre(BoutonFenêtre bouton, int modèle, bool survolé, double échelle,
                           qreal dpr) {
    const int côté = CôtéImageBoutonFenêtre(échelle);
    if (côté <= 0)
        return {};
    dpr = std::max(dpr, 1.0);
    QImage image(QSize(côté, côté) * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);

    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.scale(côté / Côté, côté / Côté);
    const QColor teinte = Teinte(bouton);
    // Light on the black model 6, where a dark face would only show under the mouse.
    const bool clair = !survolé && modèle == 6;
    const CouleursTouche couleurs =
        survolé ? CouleursTouche{teinte.lighter(135), teinte.darker(115), teinte.darker(170)}
        : clair ? CouleursTouche{QColor(214, 217, 222), QColor(150, 154, 162), QColor(96, 99, 106)}
                : CouleursTouche{QColor(112, 116, 124), QColor(58, 61, 66), QColor(34, 36, 40)};
    const QPainterPath disque = Disque(QPointF(Côté / 2, Côté / 2), Côté / 2 - 0.9);
    DessineFace(peintre, disque, couleurs);
    const QColor encre = survolé ? QColor(255, 255, 255)
                         : clair ? QColor(30, 32, 36)
                                 : QColor(222, 224, 228);
    DessineGlyphe(peintre, bouton, encre);
    peintre.end();
    return QPixmap::fromImage(image);
}
