#include "table_touches.h"

#include <array>

namespace {

constexpr QRect r(int gauche, int haut, int largeur, int hauteur) {
    return QRect(gauche, haut, largeur, hauteur);
}

const std::array<ZoneTouche, 41> touches = {{
    {0, "power", u"Marche / veille", r(315, 2355, 405, 405), r(1140, 0, 570, 570)},
    {1, "tv", u"TV", r(1890, 2355, 405, 405), r(0, 0, 570, 570)},
    {2, "list", u"Liste", r(1005, 2460, 600, 315), std::nullopt},
    {3, "1", u"1", r(300, 2850, 480, 285), r(0, 590, 570, 570)},
    {4, "2", u"2", r(810, 2850, 480, 285), r(570, 590, 570, 570)},
    {5, "3", u"3", r(1320, 2850, 480, 285), r(1140, 590, 570, 570)},
    {6, "info", u"Info", r(1830, 2850, 480, 285), std::nullopt},
    {7, "4", u"4", r(300, 3180, 480, 285), r(0, 1160, 570, 570)},
    {8, "5", u"5", r(810, 3180, 480, 285), r(570, 1160, 570, 570)},
    {9, "6", u"6", r(1320, 3180, 480, 285), r(1140, 1160, 570, 570)},
    {10, "mail", u"Mail", r(1830, 3180, 480, 285), std::nullopt},
    {11, "7", u"7", r(300, 3510, 480, 285), r(0, 1730, 570, 570)},
    {12, "8", u"8", r(810, 3510, 480, 285), r(570, 1730, 570, 570)},
    {13, "9", u"9", r(1320, 3510, 480, 285), r(1140, 1730, 570, 570)},
    {14, "help", u"Aide", r(1830, 3510, 480, 285), std::nullopt},
    {15, "back", u"Retour", r(315, 3840, 480, 285), std::nullopt},
    {16, "0", u"0", r(825, 3840, 480, 285), r(570, 2300, 570, 570)},
    {17, "swap", u"Swap", r(1335, 3840, 480, 285), std::nullopt},
    {18, "pip", u"Incrustation (PIP)", r(1845, 3840, 480, 285), std::nullopt},
    {19, "bwd", u"Retour rapide", r(300, 6060, 450, 285), r(0, 6300, 570, 570)},
    {20, "prev", u"Précédent", r(300, 6480, 450, 285), std::nullopt},
    {21, "next", u"Suivant", r(1845, 6465, 450, 285), std::nullopt},
    {22, "fwd", u"Avance rapide", r(1845, 6060, 450, 285), r(1140, 6300, 570, 570)},
    {23, "rec", u"Enregistrement", r(1845, 5655, 450, 285), r(570, 5730, 570, 570)},
    {24, "mute", u"Coupure du son", r(300, 5655, 450, 285), r(570, 5160, 570, 570)},
    {25, "ok", u"OK", r(1065, 4725, 465, 435), r(570, 3460, 570, 570)},
    {26, "vol_inc", u"Volume +", r(315, 4440, 330, 450), r(0, 5160, 570, 570)},
    {27, "vol_dec", u"Volume −", r(315, 5010, 330, 450), r(0, 5730, 570, 570)},
    {28, "prgm_inc", u"Chaîne suivante", r(1965, 4440, 330, 450), r(1140, 5160, 570, 570)},
    {29, "prgm_dec", u"Chaîne précédente", r(1965, 5010, 330, 450), r(1140, 5730, 570, 570)},
    {30, "up", u"Haut", r(1065, 4335, 465, 375), r(570, 2890, 570, 570)},
    {31, "red", u"Rouge", r(1050, 480, 510, 510), r(0, 2890, 570, 570)},
    {32, "down", u"Bas", r(1065, 5175, 465, 375), r(570, 4030, 570, 570)},
    {33, "left", u"Gauche", r(675, 4725, 375, 435), r(0, 3460, 570, 570)},
    {34, "right", u"Droite", r(1545, 4725, 375, 435), r(1140, 3460, 570, 570)},
    {35, "yellow", u"Jaune", r(540, 990, 510, 510), r(1140, 4030, 570, 570)},
    {36, "green", u"Vert", r(1560, 990, 510, 510), r(0, 4030, 570, 570)},
    {37, "blue", u"Bleu", r(1050, 1500, 510, 495), r(1140, 2890, 570, 570)},
    {42, "play", u"Lecture / pause", r(825, 6195, 435, 450), r(570, 6300, 570, 570)},
    {43, "stop", u"Stop", r(1335, 6195, 435, 450), std::nullopt},
    {44, "home", u"Accueil (Free)", r(930, 5640, 735, 465), r(210, 4605, 1305, 555)},
}};

} // namespace

std::span<const ZoneTouche> TableTouches() {
    return touches;
}

QSize TailleTélécommande(int modèle) {
    return modèle == 6 ? QSize(1710, 8940) : QSize(2520, 9000);
}

QRect ZoneBoutonFenêtre(BoutonFenêtre bouton, int modèle) {
    const bool v6 = modèle == 6;
    QPoint coin;
    switch (bouton) {
    case BoutonFenêtre::Réduire:
        coin = v6 ? QPoint(600, 50) : QPoint(1350, 75);
        break;
    case BoutonFenêtre::Quitter:
        coin = v6 ? QPoint(860, 50) : QPoint(1650, 180);
        break;
    case BoutonFenêtre::Clavier:
        coin = v6 ? QPoint(860, 300) : QPoint(1050, 75);
        break;
    case BoutonFenêtre::ListeChaînes:
        coin = v6 ? QPoint(600, 300) : QPoint(750, 180);
        break;
    }
    return QRect(coin, QSize(CôtéBoutonFenêtre, CôtéBoutonFenêtre));
}
