#include "verification_proxy.h"

#include "ansi.h"

#include <algorithm>

using namespace Qt::StringLiterals;

std::optional<RefusProxy> VérifieProxy(qint32 typeAccès, const QString& adresse,
                                       const QString& port) {
    if (typeAccès != AccèsParProxy)
        return std::nullopt;
    if (adresse.isEmpty())
        return RefusProxy{ChampProxy::Adresse, u"MSG_ERREUR_PROXY_ADRESSE"_s};
    const bool chiffres = !port.isEmpty() && std::all_of(port.cbegin(), port.cend(), [](QChar c) {
        return c >= u'0' && c <= u'9';
    });
    // Digits only, so a number too long to read is out of range as well.
    bool lu = false;
    const qulonglong valeur = port.toULongLong(&lu);
    if (!chiffres || !lu || valeur > 65535)
        return RefusProxy{ChampProxy::Port, u"MSG_ERREUR_PROXY_PORT"_s};
    return std::nullopt;
}

std::optional<QString> CaractèreNonEnregistrable(QStringView texte) {
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        // A character beyond the first 65536 is named whole, not by half.
        if (c.isHighSurrogate() && i + 1 < texte.size() && texte.at(i + 1).isLowSurrogate())
            return texte.sliced(i, 2).toString();
        if (CaractèreAnsi(c) == '?' && c != u'?')
            return QString(c);
    }
    return std::nullopt;
}
