#pragma once

#include "ansi.h"

#include <QFile>

// Settings as a Windows editor writes them: Windows-1252, CR LF.
inline bool ÉcritConfig(const QString& chemin, const QString& lignes) {
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) &&
           f.write(EnAnsi(QString(u"[Config]\r\n" + lignes + u"\r\n"))) > 0;
}

inline QString LitConfig(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? DepuisAnsi(f.readAll()) : QString();
}
