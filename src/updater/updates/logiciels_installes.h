#pragma once

#include "registre.h"

#include <QString>
#include <QStringList>

// The uninstall key, relative to each root.
inline const QString CléDésinstallation =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall");

// Appends "name=version" for every subkey whose publisher is the maker (the whole value,
// any letter case). The name is the display name up to " v" ("Navelo v1.0" gives
// "Navelo"). A missing key adds nothing. A program already listed, under its name in any
// letter case, is listed once: the later entry takes the earlier one's place, so the user's
// own install, searched after the machine's, is the one checked and updated (the installers
// run as the user, and the user's copy is the one the user's menus start).
void RechercheLogicielsInstallés(const Registre& registre, RacineRegistre racine,
                                 const QString& clé, QStringList& liste);
