#pragma once

#include <QString>

// Runs the program at `chemin` without a shell and without arguments, in `dossier`, and waits
// for its end while the window's events keep running. True when it started and exited
// normally with code 0. The process's own current folder is left alone.
bool ExécuteEtAttend(const QString& chemin, const QString& dossier);
