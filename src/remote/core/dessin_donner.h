#pragma once

#include <QPixmap>
#include <QSize>

// Logical size shared by the French and the English donation pictures, which alternate
// in the same place.
QSize TailleImageDonner();

// The donation button's picture, "Faire un don" or "Donate", at the device pixel ratio.
QPixmap ImageDonner(bool français, qreal dpr = 1.0);
