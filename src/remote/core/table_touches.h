#pragma once

#include <QRect>
#include <QString>

#include <optional>
#include <span>

// One key zone of a remote: the box's name for the key, what a user calls it, and its
// rectangle on each remote's picture in twips at 100 % (none when that remote lacks it).
struct ZoneTouche {
    int index;
    const char* nomTouche;
    const char16_t* libellé;
    std::optional<QRect> zoneV5;
    std::optional<QRect> zoneV6;
};

std::span<const ZoneTouche> TableTouches();

// The remote picture's design size in twips (2520 x 9000 and 1710 x 8940).
QSize TailleTélécommande(int modèle);

// The four small window buttons, 195 x 195 twips at 100 %.
enum class BoutonFenêtre { Réduire, Quitter, Clavier, ListeChaînes };
constexpr int CôtéBoutonFenêtre = 195;
QRect ZoneBoutonFenêtre(BoutonFenêtre bouton, int modèle);

// 15 twips per logical pixel.
constexpr double TwipsParPixel = 15.0;
