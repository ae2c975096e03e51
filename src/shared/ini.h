#pragma once

#include <QString>

// Settings files behave as the Windows private-profile functions do: names without regard
// to case, the first section and the first key of a name win, blanks trimmed, a value in
// matching quotes comes back without them, ";" starts a comment. On disk: Windows-1252, or
// UTF-8 for a file an editor saved so.

// The value, or `défaut` without its trailing blanks when the file, the section or the key
// is missing; at most 31999 characters, as the 32000-character buffer of the original
// allows.
QString LitIni(const QString& fichier, const QString& section, const QString& clé,
               const QString& défaut);

// Replaces the key where it stands, or appends it to its section, or appends the section.
// Every other line is kept byte for byte; a value is cut at its first line break, which
// would otherwise break the file. The file is replaced atomically (a new one is readable by
// its owner only); a failure leaves the old file as it was and is not reported.
void EcritIni(const QString& fichier, const QString& section, const QString& clé,
              const QString& valeur);
