#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QString>

#include <limits>

class QPainter;

// Drawing helpers shared by the artwork. Every length is in design pixels (the size at
// 100 %); the painter's transform does the scaling, so nothing is rasterised early.

// Text as an outline, centred on its ink (descenders left out), so that it scales and
// centres exactly like the shapes around it. taille is the font's pixel size; the text
// shrinks when it would be wider than largeurMax. Signs keep their place on the line
// (a full stop stays low) when centred on the capitals' height instead.
void DessineTexte(QPainter& peintre, QPointF centre, const QString& texte, qreal taille,
                  const QColor& couleur, bool gras = true,
                  qreal largeurMax = std::numeric_limits<qreal>::infinity(),
                  bool surCapitales = false);

struct CouleursTouche {
    QColor haut;
    QColor bas;
    QColor bord;
};

// A key's face: a soft shadow below, a vertical gradient and a lighter upper rim.
void DessineFace(QPainter& peintre, const QPainterPath& forme, const CouleursTouche& couleurs);

QPainterPath RectangleArrondi(const QRectF& rect, qreal rayon);
QPainterPath Disque(QPointF centre, qreal rayon);

// An equilateral triangle of height taille, its box centred on centre, its point facing
// the direction in degrees (0 right, 90 down, 180 left, 270 up).
QPainterPath Triangle(QPointF centre, qreal taille, qreal direction);

// Outlined shapes drawn with round caps, for symbols made of strokes.
void DessineTrait(QPainter& peintre, const QPainterPath& chemin, const QColor& couleur,
                  qreal épaisseur);
