#include "logiciels_installes.h"

using namespace Qt::StringLiterals;

void RechercheLogicielsInstallés(const Registre& registre, RacineRegistre racine,
                                 const QString& clé, QStringList& liste) {
    for (const QString& sousClé : registre.SousClés(racine, clé)) {
        const QString chemin = clé + u'\\' + sousClé;
        if (registre.LitChaîne(racine, chemin, u"Publisher"_s)
                .compare(u"korvane"_s, Qt::CaseInsensitive) != 0)
            continue;
        const QString nom = registre.LitChaîne(racine, chemin, u"DisplayName"_s);
        const QString version = registre.LitChaîne(racine, chemin, u"DisplayVersion"_s);
        const qsizetype fin = nom.indexOf(u" v"_s);
        liste.append((fin < 0 ? nom : nom.left(fin)) + u'=' + version);
    }
}
