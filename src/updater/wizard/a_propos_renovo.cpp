#include "a_propos_renovo.h"

#include "dessin_donner.h"
#include "dessins_renovo.h"
#include "translation/traduction_fenetres.h"
#include "translation/traductions.h"

using namespace Qt::StringLiterals;

OptionsAPropos OptionsAProposRenovo(const colTraductions& traductions, const QString& fichierLangue,
                                    qreal dpr) {
    OptionsAPropos options;
    options.titre = u"A propos de KorvaneUpdate"_s;
    options.description = TexteÀAfficher(traductions.Item(u"TXT_INTRO"_s) + u".."_s);
    options.siteBrouillé =
        u"5898A7E6D540161791909F0B5C1DCB8AF809A613A474E223F131AE0BDDAD1A0B9909"_s;
    options.icône = IcôneRenovo();
    options.imageDonnerFR = ImageDonner(true, dpr);
    options.imageDonnerEN = ImageDonner(false, dpr);
    options.lienSouligné = true;
    options.ajusteHauteur = true;
    options.traduit = [fichierLangue](QDialog* fenêtre) { TraduitFeuille(fenêtre, fichierLangue); };
    return options;
}
