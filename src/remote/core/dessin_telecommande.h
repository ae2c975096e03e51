#pragma once

#include <QImage>
#include <QRegion>
#include <QSize>

// Colour key of the main window: the pictures are magenta outside the remote's outline.
constexpr QRgb CouleurTransparente = qRgb(255, 0, 255);

// Size in logical pixels of a remote's picture at a scale (1.0 = 100 %): the design size,
// 168 x 600 for model 5 and 114 x 596 for model 6, times the scale, rounded. Any model
// other than 6 is drawn as model 5, like the key table.
QSize TailleImageTélécommande(int modèle, double échelle);

// The remote's picture, drawn at the device pixel ratio (at least 1). Pixels outside the outline
// are exactly CouleurTransparente; no pixel inside it carries any of that colour, so that cutting
// the window out with SilhouetteTélécommande leaves no pink fringe.
QImage ImageTélécommande(int modèle, double échelle, qreal dpr = 1.0);

// The outline's pixels, in logical pixels at that scale: the main window's mask.
QRegion SilhouetteTélécommande(int modèle, double échelle);
