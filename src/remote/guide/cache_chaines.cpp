#include "cache_chaines.h"

#include "ansi.h"
#include "fichiers.h"
#include "net/inet.h"
#include "texte.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>

using namespace Qt::StringLiterals;

void SupprimeAncienCache(const QString& fichierChaînes) {
    QFile::remove(fichierChaînes + u".txt"_s);
}

bool RapatriementDû(qint16 version, const QString& fichierChaînes, QDate aujourdhui) {
    if (version == 6)
        return false;
    if (!FichierExiste(fichierChaînes))
        return true;
    return QFileInfo(fichierChaînes).lastModified().date() < aujourdhui;
}

QString UrlListeChaînes(qint16 hd) {
    return FormateTexte(u"http://%v.freebox.fr/pub/channels"_s, {u"hd"_s + QString::number(hd)});
}

QString RapatrieListeChaînes(Inet& netConnexion, const QString& url) {
    netConnexion.Cancel();
    netConnexion.setRequestTimeout(8);
    // A box's list holds a few hundred channels, some hundred kilobytes.
    netConnexion.setTailleMaximale(16 * 1024 * 1024);
    // The timeout above counts silence only: a box that trickles its answer would keep the
    // start-up waiting for ever.
    QTimer échéance;
    échéance.setSingleShot(true);
    QObject::connect(&échéance, &QTimer::timeout, &netConnexion, &Inet::Cancel);
    échéance.start(8000);
    return netConnexion.OpenURL(url);
}

bool EcritCacheChaînes(const QString& fichierChaînes, const QString& corps) {
    QSaveFile cache(fichierChaînes);
    if (!cache.open(QIODevice::WriteOnly))
        return false;
    cache.write(EnAnsi(corps) + "\r\n");
    return cache.commit();
}

QString TexteÉchecRapatriement(const QString& url) {
    return u"Impossible de rappatrier la liste des chaînes (fichier "_s + url + u")...\n\n"_s +
           u"Assurez-vous que les boîtiers ADSL et HD sont branchés et que leur firmware est à "
           u"jour. Dans le cas contraire, procédez à leur mise à jour. Sans ce fichier, vous ne "
           u"pourrez avoir accès à la liste des chaînes.\n\n"_s +
           u"Souhaitez-vous tout de même utiliser la Navelo ?"_s;
}
