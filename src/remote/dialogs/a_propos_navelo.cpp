#include "a_propos_navelo.h"

#include "version.h"

using namespace Qt::StringLiterals;

OptionsAPropos OptionsAProposNavelo(const QIcon& icône, const QPixmap& imageDonnerFR,
                                    const QPixmap& imageDonnerEN, bool toujoursAuDessus) {
    OptionsAPropos options;
    options.titre = u"A propos de "_s + TitreEtVersion();
    options.description =
        u"Ce petit outil permet de piloter le boitier HD de la Freebox en se substituant \n"
        u"à la télécommande.\n\nBref, c'est un vrai gadget !"_s;
    options.siteBrouillé =
        u"5898A7E6D540161791909F0B5C1DCB8AF809A613A474E223F131AE0B1CED9BAB3809"_s;
    options.icône = icône;
    options.imageDonnerFR = imageDonnerFR;
    options.imageDonnerEN = imageDonnerEN;
    options.toujoursAuDessus = toujoursAuDessus;
    options.focusSurOK = true;
    return options;
}
