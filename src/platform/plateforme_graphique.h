#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>

// The display platform to start the program on, or empty to leave the choice to Qt. In a
// Wayland session with X11 at hand (XWayland), X11: there a window can place itself, be
// moved by the program and stay on top, which Wayland leaves to the compositor. A platform
// the user chose (QT_QPA_PLATFORM, or -platform on the command line) is kept.
QByteArray PlateformeGraphique(const QProcessEnvironment& environnement,
                               const QStringList& arguments);
