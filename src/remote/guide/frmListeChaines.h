#pragma once

#include "core/expediteur_touches.h"
#include "core/parametres.h"
#include "infos_chaine.h"

#include <QHash>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

#include <chrono>

class QCheckBox;
class QEventLoop;
class QTreeWidget;

// The channel list window. Created hidden at start-up, it lives until the end: closing it
// only hides it. Channels and logos are read once, by Form_Load or at the first show.
class frmListeChaînes : public QWidget {
public:
    // `dossiersLogos`: the folders holding the logos, searched in order.
    frmListeChaînes(ParamètresNavelo& paramètres, ExpéditeurTouches& expéditeur,
                    const QStringList& dossiersLogos, QWidget* parent = nullptr);

    // Reads the logos and the channels and lists them; later calls do nothing.
    void Form_Load();

    // The pause after each digit of a zap, so that the box takes the digits as one number.
    void définitPauseZap(std::chrono::milliseconds pause) { pauseZap = pause; }
    // A zap under way sends no further digit.
    void ArrêteZap();

protected:
    void showEvent(QShowEvent* évènement) override;
    void resizeEvent(QResizeEvent* évènement) override;
    void closeEvent(QCloseEvent* évènement) override;

private:
    void ChargeLogos();
    void AfficheChaînes();
    void lvwChaînes_DblClick();
    void EnvoieChiffre(const QString& chiffre, bool longue);
    void Form_Resize();

    ParamètresNavelo& paramètres;
    ExpéditeurTouches& expéditeur;
    QTreeWidget* lvwChaînes;
    QCheckBox* chkAfficherToutesLesChaînes;
    QStringList dossiersLogos;
    bool chargée = false;
    QHash<QString, QPixmap> imlChaînes;
    QList<InfosChaîne> Chaînes;
    std::chrono::milliseconds pauseZap{1500};
    // Each listing gets a number, so that one interrupted by a newer one stops there.
    quint64 affichage = 0;
    bool zapEnCours = false;
    QEventLoop* pauseEnCours = nullptr;
};
