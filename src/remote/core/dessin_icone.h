#pragma once

#include <QIcon>

// The program's icon, drawn for 16 to 256 pixels: the desktop's menu. A small remote from 32
// pixels on; below, a square tile with its four coloured keys, legible in a notification area.
QIcon IcôneNavelo();

// The same up to 128 pixels, with 20 and 22 for notification areas of those heights: windows,
// notification area and splash screen. A window hands
// every size of its icon to the display when it is created, and 256 pixels would be three
// quarters of it.
QIcon IcôneFenêtres();
