#include "ansi.h"
#include "brouillage.h"
#include "exige.h"

#include <QByteArray>
#include <QString>

#include <algorithm>

namespace {

bool PairesHexadécimales(const QString& texte) {
    return texte.size() % 2 == 0 && std::all_of(texte.cbegin(), texte.cend(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') ||
                      (c >= u'a' && c <= u'f');
           });
}

// Characters outside the 16-bit plane, each written as a pair of surrogates.
qsizetype PairesDeSubstitution(const QString& texte) {
    qsizetype paires = 0;
    for (qsizetype i = 0; i + 1 < texte.size(); ++i) {
        if (texte[i].isHighSurrogate() && texte[i + 1].isLowSurrogate()) {
            ++paires;
            ++i;
        }
    }
    return paires;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const quint8* octets, size_t taille) {
    // The bytes as Windows-1252 text: every such text survives both round trips.
    const QByteArray ansi(reinterpret_cast<const char*>(octets), static_cast<qsizetype>(taille));
    const QString clair = DepuisAnsi(ansi);
    EXIGE(EnAnsi(clair) == ansi);
    const QString brouillé = EmbrouilleTexte(clair);
    EXIGE(brouillé.size() == 2 * ansi.size() && PairesHexadécimales(brouillé) &&
          brouillé == brouillé.toUpper());
    EXIGE(DésembrouilleTexte(brouillé) == clair);

    // The bytes as any UTF-16 text.
    const QString texte(reinterpret_cast<const QChar*>(octets), static_cast<qsizetype>(taille / 2));
    const QString désembrouillé = DésembrouilleTexte(texte);
    if (PairesHexadécimales(texte))
        EXIGE(EmbrouilleTexte(désembrouillé) == texte.toUpper());
    else
        EXIGE(désembrouillé.isEmpty());
    const QByteArray enAnsi = EnAnsi(texte);
    EXIGE(enAnsi.size() == texte.size() - PairesDeSubstitution(texte));
    // A character is only ever lost to a "?".
    EXIGE(DepuisAnsi(enAnsi) == texte || enAnsi.contains('?'));
    return 0;
}
