#pragma once

#include <QIcon>

// The program's icon, a small remote, drawn for 16 to 256 pixels: window, notification
// area and splash screen.
QIcon IcôneNavelo();
