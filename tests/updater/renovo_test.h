#pragma once

// Helpers of Renovo's tests: files, and the error a call raises.

#include "ansi.h"
#include "erreur_renovo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Writes a whole file, its folders included.
inline bool ÉcritFichier(const QString& chemin, const QByteArray& contenu) {
    QDir().mkpath(QFileInfo(chemin).path());
    QFile fichier(chemin);
    return fichier.open(QIODevice::WriteOnly) && fichier.write(contenu) == contenu.size();
}

inline QByteArray LitFichier(const QString& chemin) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}
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
