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

// How the window is cut out of its rectangle: by a 1-bit mask on a colour key, or, where a
// compositor blends windows, by the picture's own transparency, which smooths the outline.
enum class Découpe { Masque, Transparence };

// The remote's picture, drawn at the device pixel ratio (at least 1). With Découpe::Masque,
// pixels outside the outline are exactly CouleurTransparente and no pixel inside it carries any
// of that colour, so that cutting the window out with SilhouetteTélécommande leaves no pink
// fringe. With Découpe::Transparence, they are transparent and the outline is anti-aliased.
QImage ImageTélécommande(int modèle, double échelle, qreal dpr = 1.0,
                         Découpe découpe = Découpe::Masque);

// The main window's mask, in logical pixels at that scale: the pixels inside the outline, or
// with Découpe::Transparence every pixel the outline touches, so that the smoothed edge shows
// whole while clicks beside it still reach the window below.
QRegion SilhouetteTélécommande(int modèle, double échelle, Découpe découpe = Découpe::Masque);
