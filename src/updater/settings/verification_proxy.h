#pragma once

#include <QString>

#include <optional>

enum class ChampProxy { Adresse, Port };

// A refused field and the catalogue key of the message that says why.
struct RefusProxy {
    ChampProxy champ;
    QString cléMessage;
};

// The access type that goes through a named proxy, whose address and port must be given.
inline constexpr qint32 AccèsParProxy = 2;

// Checks the connection fields for OK: only a named proxy needs an address and a port of
// decimal digits from 0 to 65535; the other access types take any text.
std::optional<RefusProxy> VérifieProxy(qint32 typeAccès, const QString& adresse,
                                       const QString& port);

// The first character of `texte` that the settings file, written in Windows-1252, cannot
// hold; none when every one fits.
std::optional<QString> CaractèreNonEnregistrable(QStringView texte);
