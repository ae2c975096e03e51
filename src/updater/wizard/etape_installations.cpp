#include "etape_installations.h"

#include "updates/execution_verifiee.h"
#include "updates/liste_logiciels.h"

#include <QFile>

using namespace Qt::StringLiterals;

void InstalleLogiciels(VueInstallations& vue, const QString& dossier, bool supprimer,
                       const ClésDeConfiance& clés, const QString& dossierPrivé,
                       const colTraductions& traductions) {
    const QString opération = u"TXT_TRAITEMENT_INSTALLATION"_s;
    for (int i = 0; i < vue.NombreLogiciels() && !vue.Arrêtée(); ++i) {
        LogicielDeLaListe logiciel = vue.Logiciel(i);
        const QString tag = logiciel.tag;
        const QString marqueur = ChampTag(tag, 0);
        if (marqueur != Marqueur::Téléchargé && marqueur != Marqueur::ÉchecInstallation)
            continue;
        const QString nom = NomFichierInstallateur(RacineInstallateur(logiciel.nom, tag));

        vue.AjouteLigne(LigneTraitement(opération, nom, u"TXT_STATUT_EN_COURS"_s, traductions));
        const IssueInstallation issue =
            ExécuteInstallateur(logiciel.installateur, clés, dossierPrivé, dossier);
        if (issue == IssueInstallation::Réussie) {
            vue.ChangeDernièreLigne(
                LigneTraitement(opération, nom, u"TXT_STATUT_OK"_s, traductions));
            logiciel.tag = RemplaceMarqueur(tag, Marqueur::Installé);
            vue.ChangeLogiciel(i, logiciel, StatutInstallé(ChampTag(tag, 1), traductions));
            if (supprimer)
                QFile::remove(logiciel.installateur.chemin);
        } else {
            vue.ChangeDernièreLigne(
                LigneTraitement(opération, nom, u"TXT_STATUT_ERREUR"_s, traductions));
            const QString raison = issue == IssueInstallation::SignatureRefusée
                                       ? u"TXT_TRAITEMENT_SIGNATURE"_s
                                       : opération;
            logiciel.tag = RemplaceMarqueur(tag, Marqueur::ÉchecInstallation);
            vue.ChangeLogiciel(i, logiciel, StatutÉchec(ChampTag(tag, 1), raison, traductions));
        }
    }
}
