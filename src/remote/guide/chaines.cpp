#include "chaines.h"

#include "chaines_etapes.h"

#include <QFile>

namespace {

// The brace that closes the object whose body starts at `début`, or -1. Braces count
// wherever they stand, inside quoted texts too.
qsizetype FinObjet(QByteArrayView texte, qsizetype début) {
    int profondeur = 1;
    for (qsizetype i = début; i < texte.size(); ++i) {
        if (texte[i] == '{') {
            ++profondeur;
        } else if (texte[i] == '}' && --profondeur == 0) {
            return i;
        }
    }
    return -1;
}

} // namespace

QList<InfosChaîne> DécodeChaînes(QByteArrayView document,
                                 const std::function<void()>& aprèsChaqueObjet) {
    if (document.size() < 2)
        return {};
    // Drops the array's "[" and the line feed that ends the cache file.
    const QByteArrayView texte = document.sliced(1, document.size() - 2);

    QList<InfosChaîne> chaînes;
    qsizetype ouverture = texte.indexOf('{');
    while (ouverture >= 0) {
        const qsizetype fermeture = FinObjet(texte, ouverture + 1);
        if (fermeture < 0)
            return {};
        std::optional<InfosChaîne> chaîne =
            DécodeChaîne(DecodeUTF8(texte.sliced(ouverture + 1, fermeture - ouverture - 1)));
        if (!chaîne)
            return {};
        chaînes.append(std::move(*chaîne));
        if (aprèsChaqueObjet)
            aprèsChaqueObjet();
        ouverture = texte.indexOf('{', fermeture + 1);
    }
    return chaînes;
}

int ChargeChaînes(const QString& fichier, QList<InfosChaîne>& Chaînes,
                  const std::function<void()>& aprèsChaqueObjet) {
    Chaînes.clear();
    QFile cache(fichier);
    if (!cache.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray document = cache.readAll();
    cache.close();
    Chaînes = DécodeChaînes(document, aprèsChaqueObjet);
    return static_cast<int>(Chaînes.size());
}
