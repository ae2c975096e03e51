#include "etape_recherche.h"

#include "settings/parametres_renovo.h"
#include "translation/traductions.h"
#include "updates/liste_logiciels.h"
#include "updates/telechargement.h"
#include "updates/versions.h"

#include <QCoreApplication>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// The waiting animation and the busy pointer last as long as the exchange, error or not.
class Attente {
public:
    explicit Attente(VueRecherche& vue)
        : vue(vue) {
        vue.MontreAttente(true);
    }
    ~Attente() { vue.MontreAttente(false); }

private:
    VueRecherche& vue;
};

} // namespace

void RechercheVersions(VueRecherche& vue, const QStringList& logicielsInstallés,
                       TableVersions& dernièresVersions, bool& modeAutomatique,
                       const ParamètresRenovo& paramètres, const colTraductions& traductions) {
    if (!dernièresVersions.estVide())
        return;
    const auto texte = [&traductions](const QString& clé) {
        return TexteÀAfficher(traductions.Item(clé));
    };
    vue.MontreTexte(texte(u"TXT_CONNEXION_EN_COURS"_s));
    const Attente attente(vue);
    QCoreApplication::processEvents();

    const QString corps = Télécharge(
        paramètres, AdresseRequêteVersions(paramètres.AdresseServeur, logicielsInstallés));
    if (vue.Déchargée())
        return;
    if (corps.isEmpty()) {
        // The site named is the one asked.
        const QString erreur = traductions.Item(u"MSG_ERREUR_RECHERCHE_MAJ"_s)
                                   .replace(QUrl(ParamètresRenovo{}.AdresseServeur).host(),
                                            QUrl(paramètres.AdresseServeur).host());
        vue.MontreTexte(TexteÀAfficher(erreur));
        modeAutomatique = false;
        return;
    }
    // A table is kept only with the list it filled: an answer that fails the step is asked
    // for again at the next visit.
    TableVersions dernières = LitRéponseVersions(corps);
    const ListeLogiciels liste = RemplitListe(logicielsInstallés, dernières, traductions);
    dernièresVersions = std::move(dernières);
    vue.RemplitListe(liste);

    if (liste.misesÀJour == 0) {
        vue.MontreTexte(texte(u"TXT_AUCUNE_MAJ_NECESSAIRE"_s));
        if (modeAutomatique) {
            vue.Ferme();
            return;
        }
    } else {
        vue.MontreTexte(texte(u"TXT_LISTE_FICHIERS_INSTALLES"_s));
    }
    vue.MontreListe();
}
