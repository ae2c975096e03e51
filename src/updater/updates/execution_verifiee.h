#pragma once

#include "cles_confiance.h"
#include "telechargement_signe.h"

#include <QString>

enum class IssueInstallation { Réussie, Échouée, SignatureRefusée };

// Runs in `dossier`, and waits for, the installer that step 3 wrote. When keys are to be
// trusted, what runs is a copy made in a new folder inside `dossierPrivé`, where nobody else
// writes, and checked there against the signature kept from step 3: the file that runs is the
// file checked, whatever became of the download folder meanwhile. The copy goes once the
// installer has ended. A file gone since step 3 is a failed installation.
IssueInstallation ExécuteInstallateur(const InstallateurTéléchargé& installateur,
                                      const ClésDeConfiance& clés, const QString& dossierPrivé,
                                      const QString& dossier);
