#include "serveur_maj.h"

#include "envoi.h"

#include <QFile>
#include <QFileInfo>
#include <QHttpServerRequest>
#include <QPointer>
#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QByteArray PageAbsente =
    "<html><head><title>404 Not Found</title></head><body><h1>Not Found</h1></body></html>"_ba;
const QByteArray AvertissementPhp =
    "<br />\n<b>Warning</b>:  mysql_connect(): Too many connections in "
    "<b>/var/www/file/_versions.php</b> on line <b>12</b><br />"_ba;

// The entries of "apps": split at "|" (which the client's URL sends as %7C) and at each
// entry's first "=", then decoded as UTF-8, so that an encoded "=" or "&" stays in its value.
QStringList Logiciels(const QUrl& url) {
    QByteArray valeur;
    for (const QByteArray& paire : url.query(QUrl::FullyEncoded).toLatin1().split('&')) {
        if (paire.startsWith("apps="))
            valeur = paire.mid(5);
    }
    valeur.replace("%7C", "|").replace("%7c", "|");
    QStringList logiciels;
    for (const QByteArray& entrée : valeur.split('|')) {
        const qsizetype égal = entrée.indexOf('=');
        const auto décode = [](const QByteArray& b) {
            return QString::fromUtf8(QByteArray::fromPercentEncoding(b));
        };
        if (!entrée.isEmpty())
            logiciels.append(égal < 0
                                 ? décode(entrée)
                                 : décode(entrée.left(égal)) + u'=' + décode(entrée.mid(égal + 1)));
    }
    return logiciels;
}

QByteArray EnTête(int statut, const QByteArray& phrase, const QByteArray& type, qint64 longueur) {
    QByteArray entête = "HTTP/1.1 " + QByteArray::number(statut) + ' ' + phrase +
                        "\r\nContent-Type: " + type + "\r\nConnection: close\r\n";
    if (longueur >= 0)
        entête += "Content-Length: " + QByteArray::number(longueur) + "\r\n";
    return entête + "\r\n";
}

} // namespace

ServeurMaj::ServeurMaj(QObject* parent)
    : QAbstractHttpServer(parent) {}

quint16 ServeurMaj::écoute(quint16 port) {
    m_port = listen(QHostAddress::LocalHost, port);
    return m_port;
}

quint16 ServeurMaj::écouteTls(const QSslCertificate& certificat, const QSslKey& clé, quint16 port) {
    sslSetup(certificat, clé);
    return écoute(port);
}

QByteArray ServeurMaj::OctetsGénérés(qint64 position, qint64 taille) {
    // A prime period, so that a shifted or repeated block shows. One division per block,
    // not per byte: this runs for every block of a 1 GiB answer.
    constexpr int période = 251;
    QByteArray octets(taille, Qt::Uninitialized);
    int valeur = static_cast<int>(position % période);
    for (char& octet : octets) {
        octet = static_cast<char>(valeur);
        if (++valeur == période)
            valeur = 0;
    }
    return octets;
}

// The installer's signature: its ".minisig" file, or one that minisign makes for a generated
// installer; empty when there is none.
QByteArray ServeurMaj::signature(const QString& installateur) {
    QFile fichier(options.dossierInstallateurs + u'/' + installateur + u".minisig"_s);
    if (!options.dossierInstallateurs.isEmpty() && fichier.open(QIODevice::ReadOnly))
        return fichier.readAll();
    if (options.tailleGénérée < 0 || options.cléSignature.isEmpty())
        return {};
    const QString clé =
        options.cléSignature + u'|' + installateur + u'|' + QString::number(options.tailleGénérée);
    if (const auto connue = m_signatures.constFind(clé); connue != m_signatures.cend())
        return *connue;
    const QTemporaryDir dossier;
    QFile généré(dossier.filePath(installateur));
    if (!généré.open(QIODevice::WriteOnly))
        return {};
    for (qint64 fait = 0; fait < options.tailleGénérée; fait += 1 << 20)
        généré.write(OctetsGénérés(fait, qMin<qint64>(1 << 20, options.tailleGénérée - fait)));
    généré.close();
    QProcess minisign;
    minisign.start(u"minisign"_s,
                   {u"-S"_s, u"-s"_s, options.cléSignature, u"-m"_s, généré.fileName()});
    QFile signé(généré.fileName() + u".minisig"_s);
    if (!minisign.waitForFinished(60'000) || minisign.exitCode() != 0 ||
        !signé.open(QIODevice::ReadOnly))
        return {};
    return m_signatures[clé] = signé.readAll();
}

bool ServeurMaj::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    réponds(request, socket);
    return true;
}

void ServeurMaj::missingHandler(const QHttpServerRequest&, QTcpSocket*) {}

void ServeurMaj::réponds(const QHttpServerRequest& request, QTcpSocket* socket) {
    RequeteMaj requête;
    requête.heure = QDateTime::currentDateTime();
    requête.méthode = request.method() == QHttpServerRequest::Method::Get ? "GET"_ba : "OTHER"_ba;
    requête.cible = request.url().path(QUrl::FullyEncoded).toLatin1();
    if (request.url().hasQuery())
        requête.cible += '?' + request.url().query(QUrl::FullyEncoded).toLatin1();
    requête.via = request.value("Via");
    requête.autorisationProxy = request.value("Proxy-Authorization");
    const QString nom = request.url().fileName();

    QByteArray entête;
    Envoi::Source source;
    qint64 taille = 0;
    QByteArray signé;
    if (options.demandeIdentifiantsProxy) {
        requête.statut = 407;
        entête = "HTTP/1.1 407 Proxy Authentication Required\r\nProxy-Authenticate: Basic "
                 "realm=\"korvane\"\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        source = [](qint64, qint64) { return QByteArray(); };
    } else if (nom.endsWith(u".minisig"_s) && !(signé = signature(nom.chopped(8))).isEmpty()) {
        requête.statut = 200;
        taille = signé.size();
        entête = EnTête(200, options.phrase200, "text/plain", taille);
        source = [signé](qint64 position, qint64 n) { return signé.mid(position, n); };
    } else if (nom == u"_versions.php") {
        requête.logiciels = Logiciels(request.url());
        QByteArray corps;
        if (options.versionsIntrouvables) {
            requête.statut = 404;
            corps = PageAbsente;
            entête = EnTête(404, "Not Found", "text/html", corps.size());
        } else {
            requête.statut = 200;
            QStringList lignes;
            if (options.avertissementsPhp)
                lignes.append(QString::fromLatin1(AvertissementPhp));
            for (const QString& ligne : options.catalogue.split(u'\n')) {
                const QString nomCatalogue = ligne.section(u'=', 0, 0).trimmed();
                for (const QString& logiciel : std::as_const(requête.logiciels)) {
                    if (!nomCatalogue.isEmpty() &&
                        logiciel.section(u'=', 0, 0).compare(nomCatalogue, Qt::CaseInsensitive) ==
                            0) {
                        lignes.append(ligne.trimmed());
                        break;
                    }
                }
            }
            if (options.avertissementsPhp)
                lignes.append(QString::fromLatin1(AvertissementPhp));
            QStringEncoder ansi(QStringEncoder::Latin1);
            corps = ansi(lignes.join(QString::fromLatin1(options.finDeLigne)));
            corps += options.finDeLigne;
            entête = EnTête(200, options.phrase200, "text/html", corps.size());
        }
        source = [corps](qint64 position, qint64 n) { return corps.mid(position, n); };
        taille = corps.size();
    } else if (nom.endsWith(u".exe"_s) && options.tailleGénérée >= 0) {
        requête.statut = 200;
        taille = options.tailleGénérée;
        source = &OctetsGénérés;
    } else if (nom.endsWith(u".exe"_s) &&
               QFileInfo(options.dossierInstallateurs + u'/' + nom).isFile()) {
        requête.statut = 200;
        auto fichier = std::make_shared<QFile>(options.dossierInstallateurs + u'/' + nom);
        fichier->open(QIODevice::ReadOnly);
        taille = fichier->size();
        source = [fichier](qint64 position, qint64 n) {
            fichier->seek(position);
            return fichier->read(n);
        };
    } else {
        requête.statut = 404;
        taille = PageAbsente.size();
        entête = EnTête(404, "Not Found", "text/html", taille);
        source = [](qint64 position, qint64 n) { return PageAbsente.mid(position, n); };
    }
    if (entête.isEmpty())
        entête = EnTête(200, options.phrase200, "application/octet-stream",
                        options.sansLongueur ? -1 : taille);

    m_requêtes.append(requête);
    Q_EMIT requestReceived(requête);
    const qint64 envoyés = requête.statut == 200 && options.corpsCoupé ? taille / 2 : taille;
    const int débit = options.octetsParSeconde;
    QTimer::singleShot(options.pauseMs, socket,
                       [=] { Envoi::Lance(socket, entête, source, envoyés, débit); });
}
