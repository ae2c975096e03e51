#include "frmListeChaines.h"

#include "core/positions.h"
#include "fenetres.h"

#include <QCloseEvent>

using namespace Qt::StringLiterals;

frmListeChaînes::frmListeChaînes(ParamètresNavelo& paramètres, ExpéditeurTouches& expéditeur,
                                 QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , paramètres(paramètres)
    , expéditeur(expéditeur) {
    setWindowTitle(u"Liste des chaînes"_s);
    resize(EnPixels(3735), EnPixels(6330));
    PremierPlan(this, paramètres.FenêtreToujoursAuDessus);
}

void frmListeChaînes::closeEvent(QCloseEvent* évènement) {
    évènement->ignore();
    paramètres.ListeChaînesAffichée = false;
    hide();
}
