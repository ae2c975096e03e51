#pragma once

#include "core/expediteur_touches.h"
#include "core/parametres.h"

#include <QWidget>

// The virtual keyboard window. Created hidden at start-up, it lives until the end: closing
// it only hides it.
class frmClavier : public QWidget {
public:
    frmClavier(ParamètresNavelo& paramètres, ExpéditeurTouches& expéditeur,
               QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* évènement) override;

private:
    ParamètresNavelo& paramètres;
    ExpéditeurTouches& expéditeur;
};
