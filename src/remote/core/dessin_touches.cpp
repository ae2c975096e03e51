#include "dessin_touches.h"

#include "dessin_outils.h"
#include "dessin_symboles.h"
#include "table_touches.h"

#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QColor Encre(242, 243, 245);

const CouleursTouche Graphite{QColor(92, 96, 104), QColor(50, 53, 58), QColor(38, 40, 44)};
const CouleursTouche Anthracite{QColor(74, 77, 84), QColor(40, 42, 46), QColor(24, 25, 28)};
const CouleursTouche Rouge{QColor(236, 84, 70), QColor(178, 32, 26), QColor(120, 20, 16)};
const CouleursTouche Jaune{QColor(255, 224, 90), QColor(232, 168, 20), QColor(150, 104, 8)};
const CouleursTouche Vert{QColor(96, 196, 104), QColor(30, 122, 46), QColor(18, 80, 30)};
const CouleursTouche Bleu{QColor(80, 150, 236), QColor(22, 78, 170), QColor(14, 50, 112)};

QRectF EnPixels(const QRect& twips) {
    return QRectF(twips.x() / TwipsParPixel, twips.y() / TwipsParPixel,
                  twips.width() / TwipsParPixel, twips.height() / TwipsParPixel);
}

std::optional<QRectF> Zone(std::string_view nom, int modèle) {
    for (const ZoneTouche& touche : TableTouches()) {
        if (nom == touche.nomTouche) {
            const auto& zone = modèle == 6 ? touche.zoneV6 : touche.zoneV5;
            if (zone)
                return EnPixels(*zone);
        }
    }
    return std::nullopt;
}

QRectF ZoneV5(std::string_view nom) {
    return Zone(nom, 5).value_or(QRectF());
}

const CouleursTouche* CouleurVive(std::string_view nom) {
    if (nom == "red")
        return &Rouge;
    if (nom == "yellow")
        return &Jaune;
    if (nom == "green")
        return &Vert;
    if (nom == "blue")
        return &Bleu;
    return nullptr;
}

// Gloss on the upper half of a round or square key, as on moulded plastic.
void DessineBrillance(QPainter& peintre, const QPainterPath& forme) {
    const QRectF cadre = forme.boundingRect();
    QRadialGradient lueur(cadre.center().x(), cadre.top() + cadre.height() * 0.2,
                          cadre.width() * 0.6);
    lueur.setColorAt(0, QColor(255, 255, 255, 90));
    lueur.setColorAt(1, QColor(255, 255, 255, 0));
    peintre.fillPath(forme, lueur);
}

// What a key carries: a symbol or a short text; nothing for the coloured keys.
struct Étiquette {
    std::optional<Symbole> symbole;
    QString texte;
};

Étiquette ÉtiquetteDe(std::string_view nom) {
    static const std::pair<std::string_view, Symbole> symboles[] = {
        {"power", Symbole::Marche},        {"home", Symbole::Accueil},
        {"mute", Symbole::Muet},           {"play", Symbole::LecturePause},
        {"stop", Symbole::Arrêt},          {"bwd", Symbole::RetourRapide},
        {"fwd", Symbole::AvanceRapide},    {"prev", Symbole::Précédent},
        {"next", Symbole::Suivant},        {"back", Symbole::Retour},
        {"rec", Symbole::Enregistrement},  {"vol_inc", Symbole::Plus},
        {"vol_dec", Symbole::Moins},       {"prgm_inc", Symbole::ChevronHaut},
        {"prgm_dec", Symbole::ChevronBas},
    };
    for (const auto& [clé, symbole] : symboles) {
        if (nom == clé)
            return {symbole, {}};
    }
    static const std::pair<std::string_view, const char16_t*> textes[] = {
        {"tv", u"TV"},  {"list", u"list"}, {"info", u"info"}, {"mail", u"mail"},
        {"help", u"?"}, {"swap", u"swap"}, {"pip", u"pip"},   {"ok", u"OK"},
    };
    for (const auto& [clé, texte] : textes) {
        if (nom == clé)
            return {std::nullopt, QString::fromUtf16(texte)};
    }
    if (CouleurVive(nom))
        return {};
    // The digits, whose names are their labels.
    return {std::nullopt, QString::fromLatin1(nom.data(), qsizetype(nom.size()))};
}

// Single characters are drawn larger than words; words shrink to fit the key's width.
void DessineÉtiquette(QPainter& peintre, std::string_view nom, const QRectF& face, qreal taille) {
    const Étiquette étiquette = ÉtiquetteDe(nom);
    const QColor couleur = nom == "rec" ? QColor(236, 48, 36) : Encre;
    if (étiquette.symbole) {
        DessineSymbole(peintre, *étiquette.symbole, face.center(), taille, couleur);
        return;
    }
    if (étiquette.texte.isEmpty())
        return;
    // Room enough for "swap", the widest word, at the size of the others.
    const bool caractère = étiquette.texte.size() == 1;
    DessineTexte(peintre, face.center(), étiquette.texte, caractère ? taille * 0.8 : taille * 0.56,
                 couleur, true, face.width() * (caractère ? 0.74 : 0.86));
}

const CouleursTouche& CouleursDe(std::string_view nom, const CouleursTouche& ordinaire) {
    if (const CouleursTouche* vive = CouleurVive(nom))
        return *vive;
    if (nom == "power")
        return Rouge;
    return ordinaire;
}

void DessineCuvetteCouleurs(QPainter& peintre) {
    const QRectF rouge = ZoneV5("red");
    const QRectF bleu = ZoneV5("blue");
    const QPointF centre((rouge.center() + bleu.center()) / 2);
    const qreal rayon = (bleu.bottom() - rouge.top()) / 2 + 1.5;
    QRadialGradient creux(centre, rayon);
    creux.setColorAt(0.82, QColor(0, 0, 0, 40));
    creux.setColorAt(1, QColor(0, 0, 0, 10));
    const QPainterPath cuvette = Disque(centre, rayon);
    peintre.fillPath(cuvette, creux);
    peintre.strokePath(cuvette, QPen(QColor(255, 255, 255, 110), 0.6));
}

void DessineCroix(QPainter& peintre) {
    const QRectF haut = ZoneV5("up");
    const QRectF bas = ZoneV5("down");
    const QRectF gauche = ZoneV5("left");
    const QRectF droite = ZoneV5("right");
    const QRectF cadre(QPointF(gauche.left(), haut.top()), QPointF(droite.right(), bas.bottom()));
    const QRectF coussin = cadre.adjusted(0.5, 0.5, -0.5, -0.5);
    DessineFace(peintre, RectangleArrondi(coussin, coussin.width() * 0.36), Graphite);

    const qreal flèche = 9;
    peintre.fillPath(Triangle(haut.center() + QPointF(0, -1.5), flèche, 270), Encre);
    peintre.fillPath(Triangle(bas.center() + QPointF(0, 1.5), flèche, 90), Encre);
    peintre.fillPath(Triangle(gauche.center() + QPointF(-1, 0), flèche, 180), Encre);
    peintre.fillPath(Triangle(droite.center() + QPointF(1, 0), flèche, 0), Encre);

    const QRectF ok = ZoneV5("ok");
    const QPainterPath bouton = Disque(ok.center(), std::min(ok.width(), ok.height()) / 2 - 0.5);
    peintre.fillPath(Disque(ok.center(), std::min(ok.width(), ok.height()) / 2 + 0.6),
                     QColor(0, 0, 0, 70));
    DessineFace(peintre, bouton, Anthracite);
    DessineBrillance(peintre, bouton);
    DessineTexte(peintre, ok.center(), u"OK"_s, 10, Encre);
}

void DessineBascule(QPainter& peintre, std::string_view plus, std::string_view moins) {
    const QRectF haut = ZoneV5(plus);
    const QRectF bas = ZoneV5(moins);
    const QRectF pilule = haut.united(bas).adjusted(1, 1, -1, -1);
    DessineFace(peintre, RectangleArrondi(pilule, pilule.width() / 2), Graphite);
    peintre.fillRect(
        QRectF(pilule.left() + 3, (haut.bottom() + bas.top()) / 2 - 0.3, pilule.width() - 6, 0.6),
        QColor(0, 0, 0, 90));
    DessineÉtiquette(peintre, plus, haut, 15);
    DessineÉtiquette(peintre, moins, bas, 15);
}

// The box's zones of the row of "back", "0", "swap" and "pip" lie one pixel right of the
// columns above; the keys are drawn in those columns, which the zones still cover.
QRectF FaceV5(const ZoneTouche& touche) {
    const QRectF zone = EnPixels(*touche.zoneV5);
    const QRectF retour = ZoneV5("back");
    if (zone.top() != retour.top())
        return zone;
    return zone.translated(ZoneV5("7").left() - retour.left(), 0);
}

bool EstRonde(std::string_view nom) {
    return nom == "power" || nom == "tv" || nom == "play" || nom == "stop" || CouleurVive(nom);
}

bool EstGroupée(std::string_view nom) {
    return nom == "up" || nom == "down" || nom == "left" || nom == "right" || nom == "ok" ||
           nom == "vol_inc" || nom == "vol_dec" || nom == "prgm_inc" || nom == "prgm_dec";
}

} // namespace

void DessineTouchesV5(QPainter& peintre) {
    DessineCuvetteCouleurs(peintre);
    DessineCroix(peintre);
    DessineBascule(peintre, "vol_inc", "vol_dec");
    DessineBascule(peintre, "prgm_inc", "prgm_dec");

    for (const ZoneTouche& touche : TableTouches()) {
        const std::string_view nom = touche.nomTouche;
        if (!touche.zoneV5 || EstGroupée(nom))
            continue;
        const QRectF zone = FaceV5(touche);
        const CouleursTouche& couleurs = CouleursDe(nom, Graphite);
        if (EstRonde(nom)) {
            const qreal rayon = std::min(zone.width(), zone.height()) / 2 - 1.5;
            const QPainterPath disque = Disque(zone.center(), rayon);
            DessineFace(peintre, disque, couleurs);
            DessineBrillance(peintre, disque);
            DessineÉtiquette(peintre, nom, zone, rayon * 1.25);
        } else {
            const QRectF face = zone.adjusted(1.5, 1.5, -1.5, -1.5);
            DessineFace(peintre, RectangleArrondi(face, face.height() * 0.32), couleurs);
            DessineÉtiquette(peintre, nom, face, face.height() * (nom == "home" ? 0.7 : 0.95));
        }
    }
}

void DessineTouchesV6(QPainter& peintre) {
    for (const ZoneTouche& touche : TableTouches()) {
        if (!touche.zoneV6)
            continue;
        const std::string_view nom = touche.nomTouche;
        const QRectF face = EnPixels(*touche.zoneV6).adjusted(3.5, 3.5, -3.5, -3.5);
        const QPainterPath forme = RectangleArrondi(face, 6);
        const bool flèche = nom == "up" || nom == "down" || nom == "left" || nom == "right";
        DessineFace(peintre, forme, CouleursDe(nom, flèche || nom == "ok" ? Graphite : Anthracite));
        DessineBrillance(peintre, forme);
        if (flèche) {
            const qreal direction = nom == "right"  ? 0
                                    : nom == "down" ? 90
                                    : nom == "left" ? 180
                                                    : 270;
            peintre.fillPath(Triangle(face.center(), 10, direction), Encre);
        } else {
            DessineÉtiquette(peintre, nom, face, std::min(face.height(), 22.0) * 0.8);
        }
    }
}

QColor CouleurFondClavier() {
    return QColor(206, 209, 214);
}

void DessineToucheClavier(QPainter& peintre, const QRectF& touche, const QString& légende,
                          bool spéciale, ÉtatTouche état) {
    // Margins and rounding in proportion to the key, as on the remote at any size.
    const qreal marge = touche.height() * 0.075;
    const QRectF face = touche.adjusted(marge, marge, -marge, -marge);
    CouleursTouche couleurs = spéciale ? Anthracite : Graphite;
    if (état == ÉtatTouche::Survol)
        couleurs = {couleurs.haut.lighter(118), couleurs.bas.lighter(118), couleurs.bord};
    else if (état == ÉtatTouche::Enfoncée)
        couleurs = {couleurs.bas, couleurs.haut, couleurs.bord};
    const QPainterPath forme = RectangleArrondi(face, face.height() * 0.32);
    DessineFace(peintre, forme, couleurs);
    if (légende.isEmpty())
        return;

    // The tall OK key and the long keys take the size of the ordinary ones.
    const qreal module = std::min(face.height(), face.width() * 0.75);
    static const std::pair<char16_t, qreal> flèches[] = {
        {u'\u2192', 0}, {u'\u2193', 90}, {u'\u2190', 180}, {u'\u2191', 270}};
    for (const auto& [flèche, direction] : flèches) {
        if (légende == QChar(flèche)) {
            peintre.fillPath(Triangle(face.center(), module * 0.5, direction), Encre);
            return;
        }
    }
    const bool caractère = légende.size() == 1;
    DessineTexte(peintre, face.center(), légende, caractère ? module * 0.62 : module * 0.5, Encre,
                 true, face.width() * 0.8, caractère && !légende.at(0).isLetterOrNumber());
}
