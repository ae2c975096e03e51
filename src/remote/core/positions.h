#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Positions and sizes in twips (the settings file's unit, 15 per logical pixel) and in
// logical pixels (the windows').
int EnPixels(double twips);
int EnTwips(int pixels);
QPoint EnPixels(QPoint twips);
QPoint EnTwips(QPoint pixels);
QRect EnPixels(const QRect& twips);
QRect EnTwips(const QRect& pixels);

// A key zone or window button given in twips at 100 %, in pixels at the scale f.
QRect ZoneÉchelonnée(const QRect& twips, float f);

// Left and top, in twips, that centre a window of `taille` pixels on a screen of `écran`
// pixels; halves round to even.
QPoint PositionCentrée(QSize taille, QSize écran);

// A window entirely outside every screen is moved, with its size, to the nearest place
// within the first screen; any other window is left where it is.
QRect RamèneSurÉcran(const QRect& fenêtre, const QList<QRect>& écrans);
