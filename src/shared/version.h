#pragma once

#include <QString>

// "v1.2", "v2.0.1", or for a revision above 99 a pre-release text built from the revision
// alone: its first three digits (at least four digits, leading zeros) give the version and
// the rest the beta number, so 1203 gives "v1.2 beta 3" and 1213 "v1.2.1 beta 3".
QString TexteVersion(int majeur, int mineur, int révision);

// The same for the running program, from QCoreApplication::applicationVersion() ("1.0.0");
// a missing number counts as 0.
QString TexteVersion();

// The program's title (QCoreApplication::applicationName()), a space and its version text.
QString TitreEtVersion(const QString& texteVersion = TexteVersion());
