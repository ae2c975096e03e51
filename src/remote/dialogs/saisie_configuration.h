#pragma once

#include "core/parametres.h"

#include <QString>

#include <optional>

// What the configuration dialog shows, as typed: the sizes are kept as text so that the
// checks see exactly what the user entered.
struct SaisieConfiguration {
    QString CodeTélécommande;
    qint16 Version = 5;
    qint16 Hd = 1;
    bool MémoriserPositionFenêtre = true;
    bool FenêtreToujoursAuDessus = false;
    QString TailleFenêtrePrincipale;
    QString TailleClavier;
    QString TailleLogos;
};

enum class ChampConfiguration {
    CodeTélécommande,
    TailleFenêtrePrincipale,
    TailleClavier,
    TailleLogos
};

struct RefusSaisie {
    ChampConfiguration champ;
    QString message;
};

SaisieConfiguration SaisieDepuis(const ParamètresNavelo& paramètres);

// The message that refuses a size box's text, or nothing when it is accepted: digits only,
// within the box's range. The keyboard box shares the main window's range.
std::optional<QString> RefusTaille(ChampConfiguration champ, const QString& texte);

// The first refusal of a confirmation: empty boxes in their order, then the sizes again,
// so that a value outside its range can never be stored.
std::optional<RefusSaisie> VérifieSaisie(const SaisieConfiguration& saisie);

// Stores an accepted input. A restart is asked for (never cancelled) when the model or a
// size number changes.
void AppliqueSaisie(const SaisieConfiguration& saisie, ParamètresNavelo& paramètres);
