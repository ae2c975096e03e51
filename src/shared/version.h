#pragma once

#include <QString>

// "v1.2", "v2.0.1", or for a revision above 99 a pre-release text such as "v1.2 beta 3".
QString TexteVersion(int majeur, int mineur, int révision);

// The same for the running program (QCoreApplication::applicationVersion()).
QString TexteVersion();

// The program's title (QCoreApplication::applicationName()), a space and its version text.
QString TitreEtVersion(const QString& texteVersion = TexteVersion());
