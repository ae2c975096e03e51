#pragma once

#include "core/expediteur_touches.h"
#include "core/parametres.h"

#include <QWidget>

// The channel list window. Created hidden at start-up, it lives until the end: closing it
// only hides it.
class frmListeChaînes : public QWidget {
public:
    frmListeChaînes(ParamètresNavelo& paramètres, ExpéditeurTouches& expéditeur,
                    QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* évènement) override;

private:
    ParamètresNavelo& paramètres;
    ExpéditeurTouches& expéditeur;
};
