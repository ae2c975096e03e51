#include "etape_telechargements.h"

#include "settings/parametres_renovo.h"
#include "updates/cles_confiance.h"
#include "updates/liste_logiciels.h"
#include "updates/telechargement_signe.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The window keeps painting meanwhile; its buttons stay disabled.
void AttendsUneSeconde() {
    QEventLoop attente;
    QTimer::singleShot(1000, &attente, &QEventLoop::quit);
    attente.exec();
}

} // namespace

void TéléchargeLogiciels(VueTéléchargements& vue, bool& téléchargementRéussi,
                         const ParamètresRenovo& paramètres, const ClésDeConfiance& clés,
                         const colTraductions& traductions) {
    const QString opération = u"TXT_TRAITEMENT_TELECHARGEMENT"_s;
    for (int i = 0; i < vue.NombreLogiciels(); ++i) {
        LogicielDeLaListe logiciel = vue.Logiciel(i);
        if (!logiciel.coché)
            continue;
        const QString tag = logiciel.tag;
        const QString racine = RacineInstallateur(logiciel.nom, tag);
        const QString fichier = NomFichierInstallateur(racine);
        vue.AjouteLigne(
            LigneTraitement(opération, fichier, u"TXT_STATUT_EN_ATTENTE"_s, traductions));

        const TéléchargementInstallateur téléchargement = TéléchargeInstallateur(
            paramètres, AdresseInstallateur(paramètres.AdresseServeur, racine),
            paramètres.RépertoireTéléchargement, fichier, clés, vue, traductions);
        const bool réussi = téléchargement.issue == IssueTéléchargement::Réussi;
        if (vue.Interrompu())
            return;
        vue.ChangeDernièreLigne(LigneTraitement(
            opération, fichier, réussi ? u"TXT_STATUT_OK"_s : u"TXT_STATUT_ERREUR"_s, traductions));
        const QString version = ChampTag(tag, 1);
        if (réussi) {
            logiciel.tag = RemplaceMarqueur(tag, Marqueur::Téléchargé);
            logiciel.installateur = téléchargement.installateur;
            logiciel.coché = false;
            vue.ChangeLogiciel(i, logiciel, StatutTéléchargé(version, traductions));
            téléchargementRéussi = true;
        } else {
            vue.Bip();
            const QString raison = téléchargement.issue == IssueTéléchargement::SignatureRefusée
                                       ? u"TXT_TRAITEMENT_SIGNATURE"_s
                                       : opération;
            logiciel.tag = RemplaceMarqueur(tag, Marqueur::ÉchecTéléchargement);
            vue.ChangeLogiciel(i, logiciel, StatutÉchec(version, raison, traductions));
        }
        vue.CacheProgression();
        QCoreApplication::processEvents();
        AttendsUneSeconde();
        if (vue.Interrompu())
            return;
    }
}
