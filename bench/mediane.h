#pragma once

#include <QList>

#include <algorithm>

// The middle value of the runs (the upper one of an even count): one slow run, the shared
// machine's doing, moves it little.
inline double Médiane(QList<double> valeurs) {
    std::sort(valeurs.begin(), valeurs.end());
    return valeurs.at(valeurs.size() / 2);
}
