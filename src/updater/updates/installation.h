#pragma once

#include "cles_confiance.h"
#include "telechargement_signe.h"

#include <QString>

class colTraductions;

// Runs the program at `chemin` without a shell and without arguments, in `dossier`, and waits
// for its end while the window's events keep running. True when it started and exited
// normally with code 0. The process's own current folder is left alone.
bool ExécuteEtAttend(const QString& chemin, const QString& dossier);

// What the installation step reads and writes: the programs of the list (their text, tag and
// status cell) and the lines of the installations list. The window implements it.
class ListesInstallation {
public:
    virtual ~ListesInstallation() = default;
    virtual int NombreLogiciels() const = 0;
    virtual QString Texte(int logiciel) const = 0;
    virtual QString Tag(int logiciel) const = 0;
    // What step 3 wrote for the program.
    virtual InstallateurTéléchargé Installateur(int logiciel) const = 0;
    virtual void ChangeTag(int logiciel, const QString& tag) = 0;
    virtual void ChangeStatut(int logiciel, const QString& statut) = 0;
    // Adds a line and lets the window show it before the installer starts.
    virtual void AjouteLigne(const QString& ligne) = 0;
    virtual void ChangeDernièreLigne(const QString& ligne) = 0;
    // True once the program is to end: no other installer starts.
    virtual bool Arrêtée() const = 0;
};

// Runs in `dossier`, in list order and one at a time, the installer of every program
// downloaded in this run or whose installation failed earlier, and records each outcome,
// until the lists say to stop. Each is the very file its download wrote, checked again as
// ExécuteInstallateur says. With `supprimer`, the installer that succeeded is deleted; a
// failed one is kept for another try.
void InstalleLogiciels(ListesInstallation& listes, const QString& dossier, bool supprimer,
                       const ClésDeConfiance& clés, const QString& dossierPrivé,
                       const colTraductions& traductions);
