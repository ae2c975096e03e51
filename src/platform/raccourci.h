#pragma once

#include <QString>

// The entry that starts a program when a user opens a session: a .lnk file of a Startup folder
// on Windows, an XDG autostart desktop entry on Linux.

// With a target, writes (or replaces) the entry at `chemin`, starting `cible` with
// `arguments`; with an empty target, deletes the entry at `chemin`. False on any failure,
// including the deletion of an entry that is not there.
bool CréeRaccourci(const QString& chemin, const QString& cible, const QString& arguments);

// The folder of entries started for every user, then the current user's own.
QString DossierDémarrageCommun();
QString DossierDémarrageUtilisateur();

// The entry's file name for a name without extension.
QString NomFichierRaccourci(const QString& nom);

// Puts the entry `nom` in the common folder, or in the user's when the common one refuses it.
// With an empty target, deletes it from both folders, so that no copy keeps starting the
// program. Failures are silent.
void InscritDémarrage(const QString& nom, const QString& cible, const QString& arguments);
