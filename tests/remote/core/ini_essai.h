#pragma once

#include "ansi.h"
#include "fichiers_test.h"

// Settings as a Windows editor writes them: Windows-1252, CR LF.
inline bool ÉcritConfig(const QString& chemin, const QString& lignes) {
    return ÉcritFichier(chemin, EnAnsi(QString(u"[Config]\r\n" + lignes + u"\r\n")));
}

inline QString LitConfig(const QString& chemin) {
    return DepuisAnsi(LitFichier(chemin));
}
