#pragma once

#include <QList>
#include <QUrl>

// Opens an address (web page, "mailto:") with the user's program for it; the outcome is
// not checked.
void OuvreAdresse(const QUrl& adresse);

// Test hook: from now on addresses are recorded instead of opened.
void EnregistreAdressesSansOuvrir();
QList<QUrl> AdressesOuvertes();
