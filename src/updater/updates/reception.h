#pragma once

#include <QString>

class AffichageProgression;
class Inet;
class colTraductions;

enum class IssueRéception {
    // No answer, or not "200 OK": the next attempt may follow.
    Refusée,
    Réussie,
    // The transfer failed, or the window is closing: no other attempt.
    Échouée,
};

// The answer of the request `inet` has just started, saved as `chemin`: the header, then the
// body in chunks of 1 KiB, taken each time bytes arrive, whatever event loop runs then. Under
// a modal dialog the transfer goes on, and the server is never kept waiting. The file takes
// its name only once whole.
IssueRéception Reçoit(Inet& inet, const QString& chemin, const QString& nomFichier,
                      AffichageProgression& progression, const colTraductions& traductions);
