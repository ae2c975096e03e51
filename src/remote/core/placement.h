#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the windows go on the screens' available areas (task bars and panels left out), in
// pixels, window frames included.

// The rectangle moved, size kept, so that all of it lies on `surface`; when it is the larger,
// its top left corner shows (the remote's window buttons and colour keys).
QRect DansSurface(const QRect& fenêtre, const QRect& surface);

// The area the window overlaps most, or else the nearest one; an empty one when there is none.
QRect SurfaceDe(const QRect& fenêtre, const QList<QRect>& surfaces);

// The same as DansSurface, onto that area.
QRect SurUneSurface(const QRect& fenêtre, const QList<QRect>& surfaces);

// Top left corner of a window of `taille` beside `voisine`, all of it on `surface` and clear
// of the `occupées` windows: on its right when there is room, else on its left; level with
// its top, or below a window already there. Without room anywhere, on the side with more.
QPoint ÀCôté(QSize taille, const QRect& voisine, const QRect& surface,
             const QList<QRect>& occupées = {});
