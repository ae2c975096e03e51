#pragma once

#include "infos_chaine.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The steps of the channel decoding, one object at a time. An object's text is what lies
// between its braces.

// The object's bytes with their percent escapes turned into the bytes they name, read as
// UTF-8 (each invalid sequence becomes U+FFFD).
QString DecodeUTF8(QByteArrayView objet);

// The channel of one decoded object; nothing when the object is malformed or empty.
std::optional<InfosChaîne> DécodeChaîne(QStringView objet);

struct Paire {
    QStringView clé;
    QStringView valeur;
};

// Reads the pair that starts at `position` in `objet` and moves `position` past the pair and
// its separator; nothing when the pair is malformed (then `position` is unspecified).
std::optional<Paire> ExtraitPaire(QStringView objet, qsizetype& position);

// Drops escaping backslashes: "\\" gives one backslash, "\x" gives x.
QString RetireÉchappements(QStringView texte);
