#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The lookup and update rules of settings files, applied to the bytes of a whole file
// (Windows-1252 text, lines ending with CR LF, LF or CR). A file that an editor saved as
// UTF-8 (valid UTF-8 holding other than ASCII, or behind a byte order mark) is read and
// written as UTF-8 instead; a leading byte order mark is skipped. Section and key names compare
// without regard to case; the first section of a name and its first key of a name count.
// A name or a value is cut at its first line break or NUL, which a line cannot hold.

// The key's value, blanks trimmed and a pair of enclosing quotes (" or ') removed; none
// when the section or the key is missing.
std::optional<QString> ValeurIni(QByteArrayView contenu, QStringView section, QStringView clé);

// The bytes with the key set to the value: the key's line is rewritten where it stands, or
// a line is added after the last line of its section, or the section is added at the end.
// Every other line is kept byte for byte; new lines end as the file's first line does.
QByteArray AvecValeurIni(QByteArrayView contenu, QStringView section, QStringView clé,
                         QStringView valeur);

// The whole file as text, in the encoding the two routines above read and write it with.
QString TexteIni(QByteArrayView contenu);
