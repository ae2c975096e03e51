#include "adresse_locale.h"

#include <QUrl>

// Pipe names are shared by every session: the user's name keeps other users' apart.
QString AdresseLocalePrivée(const QString& nom) {
    const QByteArray utilisateur = QUrl::toPercentEncoding(qEnvironmentVariable("USERNAME"));
    return nom + u'.' + QString::fromLatin1(utilisateur);
}
