#pragma once

#include <QString>

// A few texts are stored only as scrambled hexadecimal digits. Each byte of a text of m
// bytes has its two hex digits swapped and is XORed with 256 - m + j (j from 0); bytes are
// Windows-1252 codes.

// An input that is not made of pairs of hexadecimal digits (odd length, another character)
// cannot come from EmbrouilleTexte and gives the empty text.
QString DésembrouilleTexte(const QString& brouillé);

// Upper-case hexadecimal digits, two per character; "?" for a character outside
// Windows-1252.
QString EmbrouilleTexte(const QString& clair);
