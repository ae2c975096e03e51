#include "telechargement_signe.h"

#include "ansi.h"
#include "fichiers.h"
#include "telechargement.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <filesystem>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 TailleMaxSignature = 4096;

} // namespace

TéléchargementInstallateur TéléchargeInstallateur(const ParamètresRenovo& paramètres,
                                                  const QString& url, const QString& dossier,
                                                  const QString& nomFichier,
                                                  const ClésDeConfiance& clés,
                                                  AffichageProgression& progression,
                                                  const colTraductions& traductions) {
    TéléchargementInstallateur résultat;
    InstallateurTéléchargé& installateur = résultat.installateur;
    // Not QDir::filePath, which takes a name beginning with ":" for a resource.
    installateur.chemin = QFileInfo(AjouteAntiSlash(dossier) + nomFichier).absoluteFilePath();
    installateur.nomServeur = QUrl(url).fileName();
    if (!clés.exigées) {
        if (Télécharge(paramètres, url, dossier, nomFichier, progression, traductions))
            résultat.issue = IssueTéléchargement::Réussi;
        return résultat;
    }

    const QTemporaryDir privé(AjouteAntiSlash(dossier) + u".renovo-XXXXXX"_s);
    if (!privé.isValid() ||
        !Télécharge(paramètres, url, privé.path(), nomFichier, progression, traductions))
        return résultat;
    const QString reçu = AjouteAntiSlash(privé.path()) + nomFichier;
    installateur.signature =
        EnAnsi(Télécharge(paramètres, url + u".minisig"_s, TailleMaxSignature));
    if (VérifieSignature(reçu, installateur.signature, installateur.nomServeur, clés.clés) !=
        RésultatSignature::Valide) {
        résultat.issue = IssueTéléchargement::SignatureRefusée;
        return résultat;
    }
    // Replaces an older file of that name at once, as the unchecked download does.
    std::error_code erreur;
    std::filesystem::rename(QFileInfo(reçu).filesystemAbsoluteFilePath(),
                            QFileInfo(installateur.chemin).filesystemAbsoluteFilePath(), erreur);
    if (!erreur)
        résultat.issue = IssueTéléchargement::Réussi;
    return résultat;
}
