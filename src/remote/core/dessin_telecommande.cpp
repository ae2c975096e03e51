#include "dessin_telecommande.h"

#include "dessin_outils.h"
#include "dessin_touches.h"
#include "table_touches.h"

#include <QLinearGradient>
#include <QList>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

struct Habillage {
    QColor bord;
    QColor flanc;
    QColor lumière;
    QColor gravure;
};

const Habillage Argent{QColor(74, 77, 82), QColor(128, 132, 139), QColor(226, 229, 233),
                       QColor(0, 0, 0, 36)};
const Habillage Laqué{QColor(12, 13, 15), QColor(30, 31, 35), QColor(66, 69, 75),
                      QColor(255, 255, 255, 30)};

QSizeF TailleDessin(int modèle) {
    return QSizeF(TailleTélécommande(modèle)) / TwipsParPixel;
}

// Model 5: arched top over the window buttons, straight sides narrowing a little to a
// rounded foot. Its axis is the keys' axis, slightly right of the picture's centre.
QPainterPath ContourV5() {
    constexpr qreal axe = 86.5;
    const auto d = [](qreal dx, qreal y) { return QPointF(axe + dx, y); };
    const auto g = [](qreal dx, qreal y) { return QPointF(axe - dx, y); };
    QPainterPath chemin(d(0, 1));
    chemin.cubicTo(d(43.4, 1), d(78.5, 32.8), d(78.5, 72));
    chemin.lineTo(d(78.5, 330));
    chemin.cubicTo(d(78.5, 430), d(76, 500), d(72.5, 545));
    chemin.cubicTo(d(68, 590), d(35, 599), d(0, 599));
    chemin.cubicTo(g(35, 599), g(68, 590), g(72.5, 545));
    chemin.cubicTo(g(76, 500), g(78.5, 430), g(78.5, 330));
    chemin.lineTo(g(78.5, 72));
    chemin.cubicTo(g(78.5, 32.8), g(43.4, 1), g(0, 1));
    chemin.closeSubpath();
    return chemin;
}

// Model 6: as wide as its grid of keys, square shoulders, a slimmer rounded foot.
QPainterPath ContourV6() {
    constexpr qreal axe = 57;
    const auto d = [](qreal dx, qreal y) { return QPointF(axe + dx, y); };
    const auto g = [](qreal dx, qreal y) { return QPointF(axe - dx, y); };
    QPainterPath chemin(d(0, 0));
    chemin.lineTo(d(45, 0));
    chemin.quadTo(d(57, 0), d(57, 12));
    chemin.lineTo(d(57, 470));
    chemin.cubicTo(d(57, 530), d(52, 570), d(40, 587));
    chemin.cubicTo(d(33, 595), d(18, 595.5), d(0, 595.5));
    chemin.cubicTo(g(18, 595.5), g(33, 595), g(40, 587));
    chemin.cubicTo(g(52, 570), g(57, 530), g(57, 470));
    chemin.lineTo(g(57, 12));
    chemin.quadTo(g(57, 0), g(45, 0));
    chemin.closeSubpath();
    return chemin;
}

const QPainterPath& Contour(int modèle) {
    static const QPainterPath v5 = ContourV5();
    static const QPainterPath v6 = ContourV6();
    return modèle == 6 ? v6 : v5;
}

void DessineCorps(QPainter& peintre, const QPainterPath& contour, const Habillage& habillage) {
    const QRectF cadre = contour.boundingRect();
    QLinearGradient cylindre(cadre.topLeft(), cadre.topRight());
    cylindre.setColorAt(0, habillage.flanc);
    cylindre.setColorAt(0.14, habillage.lumière.darker(112));
    cylindre.setColorAt(0.4, habillage.lumière);
    cylindre.setColorAt(0.78, habillage.lumière.darker(115));
    cylindre.setColorAt(1, habillage.flanc);
    peintre.fillPath(contour, cylindre);

    QLinearGradient ombre(cadre.topLeft(), cadre.bottomLeft());
    ombre.setColorAt(0, QColor(255, 255, 255, 30));
    ombre.setColorAt(0.5, QColor(0, 0, 0, 0));
    ombre.setColorAt(1, QColor(0, 0, 0, 40));
    peintre.fillPath(contour, ombre);

    QLinearGradient biseau(cadre.topLeft(), cadre.bottomRight());
    biseau.setColorAt(0, QColor(255, 255, 255, 120));
    biseau.setColorAt(0.5, QColor(255, 255, 255, 40));
    biseau.setColorAt(1, QColor(0, 0, 0, 60));
    peintre.strokePath(contour, QPen(QBrush(biseau), 3.2));
    peintre.strokePath(contour, QPen(habillage.bord, 1.2));
}

void DessineMarque(QPainter& peintre, QPointF centre, const Habillage& habillage) {
    DessineTexte(peintre, centre, u"navelo"_s, 13, habillage.gravure);
}

void DessineV5(QPainter& peintre) {
    DessineCorps(peintre, Contour(5), Argent);
    DessineMarque(peintre, QPointF(86.5, 520), Argent);
    DessineTouchesV5(peintre);
}

void DessineV6(QPainter& peintre) {
    DessineCorps(peintre, Contour(6), Laqué);
    DessineMarque(peintre, QPointF(57, 525), Laqué);
    peintre.fillPath(RectangleArrondi(QRectF(50, 26, 14, 5), 2.5), QColor(0, 0, 0, 150));
    DessineTouchesV6(peintre);
}

// Row by row spans of the opaque pixels, rows with the same spans merged into bands.
QRegion RégionOpaque(const QImage& masque) {
    QList<QRect> rectangles;
    QList<QRect> rangée;
    QList<QRect> précédente;
    qsizetype débutBande = 0;
    const int largeur = masque.width();
    for (int y = 0; y < masque.height(); ++y) {
        const auto* ligne = reinterpret_cast<const QRgb*>(masque.constScanLine(y));
        rangée.clear();
        for (int x = 0; x < largeur;) {
            if (qAlpha(ligne[x]) == 0) {
                ++x;
                continue;
            }
            const int début = x;
            while (x < largeur && qAlpha(ligne[x]) != 0)
                ++x;
            rangée.append(QRect(début, y, x - début, 1));
        }
        const bool mêmes = !précédente.isEmpty() && rangée.size() == précédente.size() &&
                           std::equal(rangée.cbegin(), rangée.cend(), précédente.cbegin(),
                                      [](const QRect& a, const QRect& b) {
                                          return a.left() == b.left() && a.width() == b.width();
                                      });
        if (mêmes) {
            for (qsizetype i = débutBande; i < rectangles.size(); ++i)
                rectangles[i].setBottom(y);
        } else {
            débutBande = rectangles.size();
            rectangles.append(rangée);
        }
        précédente = rangée;
    }
    QRegion région;
    région.setRects(rectangles.constData(), int(rectangles.size()));
    return région;
}

// A device pixel belongs to the logical pixel that contains it, whatever the ratio.
QRegion EnPixelsPhysiques(const QRegion& logique, qreal dpr) {
    const auto physique = [dpr](int v) { return int(std::ceil(v * dpr - 1e-9)); };
    QList<QRect> rectangles;
    for (const QRect& r : logique) {
        rectangles.append(QRect(QPoint(physique(r.left()), physique(r.top())),
                                QPoint(physique(r.right() + 1) - 1, physique(r.bottom() + 1) - 1)));
    }
    QRegion région;
    région.setRects(rectangles.constData(), int(rectangles.size()));
    return région;
}

// The outline filled in black on transparent, at a size and scale; anti-aliased or not.
QImage ImageContour(int modèle, QSize taille, qreal échelle, bool lissé) {
    QImage image(taille, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing, lissé);
    peintre.scale(échelle, échelle);
    peintre.fillPath(Contour(modèle), Qt::black);
    return image;
}

} // namespace

QSize TailleImageTélécommande(int modèle, double échelle) {
    const QSizeF design = TailleDessin(modèle);
    return QSize(qRound(design.width() * échelle), qRound(design.height() * échelle));
}

QRegion SilhouetteTélécommande(int modèle, double échelle, Découpe découpe) {
    const QSize taille = TailleImageTélécommande(modèle, échelle);
    if (taille.isEmpty())
        return {};
    return RégionOpaque(ImageContour(modèle, taille, échelle, découpe == Découpe::Transparence));
}

QImage ImageTélécommande(int modèle, double échelle, qreal dpr, Découpe découpe) {
    const QSize taille = TailleImageTélécommande(modèle, échelle);
    if (taille.isEmpty())
        return {};
    dpr = std::max(dpr, 1.0);
    const Habillage& habillage = modèle == 6 ? Laqué : Argent;
    const bool transparence = découpe == Découpe::Transparence;
    // The edge colour under everything, so that anti-aliased edges blend into it and
    // never into the colour key.
    QImage image(taille * dpr,
                 transparence ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(habillage.bord);

    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.scale(échelle * dpr, échelle * dpr);
    if (modèle == 6)
        DessineV6(peintre);
    else
        DessineV5(peintre);

    peintre.resetTransform();
    if (transparence) {
        // Every pixel keeps as much of itself as the outline covers of it.
        peintre.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        peintre.drawImage(0, 0, ImageContour(modèle, image.size(), échelle * dpr, true));
    } else {
        peintre.setRenderHint(QPainter::Antialiasing, false);
        const QRegion dehors =
            QRegion(image.rect()) - EnPixelsPhysiques(SilhouetteTélécommande(modèle, échelle), dpr);
        // Rectangle by rectangle: a clip this ragged would cost the painter more memory than
        // the picture itself.
        for (const QRect& rectangle : dehors)
            peintre.fillRect(rectangle, QColor(CouleurTransparente));
    }
    peintre.end();

    image.setDevicePixelRatio(dpr);
    return image;
}
