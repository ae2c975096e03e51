#include "verification_proxy.h"

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
