#include "frmClavier.h"

#include "core/positions.h"
#include "fenetres.h"

#include <QCloseEvent>

using namespace Qt::StringLiterals;

frmClavier::frmClavier(ParamètresNavelo& paramètres, ExpéditeurTouches& expéditeur, QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , paramètres(paramètres)
    , expéditeur(expéditeur) {
    setWindowTitle(u"Clavier virtuel"_s);
    setFixedSize(EnPixels(5920), EnPixels(1980));
    PremierPlan(this, paramètres.FenêtreToujoursAuDessus);
}

void frmClavier::closeEvent(QCloseEvent* évènement) {
    évènement->ignore();
    paramètres.ClavierAffiché = false;
    hide();
}
