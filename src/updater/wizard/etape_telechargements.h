#pragma once

#include "updates/telechargement.h"
#include "vue_logiciels.h"

class colTraductions;
struct ClésDeConfiance;
struct ParamètresRenovo;

// What the downloads show on the window besides the lists: the progress of each download.
class VueTéléchargements : public VueLogiciels, public AffichageProgression {
public:
    // The system's error sound: a download failed.
    virtual void Bip() = 0;
    // The progress bar and text are hidden again between two downloads.
    virtual void CacheProgression() = 0;
};

// Step 3: the installer of every checked program, in list order, into the download folder,
// each announced by a line that then ends in "OK" or "erreur", with a second's pause after it.
// A downloaded program is unchecked and marked downloaded, with the file written kept for step
// 4, and `téléchargementRéussi` becomes true; a failed one stays checked, marked failed. Stops
// once the window is closing.
void TéléchargeLogiciels(VueTéléchargements& vue, bool& téléchargementRéussi,
                         const ParamètresRenovo& paramètres, const ClésDeConfiance& clés,
                         const colTraductions& traductions);
