#pragma once

#include "vue_logiciels.h"

class colTraductions;
struct ClésDeConfiance;

// What the installations read and change on the window.
class VueInstallations : public VueLogiciels {
public:
    // True once the program is to end: no other installer starts.
    virtual bool Arrêtée() const = 0;
};

// Step 4: runs in `dossier`, in list order and one at a time, the installer of every program
// downloaded in this run or whose installation failed earlier, and records each outcome, until
// the view says to stop. Each is the very file its download wrote, checked again as
// ExécuteInstallateur says. With `supprimer`, the installer that succeeded is deleted; a
// failed one is kept for another try.
void InstalleLogiciels(VueInstallations& vue, const QString& dossier, bool supprimer,
                       const ClésDeConfiance& clés, const QString& dossierPrivé,
                       const colTraductions& traductions);
