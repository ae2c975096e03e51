#pragma once

#include "expediteur_touches.h"
#include "parametres.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

// Keys asked for from outside the windows: `Navelo --key`, sent by that process itself or
// through the running remote.

// Every name a command may give, in the key table's order: the box's own names.
QStringList NomsDeTouches();

struct DemandeTouches {
    QStringList touches;
    // Long presses, on the model 5 box.
    bool longues = false;
};

enum class IssueTouches { Acceptées, CodeManquant, Injoignable, CodeRefusé, ToucheRefusée };

struct RésultatTouches {
    IssueTouches issue = IssueTouches::Acceptées;
    // The key that failed, and the box's HTTP status for it.
    QString touche;
    int statut = 0;
};

// One line each way between `Navelo --key` and the running remote.
QByteArray CommandeTouches(const DemandeTouches& demande);
std::optional<DemandeTouches> LitCommandeTouches(const QByteArray& ligne);
QByteArray RéponseTouches(const RésultatTouches& résultat);
std::optional<RésultatTouches> LitRéponseTouches(const QByteArray& ligne);

// Sends the keys in order, each once the box answered the one before, and stops at the first
// one that fails; a key gets 8 seconds. The play key turns `expéditeur`'s toggle, as a click
// does. `fin` runs once, unless `contexte` goes first.
void EnvoieTouches(ExpéditeurTouches& expéditeur, const ParamètresNavelo& paramètres,
                   const DemandeTouches& demande, QObject& contexte,
                   std::function<void(const RésultatTouches&)> fin);
