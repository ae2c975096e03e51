#pragma once

#include <QString>

// Where a local socket of this user named `nom` lives, out of other users' reach: on Linux, a
// path in the user's private runtime folder. Empty when no such place can be had; the caller
// then goes without the socket.
QString AdresseLocalePrivée(const QString& nom);
