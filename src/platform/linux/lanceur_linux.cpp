#include "lanceur.h"

#include <QProcess>

// X11 and Wayland leave the first window's state to the program itself.
bool LanceProgramme(const QString& programme, const QStringList& arguments, ModeAffichage) {
    return QProcess::startDetached(programme, arguments);
}
