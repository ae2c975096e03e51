#include "logiciels_installes.h"

#include <algorithm>

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
        const QString entrée = (fin < 0 ? nom : nom.left(fin)) + u'=' + version;
        const QString programme = entrée.section(u'=', 0, 0);
        const auto même = std::find_if(liste.begin(), liste.end(), [&](const QString& autre) {
            return autre.section(u'=', 0, 0).compare(programme, Qt::CaseInsensitive) == 0;
        });
        if (même == liste.end())
            liste.append(entrée);
        else
            *même = entrée;
    }
}
