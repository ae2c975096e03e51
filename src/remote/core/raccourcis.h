#pragma once

#include "parametres.h"

#include <QChar>
#include <QString>
#include <QStringView>
#include <Qt>

#include <functional>

// What the PC keyboard does besides sending keys; the windows supply it.
struct ActionsRaccourcis {
    std::function<void(const QString&)> TraiteTouche;
    std::function<void()> AfficheAPropos;
    // The configuration dialog, then the restart it may call for.
    std::function<void()> Configure;
    // Inverts the virtual keyboard's upper-case flag and redraws its captions.
    std::function<void()> InverseMajuscules;
};

// The Windows virtual-key code of a key the remote answers to, 0 for any other. The + and -
// of the numeric keypad have codes of their own; the main row's "-" is only a character.
int CodeToucheVirtuelle(int toucheQt, Qt::KeyboardModifiers modificateurs);

// The PC keyboard of the main window and of the virtual keyboard window.
class RaccourcisClavier {
public:
    RaccourcisClavier(const ParamètresNavelo& paramètres, ActionsRaccourcis actions);

    // The shift state changes nothing: combinations act like the bare key.
    void Form_KeyDown(int codeTouche, int shift);
    void Form_KeyPress(QChar caractère);

    // One key event of the window system: key down, then key press for what it types, but
    // for the keypad's + and -, which only set the volume.
    void ToucheAppuyée(int toucheQt, Qt::KeyboardModifiers modificateurs, QStringView texte);

private:
    const ParamètresNavelo& paramètres;
    ActionsRaccourcis actions;
};
