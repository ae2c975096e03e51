#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// The size of the logo pictures for the size setting in percent: 70 × 54 pixels at 100 %,
// each side rounded half to even (25 % gives 18 × 14).
QSize TailleImagesLogos(int pourcentage);

// The channel a logo file belongs to: the name without "Canal " and ".png", read as a whole
// number ("Canal 5.png" is channel 5); 0 when it does not read as one.
qint64 NuméroLogo(const QString& nomFichier);

struct FichierLogo {
    QString clé; // "?" for the picture of channels without a logo, else "K" and the number
    QString chemin;
};

// The logo files of the folders, searched in order: "_sans.png" under "?", then every "*.png"
// by name under its channel's key ("_sans.png" too, as channel 0). A file name found in an
// earlier folder hides the same name in later ones. Several files may give one key: the
// first that loads is meant to win.
QList<FichierLogo> FichiersLogos(const QStringList& dossiers);
