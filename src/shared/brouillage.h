#pragma once

#include <QString>

// A few texts are stored only as scrambled hexadecimal digits. Each byte of a text of m
// bytes has its two hex digits swapped and is XORed with 256 - m + j (j from 0).
QString DésembrouilleTexte(const QString& brouillé);
QString EmbrouilleTexte(const QString& clair);
