#pragma once

#include <QIcon>

// The program's icon, a small remote, drawn for 16 to 256 pixels: the desktop's menu.
QIcon IcôneNavelo();

// The same up to 128 pixels: windows, notification area and splash screen. A window hands
// every size of its icon to the display when it is created, and 256 pixels would be three
// quarters of it.
QIcon IcôneFenêtres();
