#pragma once

#include <QIcon>
#include <QPixmap>

// The updater's artwork, drawn by the program at the screen's pixel ratio so that it stays
// crisp at every scale. Sizes are logical pixels.

// A blue tile with two arrows turning round: windows and the desktop's menu.
QIcon IcôneRenovo();

// The picture beside the wizard's panels.
inline constexpr QSize TailleImagePar(132, 300);
QPixmap ImagePar(qreal dpr = 1.0);

// The waiting animation: frames 1 to 8, a ring of dots whose bright head turns clockwise
// by one dot a frame.
inline constexpr QSize TailleImageAttente(40, 40);
QPixmap ImageAttente(int image, qreal dpr = 1.0);
