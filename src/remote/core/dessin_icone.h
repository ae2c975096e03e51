#pragma once

#include <QIcon>

// The program's icon, drawn for 16 to 256 pixels: the desktop's menu. One drawing at every
// size, a remote on a tile; below 32 pixels the remote is simplified, so that its four
// coloured keys stay legible in a notification area.
QIcon IcôneNavelo();

// The same up to 128 pixels, with 20 and 22 for notification areas of those heights: windows,
// notification area and splash screen. A window hands
// every size of its icon to the display when it is created, and 256 pixels would be three
// quarters of it.
QIcon IcôneFenêtres();
