#include "dessin_symboles.h"

#include "dessin_outils.h"

#include <QPainter>

namespace {

QPainterPath DoubleTriangle(QPointF centre, qreal taille, qreal direction) {
    const qreal écart = taille * 0.4;
    const qreal sens = direction == 0 ? 1 : -1;
    QPainterPath chemin = Triangle(centre + QPointF(-écart * sens, 0), taille, direction);
    chemin.addPath(Triangle(centre + QPointF(écart * sens, 0), taille, direction));
    return chemin;
}

QPainterPath Barre(QPointF centre, qreal largeur, qreal hauteur) {
    QPainterPath chemin;
    chemin.addRect(QRectF(centre.x() - largeur / 2, centre.y() - hauteur / 2, largeur, hauteur));
    return chemin;
}

} // namespace

void DessineSymbole(QPainter& peintre, Symbole symbole, QPointF centre, qreal t,
                    const QColor& couleur) {
    const auto p = [&](qreal x, qreal y) { return centre + QPointF(x * t, y * t); };
    QPainterPath chemin;
    switch (symbole) {
    case Symbole::Marche: {
        const qreal r = 0.38 * t;
        chemin.arcMoveTo(QRectF(p(-0.38, -0.34), QSizeF(2 * r, 2 * r)), 122);
        chemin.arcTo(QRectF(p(-0.38, -0.34), QSizeF(2 * r, 2 * r)), 122, 296);
        chemin.moveTo(p(0, -0.46));
        chemin.lineTo(p(0, -0.02));
        DessineTrait(peintre, chemin, couleur, 0.11 * t);
        return;
    }
    case Symbole::Accueil: {
        QPainterPath toit;
        toit.moveTo(p(-0.5, -0.02));
        toit.lineTo(p(0, -0.46));
        toit.lineTo(p(0.5, -0.02));
        toit.closeSubpath();
        QPainterPath murs;
        murs.addRect(QRectF(p(-0.34, -0.1), p(0.34, 0.42)));
        QPainterPath porte;
        porte.addRect(QRectF(p(-0.09, 0.14), p(0.09, 0.43)));
        chemin = toit.united(murs).subtracted(porte);
        break;
    }
    case Symbole::Muet: {
        chemin.moveTo(p(-0.46, -0.13));
        chemin.lineTo(p(-0.28, -0.13));
        chemin.lineTo(p(-0.04, -0.36));
        chemin.lineTo(p(-0.04, 0.36));
        chemin.lineTo(p(-0.28, 0.13));
        chemin.lineTo(p(-0.46, 0.13));
        chemin.closeSubpath();
        QPainterPath croix;
        croix.moveTo(p(0.12, -0.16));
        croix.lineTo(p(0.44, 0.16));
        croix.moveTo(p(0.44, -0.16));
        croix.lineTo(p(0.12, 0.16));
        DessineTrait(peintre, croix, couleur, 0.09 * t);
        break;
    }
    case Symbole::LecturePause:
        chemin = Triangle(p(-0.2, 0), 0.6 * t, 0);
        chemin.addPath(Barre(p(0.2, 0), 0.11 * t, 0.56 * t));
        chemin.addPath(Barre(p(0.4, 0), 0.11 * t, 0.56 * t));
        break;
    case Symbole::Arrêt:
        chemin = RectangleArrondi(QRectF(p(-0.24, -0.24), p(0.24, 0.24)), 0.04 * t);
        break;
    case Symbole::RetourRapide:
        chemin = DoubleTriangle(centre, 0.5 * t, 180);
        break;
    case Symbole::AvanceRapide:
        chemin = DoubleTriangle(centre, 0.5 * t, 0);
        break;
    case Symbole::Précédent:
        chemin = DoubleTriangle(p(0.06, 0), 0.46 * t, 180);
        chemin.addPath(Barre(p(-0.4, 0), 0.09 * t, 0.46 * t));
        break;
    case Symbole::Suivant:
        chemin = DoubleTriangle(p(-0.06, 0), 0.46 * t, 0);
        chemin.addPath(Barre(p(0.4, 0), 0.09 * t, 0.46 * t));
        break;
    case Symbole::Retour: {
        QPainterPath crochet;
        crochet.moveTo(p(-0.2, -0.16));
        crochet.lineTo(p(0.12, -0.16));
        crochet.arcTo(QRectF(p(-0.08, -0.16), p(0.36, 0.28)), 90, -180);
        crochet.lineTo(p(-0.12, 0.28));
        DessineTrait(peintre, crochet, couleur, 0.1 * t);
        chemin = Triangle(p(-0.3, -0.16), 0.34 * t, 180);
        break;
    }
    case Symbole::Enregistrement:
        chemin = Disque(centre, 0.26 * t);
        break;
    case Symbole::Plus:
        chemin.moveTo(p(-0.28, 0));
        chemin.lineTo(p(0.28, 0));
        chemin.moveTo(p(0, -0.28));
        chemin.lineTo(p(0, 0.28));
        DessineTrait(peintre, chemin, couleur, 0.12 * t);
        return;
    case Symbole::Moins:
        chemin.moveTo(p(-0.28, 0));
        chemin.lineTo(p(0.28, 0));
        DessineTrait(peintre, chemin, couleur, 0.12 * t);
        return;
    case Symbole::ChevronHaut:
        chemin.moveTo(p(-0.26, 0.12));
        chemin.lineTo(p(0, -0.14));
        chemin.lineTo(p(0.26, 0.12));
        DessineTrait(peintre, chemin, couleur, 0.12 * t);
        return;
    case Symbole::ChevronBas:
        chemin.moveTo(p(-0.26, -0.12));
        chemin.lineTo(p(0, 0.14));
        chemin.lineTo(p(0.26, -0.12));
        DessineTrait(peintre, chemin, couleur, 0.12 * t);
        return;
    }
    chemin.setFillRule(Qt::WindingFill);
    peintre.fillPath(chemin, couleur);
}
