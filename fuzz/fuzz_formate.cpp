#include "exige.h"
#include "texte.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>

using namespace Qt::StringLiterals;

namespace {

bool ContientMarque(const QString& texte) {
    return texte.contains(u"%v", Qt::CaseInsensitive);
}

// Values that cannot form a new placeholder with the text around them.
bool ValeursNeutres(const QStringList& valeurs) {
    return std::all_of(valeurs.cbegin(), valeurs.cend(), [](const QString& v) {
        return !v.isEmpty() && !v.contains(u'%') && !v.contains(u'v', Qt::CaseInsensitive);
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const quint8* octets, size_t taille) {
    FuzzedDataProvider données(octets, taille);
    const QString modèle = QString::fromUtf8(données.ConsumeRandomLengthString());
    QStringList valeurs;
    while (données.remaining_bytes() > 0 && valeurs.size() < 16)
        valeurs.append(QString::fromUtf8(données.ConsumeRandomLengthString()));

    const QString texte = FormateTexte(modèle, valeurs);
    EXIGE(!ContientMarque(texte));
    if (!ContientMarque(modèle))
        EXIGE(texte == modèle);

    // Then the placeholders are filled in order, as splitting the template at them shows.
    const QStringList morceaux = modèle.split(u"%v"_s, Qt::KeepEmptyParts, Qt::CaseInsensitive);
    if (ValeursNeutres(valeurs) && valeurs.size() >= morceaux.size() - 1) {
        QString attendu = morceaux.front();
        for (qsizetype i = 1; i < morceaux.size(); ++i)
            attendu += valeurs.at(i - 1) + morceaux.at(i);
        EXIGE(texte == attendu);
    }
    return 0;
}
