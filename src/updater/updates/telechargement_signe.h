#pragma once

#include "cles_confiance.h"

#include <QByteArray>
#include <QString>

class AffichageProgression;
class colTraductions;
struct ParamètresRenovo;

// What step 3 keeps of a downloaded installer, for step 4 to run that file and no other.
struct InstallateurTéléchargé {
    // The file written, absolute.
    QString chemin;
    // Its name on the server (the address's last segment), which its signature must name.
    QString nomServeur;
    // Its ".minisig" as checked; empty when no key is trusted.
    QByteArray signature;
};

enum class IssueTéléchargement { Réussi, ÉchecTransfert, SignatureRefusée };

struct TéléchargementInstallateur {
    IssueTéléchargement issue = IssueTéléchargement::ÉchecTransfert;
    InstallateurTéléchargé installateur;
};

// The file mode of Télécharge for an installer. When keys are to be trusted, the installer is
// first written in a folder of its own that only we can write, inside `dossier`; its signature
// is then fetched from its address followed by ".minisig" (4 KiB at most) and checked, and
// only a valid one lets the file take its name in `dossier`. A refused signature is no
// transfer failure, and leaves nothing behind.
TéléchargementInstallateur TéléchargeInstallateur(const ParamètresRenovo& paramètres,
                                                  const QString& url, const QString& dossier,
                                                  const QString& nomFichier,
                                                  const ClésDeConfiance& clés,
                                                  AffichageProgression& progression,
                                                  const colTraductions& traductions);
