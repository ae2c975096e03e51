#pragma once

#include "core/expediteur_touches.h"
#include "core/parametres.h"
#include "core/raccourcis.h"

#include <QMap>
#include <QWidget>

class BoutonTouche;
class QMouseEvent;

// The virtual keyboard window: an AZERTY keyboard whose character keys type on the box by
// multi-tap and whose special keys send the box's own keys. Created hidden at start-up, it
// lives until the end: closing it only hides it.
class frmClavier : public QWidget {
public:
    // Key events of this window go to `raccourcis`, as they would in the main window.
    frmClavier(ParamètresNavelo& paramètres, ExpéditeurTouches& expéditeur,
               RaccourcisClavier& raccourcis, QWidget* parent = nullptr);

    // Captions of the character keys in the case the upper-case flag says.
    void MajMin();
    // What the Shift key does at its press; the main window's Caps Lock too.
    void InverseMajuscules();
    bool Majuscules() const { return majuscules; }

    // Character keys (0 to 39, 42, 45, 47, 48) and special keys (0 to 6).
    QMap<int, BoutonTouche*> btnTouche;
    QMap<int, BoutonTouche*> btnToucheSpéciale;

protected:
    void closeEvent(QCloseEvent* évènement) override;
    void keyPressEvent(QKeyEvent* évènement) override;

private:
    void Form_Load();
    void btnTouche_MouseUp(BoutonTouche* touche, const QMouseEvent& évènement);
    void btnToucheSpéciale_MouseDown(BoutonTouche* touche, const QMouseEvent& évènement);
    void btnToucheSpéciale_MouseUp(BoutonTouche* touche, const QMouseEvent& évènement);
    // A press by assistive technology, in one go, long or not.
    void Actionne(BoutonTouche* touche, bool longue);

    ParamètresNavelo& paramètres;
    ExpéditeurTouches& expéditeur;
    RaccourcisClavier& raccourcis;
    bool majuscules = false;
    // The special key whose left press armed the hold timer, until its release.
    BoutonTouche* toucheTenue = nullptr;
    // The hold timer has sent that key already.
    bool toucheRépétée = false;
};
