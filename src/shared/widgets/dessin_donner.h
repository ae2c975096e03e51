#pragma once

#include <QPixmap>

// The donation button's picture, "Faire un don" or "Donate", at the device pixel ratio.
QPixmap ImageDonner(bool français, qreal dpr = 1.0);
