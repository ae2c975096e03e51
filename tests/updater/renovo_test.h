#pragma once

// Helpers of Renovo's tests: files, and the error a call raises.

#include "ansi.h"
#include "erreur_renovo.h"
#include "fichiers_test.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

inline QString LitAnsi(const QString& chemin) {
    return DepuisAnsi(LitFichier(chemin));
}

// The error number a call raises, 0 when none.
template <typename F> int Erreur(F&& appel) {
    try {
        appel();
    } catch (const ErreurRenovo& e) {
        return e.numéro;
    }
    return 0;
}
