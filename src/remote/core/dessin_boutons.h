#pragma once

#include "table_touches.h"

#include <QPixmap>

// Side in logical pixels of a window button at a scale: 13 at 100 %, rounded.
int CôtéImageBoutonFenêtre(double échelle);

// A window button's picture for a model's remote, normal or under the mouse, drawn at the
// device pixel ratio. Transparent around the round button, so the remote shows through; its
// normal face stands out from that remote's body (dark on silver, light on black).
QPixmap ImageBoutonFenêtre(BoutonFenêtre bouton, int modèle, bool survolé, double échelle,
                           qreal dpr = 1.0);
