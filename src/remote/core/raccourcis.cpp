#include "raccourcis.h"

#include "guide/multitap.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// Spelt unlike the Windows macros, which would replace them there.
enum CodeVirtuel {
    vkBack = 8,
    vkReturn = 13,
    vkCapital = 20,
    vkPrior = 33,
    vkNext = 34,
    vkEnd = 35,
    vkHome = 36,
    vkLeft = 37,
    vkUp = 38,
    vkRight = 39,
    vkDown = 40,
    vkAdd = 107,
    vkSubtract = 109,
    vkF1 = 112,
    vkF9 = 120,
};

struct ToucheBoîtier {
    int code;
    QStringView nom;
};

constexpr ToucheBoîtier TableRaccourcis[] = {
    {vkHome, u"home"},   {vkEnd, u"list"},         {vkPrior, u"prgm_inc"}, {vkNext, u"prgm_dec"},
    {vkAdd, u"vol_inc"}, {vkSubtract, u"vol_dec"}, {vkLeft, u"left"},      {vkUp, u"up"},
    {vkRight, u"right"}, {vkDown, u"down"},        {vkReturn, u"ok"},      {vkBack, u"back"},
};

bool CaractèreAccepté(QChar minuscule) {
    return (minuscule >= u'0' && minuscule <= u'9') || (minuscule >= u'a' && minuscule <= u'z') ||
           u".,?!-'\""_s.contains(minuscule);
}

} // namespace

int CodeToucheVirtuelle(int toucheQt, Qt::KeyboardModifiers modificateurs) {
    const bool pavé = modificateurs.testFlag(Qt::KeypadModifier);
    switch (toucheQt) {
    case Qt::Key_F1:
        return vkF1;
    case Qt::Key_F9:
        return vkF9;
    case Qt::Key_CapsLock:
        return vkCapital;
    case Qt::Key_Home:
        return vkHome;
    case Qt::Key_End:
        return vkEnd;
    case Qt::Key_PageUp:
        return vkPrior;
    case Qt::Key_PageDown:
        return vkNext;
    case Qt::Key_Left:
        return vkLeft;
    case Qt::Key_Up:
        return vkUp;
    case Qt::Key_Right:
        return vkRight;
    case Qt::Key_Down:
        return vkDown;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vkReturn;
    case Qt::Key_Backspace:
        return vkBack;
    case Qt::Key_Plus:
        return pavé ? vkAdd : 0;
    case Qt::Key_Minus:
        return pavé ? vkSubtract : 0;
    default:
        return 0;
    }
}

RaccourcisClavier::RaccourcisClavier(const ParamètresNavelo& paramètres, ActionsRaccourcis actions)
    : paramètres(paramètres)
    , actions(std::move(actions)) {}

void RaccourcisClavier::Form_KeyDown(int codeTouche, int /*shift*/) {
    switch (codeTouche) {
    case vkF1:
        actions.AfficheAPropos();
        return;
    case vkF9:
        actions.Configure();
        return;
    case vkCapital:
        if (paramètres.Version == 5) {
            actions.InverseMajuscules();
            actions.TraiteTouche(u"swap"_s);
        }
        return;
    default:
        for (const ToucheBoîtier& touche : TableRaccourcis) {
            if (touche.code == codeTouche) {
                actions.TraiteTouche(touche.nom.toString());
                return;
            }
        }
    }
}

void RaccourcisClavier::Form_KeyPress(QChar caractère) {
    if (CaractèreAccepté(caractère.toLower()))
        actions.TraiteTouche(QString(MarqueurCaractère) + caractère);
}

void RaccourcisClavier::ToucheAppuyée(int toucheQt, Qt::KeyboardModifiers modificateurs,
                                      QStringView texte) {
    const int code = CodeToucheVirtuelle(toucheQt, modificateurs);
    Form_KeyDown(code, 0);
    // Windows types nothing while Ctrl or Alt is held; the same keys type nothing here either.
    if (modificateurs & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return;
    // The keypad's - is the volume key: typed too, its "-" would cancel the volume request.
    if (code == vkSubtract || code == vkAdd)
        return;
    for (const QChar caractère : texte)
        Form_KeyPress(caractère);
}
