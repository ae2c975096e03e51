#include "execution_verifiee.h"

#include "fichiers.h"
#include "installation.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

IssueInstallation ExécuteInstallateur(const InstallateurTéléchargé& installateur,
                                      const ClésDeConfiance& clés, const QString& dossierPrivé,
                                      const QString& dossier) {
    if (!clés.exigées) {
        return ExécuteEtAttend(installateur.chemin, dossier) ? IssueInstallation::Réussie
                                                             : IssueInstallation::Échouée;
    }
    const QTemporaryDir privé(AjouteAntiSlash(dossierPrivé) + u"installation-XXXXXX"_s);
    const QString copie = AjouteAntiSlash(privé.path()) + QFileInfo(installateur.chemin).fileName();
    // Only a plain file is copied: a pipe put in its place would never end.
    if (!privé.isValid() || !QFileInfo(installateur.chemin).isFile() ||
        !QFile::copy(installateur.chemin, copie))
        return IssueInstallation::Échouée;
    if (VérifieSignature(copie, installateur.signature, installateur.nomServeur, clés.clés) !=
        RésultatSignature::Valide)
        return IssueInstallation::SignatureRefusée;
    return ExécuteEtAttend(copie, dossier) ? IssueInstallation::Réussie
                                           : IssueInstallation::Échouée;
}
