#include "exige.h"
#include "updates/telechargement.h"

#include <QLocale>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>

using namespace Qt::StringLiterals;

// The status of a header block of any bytes, and the display of any byte count.
extern "C" int LLVMFuzzerTestOneInput(const quint8* octets, size_t taille) {
    static const bool français = [] {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        return true;
    }();
    EXIGE(français);
    FuzzedDataProvider données(octets, taille);
    const qint64 nombre = données.ConsumeIntegral<qint64>();
    const QString enTêtes = QString::fromUtf8(données.ConsumeRemainingBytesAsString());

    // The status is the rest of the first line after its first space.
    const QString statut = StatutRéponse(enTêtes);
    const qsizetype finLigne =
        std::find_if(enTêtes.cbegin(), enTêtes.cend(), [](QChar c) { return c.unicode() < 32; }) -
        enTêtes.cbegin();
    const QString première = enTêtes.left(finLigne);
    if (première.contains(u' '))
        EXIGE(première.endsWith(statut) && première.size() > statut.size());
    else
        EXIGE(statut.isEmpty());

    // A size reads as a number of at most one decimal, without digit-group separators, and one
    // of the five units.
    const QString texte = TailleTexte(nombre);
    const QStringList parties = texte.split(u' ');
    EXIGE(parties.size() == 2);
    static const QRegularExpression forme(u"^-?[0-9]+(,[0-9])?$"_s);
    EXIGE(forme.match(parties.at(0)).hasMatch());
    EXIGE(QStringList({u"octets"_s, u"Ko"_s, u"Mo"_s, u"Go"_s, u"To"_s}).contains(parties.at(1)));
    bool lu = false;
    const double valeur = QLocale().toDouble(parties.at(0), &lu);
    EXIGE(lu);
    if (nombre >= 0) {
        EXIGE(valeur >= 0 && (parties.at(1) == u"To"_s || valeur <= 1024));
        if (nombre < 1024)
            EXIGE(texte == QString::number(nombre) + u" octets"_s);
    }
    return 0;
}
