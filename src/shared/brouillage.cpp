#include "brouillage.h"

#include "ansi.h"

#include <algorithm>

namespace {

quint8 InverseQuartets(quint8 octet) {
    return static_cast<quint8>((octet << 4) | (octet >> 4));
}

// The key of byte j in a text of m bytes, taken modulo 256.
quint8 Clé(qsizetype m, qsizetype j) {
    return static_cast<quint8>(256 - m + j);
}

} // namespace

QString DésembrouilleTexte(const QString& brouillé) {
    const bool chiffresSeuls = std::all_of(brouillé.cbegin(), brouillé.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f');
    });
    if (brouillé.size() % 2 != 0 || !chiffresSeuls)
        return {};
    const QByteArray octets = QByteArray::fromHex(brouillé.toLatin1());
    QByteArray clair(octets.size(), Qt::Uninitialized);
    for (qsizetype j = 0; j < octets.size(); ++j)
        clair[j] = static_cast<char>(
            InverseQuartets(static_cast<quint8>(octets[j]) ^ Clé(octets.size(), j)));
    return DepuisAnsi(clair);
}

QString EmbrouilleTexte(const QString& clair) {
    const QByteArray octets = EnAnsi(clair);
    QByteArray brouillé(octets.size(), Qt::Uninitialized);
    for (qsizetype j = 0; j < octets.size(); ++j)
        brouillé[j] = static_cast<char>(InverseQuartets(static_cast<quint8>(octets[j])) ^
                                        Clé(octets.size(), j));
    return QString::fromLatin1(brouillé.toHex().toUpper());
}
