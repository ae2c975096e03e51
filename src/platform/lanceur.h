#pragma once

#include <QString>
#include <QStringList>

// How a started program's first window should show.
enum class ModeAffichage { Normal, RéduitAvecFocus };

// Starts a program by its full path, detached, without a shell. False when it could not
// be started.
bool LanceProgramme(const QString& programme, const QStringList& arguments, ModeAffichage mode);
