#include "frmClavier.h"

#include "bouton_touche.h"
#include "core/dessin_touches.h"
#include "core/positions.h"
#include "fenetres.h"
#include "guide/multitap.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A key's place and size in twips at 100 %.
struct DessinTouche {
    bool spéciale;
    int index;
    QRect twips;
    QString légende;
    QString tag;
};

int Colonne(int c) {
    return 120 + 480 * c;
}
constexpr int Rangée[] = {120, 480, 840, 1200, 1560};

std::vector<DessinTouche> DessinClavier() {
    std::vector<DessinTouche> touches;
    const auto caractères = [&](int premier, int rangée, QStringView tags) {
        for (int c = 0; c < tags.size(); ++c) {
            const QString tag = tags.mid(c, 1).toString();
            touches.push_back(
                {false, premier + c, {Colonne(c), Rangée[rangée], 400, 300}, tag, tag});
        }
    };
    const auto touche = [&](bool spéciale, int index, int gauche, int rangée, int largeur,
                            int hauteur, const QString& légende, const QString& tag) {
        touches.push_back(
            {spéciale, index, {gauche, Rangée[rangée], largeur, hauteur}, légende, tag});
    };
    caractères(0, 0, u"1234567890");
    touche(true, 0, Colonne(10), 0, 885, 300, u"Suppr"_s, u"back"_s);
    caractères(10, 1, u"azertyuiop");
    touche(false, 45, Colonne(10), 1, 400, 300, u"-"_s, u"-"_s);
    touche(true, 1, Colonne(11), 1, 400, 1020, u"OK"_s, u"ok"_s);
    caractères(20, 2, u"qsdfghjklm");
    caractères(30, 3, u"wxcvbn.,?!");
    touche(true, 4, Colonne(10), 3, 400, 300, u"\u2191"_s, u"up"_s);
    touche(true, 2, Colonne(0), 4, 885, 300, u"Shift"_s, u"swap"_s);
    touche(false, 42, 1080, 4, 2325, 300, {}, u" "_s);
    touche(false, 47, Colonne(7), 4, 400, 300, u"'"_s, u"'"_s);
    touche(false, 48, Colonne(8), 4, 400, 300, u"\""_s, u"\""_s);
    touche(true, 3, Colonne(9), 4, 400, 300, u"\u2190"_s, u"left"_s);
    touche(true, 5, Colonne(10), 4, 400, 300, u"\u2193"_s, u"down"_s);
    touche(true, 6, Colonne(11), 4, 400, 300, u"\u2192"_s, u"right"_s);
    return touches;
}

// Keys whose caption is no word, named for assistive technology; the others are read as
// their caption.
const QHash<QString, QString> NomsAccessibles = {{u"up"_s, u"Haut"_s},
                                                 {u"down"_s, u"Bas"_s},
                                                 {u"left"_s, u"Gauche"_s},
                                                 {u"right"_s, u"Droite"_s},
                                                 {u" "_s, u"Espace"_s}};

} // namespace

frmClavier::frmClavier(ParamètresNavelo& paramètres, ExpéditeurTouches& expéditeur,
                       RaccourcisClavier& raccourcis, QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , paramètres(paramètres)
    , expéditeur(expéditeur)
    , raccourcis(raccourcis) {
    setWindowTitle(u"Clavier virtuel"_s);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, CouleurFondClavier());
    setPalette(fond);
    setAutoFillBackground(true);
    QObject::connect(&expéditeur.tmrLong, &QTimer::timeout, this, [this] {
        if (toucheTenue)
            toucheRépétée = true;
    });
    Form_Load();
}

void frmClavier::Form_Load() {
    const double f = paramètres.TailleClavier / 100.0;
    const auto place = [f](const QRect& twips) {
        return QRect(EnPixels(twips.x() * f), EnPixels(twips.y() * f), EnPixels(twips.width() * f),
                     EnPixels(twips.height() * f));
    };
    QRectF flècheDroite, shift, suppr;
    for (const DessinTouche& dessin : DessinClavier()) {
        auto* touche = new BoutonTouche(dessin.tag, dessin.spéciale, this);
        touche->setText(dessin.légende);
        touche->setAccessibleName(NomsAccessibles.value(dessin.tag));
        touche->setGeometry(place(dessin.twips));
        touche->actionsAccessibles = {{QAccessibleActionInterface::pressAction(),
                                       [this, touche] { Actionne(touche, false); }}};
        if (dessin.spéciale && paramètres.Version == 5)
            touche->actionsAccessibles.append(
                {ActionAppuiLong(), [this, touche] { Actionne(touche, true); }});
        if (!dessin.spéciale) {
            touche->MouseUp = [this](BoutonTouche* t, const QMouseEvent& e) {
                btnTouche_MouseUp(t, e);
            };
            btnTouche.insert(dessin.index, touche);
            continue;
        }
        touche->MouseDown = [this](BoutonTouche* t, const QMouseEvent& e) {
            btnToucheSpéciale_MouseDown(t, e);
        };
        touche->MouseUp = [this](BoutonTouche* t, const QMouseEvent& e) {
            btnToucheSpéciale_MouseUp(t, e);
        };
        btnToucheSpéciale.insert(dessin.index, touche);
        const QRectF twips(dessin.twips.x() * f, dessin.twips.y() * f, dessin.twips.width() * f,
                           dessin.twips.height() * f);
        if (dessin.tag == u"right")
            flècheDroite = twips;
        else if (dessin.tag == u"swap")
            shift = twips;
        else if (dessin.tag == u"back")
            suppr = twips;
    }
    // Right and bottom margins as wide as the left and top ones.
    setFixedSize(EnPixels(flècheDroite.x() + flècheDroite.width() + shift.x()),
                 EnPixels(flècheDroite.y() + flècheDroite.height() + suppr.y()));
    PremierPlan(this, paramètres.FenêtreToujoursAuDessus);
    MajMin();
}

void frmClavier::MajMin() {
    for (BoutonTouche* touche : std::as_const(btnTouche))
        touche->setText(majuscules ? touche->Tag.toUpper() : touche->Tag.toLower());
}

void frmClavier::InverseMajuscules() {
    majuscules = !majuscules;
    MajMin();
}

// A character key types its character once, at the release, however long it was held: the
// box has no key of that name to hold, and repeating multi-tap sequences would garble the text.
void frmClavier::btnTouche_MouseUp(BoutonTouche* touche, const QMouseEvent& évènement) {
    if (évènement.buttons() == Qt::NoButton)
        expéditeur.TraiteTouche(MarqueurCaractère + touche->Tag);
}

void frmClavier::btnToucheSpéciale_MouseDown(BoutonTouche* touche, const QMouseEvent& évènement) {
    if (évènement.button() != Qt::LeftButton || toucheTenue)
        return;
    toucheTenue = touche;
    toucheRépétée = false;
    expéditeur.ArmeToucheTenue(touche->Tag);
    if (expéditeur.ToucheEnCours == u"swap")
        InverseMajuscules();
}

// Only the release of the key this window armed the hold timer for touches the hold state.
void frmClavier::btnToucheSpéciale_MouseUp(BoutonTouche* touche, const QMouseEvent&) {
    if (touche != toucheTenue)
        return;
    toucheTenue = nullptr;
    if (!expéditeur.ToucheLongue && !toucheRépétée)
        expéditeur.TraiteTouche(touche->Tag);
    expéditeur.tmrLong.stop();
    expéditeur.ToucheLongue = false;
}

void frmClavier::Actionne(BoutonTouche* touche, bool longue) {
    if (!touche->Spéciale)
        return expéditeur.TraiteTouche(MarqueurCaractère + touche->Tag);
    if (touche->Tag == u"swap")
        InverseMajuscules();
    if (longue)
        expéditeur.AppuiLong(touche->Tag);
    else
        expéditeur.TraiteTouche(touche->Tag);
}

void frmClavier::closeEvent(QCloseEvent* évènement) {
    évènement->ignore();
    paramètres.ClavierAffiché = false;
    hide();
}

void frmClavier::keyPressEvent(QKeyEvent* évènement) {
    raccourcis.ToucheAppuyée(évènement->key(), évènement->modifiers(), évènement->text());
}
