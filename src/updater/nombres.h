#pragma once

#include <QStringView>

#include <optional>

// Numbers in settings and language files, read as the original runtime read them.

// The number a text begins with, blanks skipped ("12abc" gives 12); 0 when none.
double ValeurNumérique(QStringView texte);

// The whole text, blanks around it aside, as a number; none when it is not one (an empty
// text included).
std::optional<double> ConvertitNombre(QStringView texte);

// Rounded to the nearest whole number, halves to the even one; none outside the range of
// the type.
std::optional<qint64> ArrondiEntier(double valeur, qint64 minimum, qint64 maximum);
