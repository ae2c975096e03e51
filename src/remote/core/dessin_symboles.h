#pragma once

#include <QColor>
#include <QPointF>

class QPainter;

// The pictograms printed on the keys. taille is the height of the box they fit in.
enum class Symbole {
    Marche,
    Accueil,
    Muet,
    LecturePause,
    Arrêt,
    RetourRapide,
    AvanceRapide,
    Précédent,
    Suivant,
    Retour,
    Enregistrement,
    Plus,
    Moins,
    ChevronHaut,
    ChevronBas,
};

void DessineSymbole(QPainter& peintre, Symbole symbole, QPointF centre, qreal taille,
                    const QColor& couleur);
