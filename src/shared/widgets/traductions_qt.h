#pragma once

#include <QString>

// Loads Qt's own translation of its standard texts (message box buttons, the context menu of
// text boxes) for a language such as "fr", so that they read in the interface's language
// whatever the system's. False when Qt has no translation installed for it.
bool ChargeTraductionsQt(const QString& langue);
