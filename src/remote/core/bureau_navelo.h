#pragma once

#include "commande_touches.h"
#include "expediteur_touches.h"
#include "lecteur_bureau.h"
#include "parametres.h"

#include <QByteArray>
#include <QObject>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

// What the running remote offers the rest of the desktop: a media player that the desktop's
// media controls drive, and the keys that `Navelo --key` sends through it.
class BureauNavelo {
public:
    struct Fenêtres {
        // Shows the remote, as a second start does.
        std::function<void()> montre;
        // Ends the program, as the menu's Quit does; called once the caller's own call has
        // returned.
        std::function<void()> quitte;
    };

    BureauNavelo(ExpéditeurTouches& expéditeur, const ParamètresNavelo& paramètres,
                 QObject& contexte, Fenêtres fenêtres);
    ~BureauNavelo();

    // A command line from `Navelo --key`, answered once its keys are sent; one that comes
    // during the start-up waits for Ouvre.
    void Commande(const QByteArray& ligne, std::function<void(const QByteArray&)> répond);
    // The start-up is over.
    void Ouvre();
    // The end: the player goes away.
    void Ferme();

private:
    void Action(ActionLecteur action);

    ExpéditeurTouches& expéditeur;
    const ParamètresNavelo& paramètres;
    QObject& contexte;
    Fenêtres fenêtres;
    bool ouvert = false;
    std::vector<std::pair<QByteArray, std::function<void(const QByteArray&)>>> enAttente;
    std::unique_ptr<LecteurBureau> lecteur;
};
