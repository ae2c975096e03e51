#include "dessin_outils.h"

#include <QFont>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QTransform>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Outlines are taken at a large size and scaled down, so that no hinting for one size
// shifts a label when the remote is shown at another.
constexpr qreal TailleRéférence = 100;

// Shaping a label costs more than drawing it; the same few labels come back at every size.
const QPainterPath& CheminTexte(const QString& texte, bool gras) {
    thread_local QHash<std::pair<QString, bool>, QPainterPath> déjàVus;
    const auto clé = std::pair(texte, gras);
    if (const auto trouvé = déjàVus.constFind(clé); trouvé != déjàVus.cend())
        return *trouvé;
    QFont police(u"DejaVu Sans"_s);
    police.setPixelSize(int(TailleRéférence));
    police.setBold(gras);
    police.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath chemin;
    chemin.addText(0, 0, police, texte);
    return *déjàVus.insert(clé, chemin);
}

} // namespace

void DessineTexte(QPainter& peintre, QPointF centre, const QString& texte, qreal taille,
                  const QColor& couleur, bool gras, qreal largeurMax, bool surCapitales) {
    const QPainterPath& chemin = CheminTexte(texte, gras);
    const QRectF encre = chemin.boundingRect();
    const qreal milieuVertical = surCapitales ? CheminTexte(u"H"_s, gras).boundingRect().top() / 2
                                              : (encre.top() + std::min(encre.bottom(), 0.0)) / 2;
    const qreal k = std::min(taille / TailleRéférence, largeurMax / encre.width());
    QTransform placement;
    placement.translate(centre.x(), centre.y());
    placement.scale(k, k);
    placement.translate(-encre.center().x(), -milieuVertical);
    peintre.fillPath(placement.map(chemin), couleur);
}

void DessineFace(QPainter& peintre, const QPainterPath& forme, const CouleursTouche& couleurs) {
    const QRectF cadre = forme.boundingRect();
    const qreal relief = std::clamp(cadre.height() * 0.05, 0.5, 1.2);

    peintre.fillPath(forme.translated(0, relief), QColor(0, 0, 0, 70));

    QLinearGradient dégradé(cadre.topLeft(), cadre.bottomLeft());
    dégradé.setColorAt(0, couleurs.haut);
    dégradé.setColorAt(1, couleurs.bas);
    peintre.fillPath(forme, dégradé);

    QLinearGradient reflet(cadre.topLeft(), cadre.bottomLeft());
    reflet.setColorAt(0, couleurs.bord.lighter(160));
    reflet.setColorAt(0.5, couleurs.bord);
    reflet.setColorAt(1, couleurs.bord.darker(140));
    peintre.strokePath(forme, QPen(QBrush(reflet), std::clamp(cadre.height() * 0.03, 0.35, 0.7)));
}

QPainterPath RectangleArrondi(const QRectF& rect, qreal rayon) {
    QPainterPath chemin;
    chemin.addRoundedRect(rect, rayon, rayon);
    return chemin;
}

QPainterPath Disque(QPointF centre, qreal rayon) {
    QPainterPath chemin;
    chemin.addEllipse(centre, rayon, rayon);
    return chemin;
}

QPainterPath Triangle(QPointF centre, qreal taille, qreal direction) {
    const qreal demi = taille / 2;
    const qreal profondeur = demi * 0.866;
    QPainterPath chemin;
    chemin.moveTo(profondeur, 0);
    chemin.lineTo(-profondeur, -demi);
    chemin.lineTo(-profondeur, demi);
    chemin.closeSubpath();
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(direction);
    return t.map(chemin);
}

void DessineTrait(QPainter& peintre, const QPainterPath& chemin, const QColor& couleur,
                  qreal épaisseur) {
    peintre.strokePath(chemin,
                       QPen(couleur, épaisseur, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}
