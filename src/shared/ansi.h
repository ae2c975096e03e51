#pragma once

#include <QByteArray>
#include <QString>

// The "ANSI" code page of both programs is Windows-1252 on every platform, so that
// files written on one system read the same on another.

// One character per byte; the five bytes that Windows-1252 leaves undefined map to the
// control characters of the same code, so every byte survives a round trip.
QString DepuisAnsi(QByteArrayView octets);

// A character outside Windows-1252 becomes "?", as the platform's ANSI functions do.
QByteArray EnAnsi(QStringView texte);

// The ANSI code of one character, or '?' when it has none.
char CaractèreAnsi(QChar c);
