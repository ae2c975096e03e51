#include "ansi.h"
#include "net/inet.h"

#include <QElapsedTimer>
#include <QHttpServer>
#include <QHttpServerResponse>
#include <QNetworkProxy>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

// An HTTP server on 127.0.0.1 answering byte for byte what the test scripts, for what
// QHttpServer cannot do: a free status line, a body cut short, a late answer or none, a
// proxy's 407. It keeps each request's target as the client sent it, and its header lines.
class ServeurScripté {
public:
    struct Requête {
        QByteArray cible;
        QList<QByteArray> lignes;

        QByteArray champ(QByteArrayView nom) const {
            for (const QByteArray& ligne : lignes) {
                const qsizetype deuxPoints = ligne.indexOf(':');
                if (deuxPoints > 0 &&
                    nom.compare(ligne.first(deuxPoints), Qt::CaseInsensitive) == 0)
                    return ligne.mid(deuxPoints + 1).trimmed();
            }
            return {};
        }
    };
    struct Réponse {
        QByteArray octets; // sent as they are, then the connection is closed
        int délaiMs = 0;
        bool silence = false;
    };
    using Script = std::function<Réponse(const Requête&)>;

    explicit ServeurScripté(Script script = {})
        : script(std::move(script)) {
        serveur.listen(QHostAddress::LocalHost);
        QObject::connect(&serveur, &QTcpServer::newConnection, &serveur, [this] {
            while (QTcpSocket* connexion = serveur.nextPendingConnection()) {
                QObject::connect(connexion, &QTcpSocket::readyRead, connexion,
                                 [this, connexion] { lit(connexion); });
                QObject::connect(connexion, &QTcpSocket::disconnected, connexion,
                                 &QObject::deleteLater);
            }
        });
    }

    void setScript(Script nouveau) { script = std::move(nouveau); }
    quint16 port() const { return serveur.serverPort(); }
    QString url(QStringView chemin = u"/") const {
        return u"http://127.0.0.1:"_s + QString::number(port()) + chemin;
    }
    const QList<Requête>& requêtes() const { return reçues; }

    static QByteArray réponse(QByteArrayView statut, QByteArrayView corps = {},
                              QByteArrayView champ = {}) {
        return "HTTP/1.1 " + statut.toByteArray() +
               "\r\nContent-Length: " + QByteArray::number(corps.size()) +
               "\r\nConnection: close\r\n" +
               (champ.isEmpty() ? QByteArray() : champ.toByteArray() + "\r\n") + "\r\n" +
               corps.toByteArray();
    }

private:
    // Requests without a body, one per connection: what Inet sends.
    void lit(QTcpSocket* connexion) {
        const QByteArray arrivé = connexion->peek(connexion->bytesAvailable());
        const qsizetype fin = arrivé.indexOf("\r\n\r\n");
        if (fin < 0)
            return;
        connexion->read(fin + 4);
        QList<QByteArray> lignes = arrivé.first(fin).split('\n');
        reçues.append({lignes.takeFirst().split(' ').value(1), lignes});
        const Réponse prévue = script ? script(reçues.constLast()) : Réponse{réponse("200 OK")};
        if (prévue.silence)
            return;
        QTimer::singleShot(prévue.délaiMs, connexion, [connexion, octets = prévue.octets] {
            connexion->write(octets);
            connexion->disconnectFromHost();
        });
    }

    QTcpServer serveur;
    Script script;
    QList<Requête> reçues;
};

QByteArray tousLesOctets(int taille) {
    QByteArray octets(taille, Qt::Uninitialized);
    for (int i = 0; i < taille; ++i)
        octets[i] = static_cast<char>(i % 256);
    return octets;
}

// Every state raised by one Execute, once the request has ended.
QList<int> exécute(Inet& inet, const QString& url) {
    QList<int> états;
    const auto lien = QObject::connect(&inet, &Inet::StateChanged, [&](int é) { états << é; });
    inet.Execute(url, u"GET"_s);
    if (QTest::qWaitFor([&] { return !inet.StillExecuting(); }, 5000))
        QTest::qWait(20);
    QObject::disconnect(lien);
    return états;
}

QString premièreLigne(const QString& enTêtes) {
    return enTêtes.section(u"\r\n"_s, 0, 0);
}

} // namespace

using Réponse = ServeurScripté::Réponse;

class TestInet : public QObject {
    Q_OBJECT

    enum Panne { Refus, Silence, Coupure, SansAdresse };

    QHttpServer http;
    quint16 portHttp = 0;
    ServeurScripté scripté;
    ServeurScripté proxy{[](const ServeurScripté::Requête& requête) {
        if (requête.champ("Proxy-Authorization") != "Basic " + QByteArray("util:mdp").toBase64())
            return Réponse{ServeurScripté::réponse("407 Proxy Authentication Required", "",
                                                   "Proxy-Authenticate: Basic realm=\"p\"")};
        return Réponse{ServeurScripté::réponse("200 OK", "par le proxy")};
    }};

    QString urlHttp(QStringView chemin) const {
        return u"http://127.0.0.1:"_s + QString::number(portHttp) + chemin;
    }

private Q_SLOTS:
    void initTestCase() {
        http.route(u"/doc"_s,
                   [] { return QHttpServerResponse("text/plain", tousLesOctets(2500)); });
        http.route(u"/introuvable"_s, [] {
            return QHttpServerResponse("text/plain", "page d'erreur",
                                       QHttpServerResponse::StatusCode::NotFound);
        });
        portHttp = http.listen(QHostAddress::LocalHost);
        QVERIFY(portHttp != 0);
        qunsetenv("http_proxy");
        qunsetenv("no_proxy");
    }

    void answers_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QString>("statut");
        QTest::addColumn<QByteArray>("corps");
        QTest::addColumn<bool>("ouvert");

        QTest::newRow("200") << QByteArray() << u"/doc"_s << u"HTTP/1.1 200 OK"_s
                             << tousLesOctets(2500) << true;
        QTest::newRow("404") << QByteArray() << u"/introuvable"_s << u"HTTP/1.1 404 Not Found"_s
                             << QByteArray("page d'erreur") << false;
        QTest::newRow("latin-1 phrase")
            << ServeurScripté::réponse("200 Tr\xE8s bien", "abc") << u"/"_s
            << u"HTTP/1.1 200 Très bien"_s << QByteArray("abc") << true;
        QTest::newRow("redirect not followed")
            << ServeurScripté::réponse("301 Moved Permanently", "", "Location: /ailleurs") << u"/"_s
            << u"HTTP/1.1 301 Moved Permanently"_s << QByteArray() << false;
    }

    void answers() {
        QFETCH(QByteArray, script);
        QFETCH(QString, chemin);
        QFETCH(QString, statut);
        QFETCH(QByteArray, corps);
        QFETCH(bool, ouvert);
        scripté.setScript([script](const auto&) { return Réponse{script}; });
        const QString url = script.isEmpty() ? urlHttp(chemin) : scripté.url(chemin);

        Inet inet;
        QCOMPARE(exécute(inet, url),
                 QList<int>({Inet::icResponseReceived, Inet::icResponseCompleted}));
        QCOMPARE(premièreLigne(inet.GetHeader()), statut);
        QCOMPARE(inet.GetHeader(u"content-length"_s), QString::number(corps.size()));
        QCOMPARE(inet.GetHeader(u"Absent"_s), QString());
        QCOMPARE(inet.GetChunkOctets(100000), corps);

        QCOMPARE(inet.OpenURL(url), ouvert ? DepuisAnsi(corps) : QString());
        QCOMPARE(premièreLigne(inet.GetHeader()), statut);
        QCOMPARE(inet.GetChunk(100), QString());
    }

    void chunks_data() {
        QTest::addColumn<bool>("octets");
        QTest::addColumn<int>("taille");
        QTest::addColumn<QList<int>>("longueurs");
        QTest::newRow("bytes") << true << 1024 << QList<int>{1024, 1024, 452};
        QTest::newRow("text") << false << 512 << QList<int>{512, 512, 512, 512, 452};
    }

    void chunks() {
        QFETCH(bool, octets);
        QFETCH(int, taille);
        QFETCH(QList<int>, longueurs);
        Inet inet;
        exécute(inet, urlHttp(u"/doc"));
        QCOMPARE(inet.GetChunk(0), QString());

        QList<int> lues;
        QString texte;
        while (lues.size() < 10) {
            const QString morceau =
                octets ? DepuisAnsi(inet.GetChunkOctets(taille)) : inet.GetChunk(taille);
            if (morceau.isEmpty())
                break;
            lues << int(morceau.size());
            texte += morceau;
        }
        QCOMPARE(lues, longueurs);
        QCOMPARE(texte, DepuisAnsi(tousLesOctets(2500)));
        QCOMPARE(texte.at(0x80), QChar(0x20AC));
        QCOMPARE(texte.at(0xE9), u'é');
    }

    void failures_data() {
        QTest::addColumn<int>("panne");
        QTest::newRow("refused") << int(Refus);
        QTest::newRow("timeout") << int(Silence);
        QTest::newRow("body cut short") << int(Coupure);
        QTest::newRow("no URL") << int(SansAdresse);
    }

    void failures() {
        QFETCH(int, panne);
        QString url;
        if (panne == Refus) {
            QTcpServer libre;
            libre.listen(QHostAddress::LocalHost);
            url = u"http://127.0.0.1:"_s + QString::number(libre.serverPort()) + u"/"_s;
        } else if (panne != SansAdresse) {
            scripté.setScript([panne](const auto&) {
                return panne == Silence
                           ? Réponse{{}, 0, true}
                           : Réponse{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc"};
            });
            url = scripté.url();
        }
        Inet inet;
        inet.setRequestTimeout(1);
        QElapsedTimer chrono;
        chrono.start();
        QCOMPARE(exécute(inet, url), QList<int>{Inet::icError});
        QCOMPARE(inet.GetHeader(), QString());
        QCOMPARE(inet.GetChunk(10), QString());
        QCOMPARE(inet.OpenURL(url), QString());
        QCOMPARE(inet.GetHeader(), QString());
        // Qt ends some cut-short replies without an error, depending on timing.
        for (int fois = 0; panne == Coupure && fois < 2000; ++fois)
            QCOMPARE(inet.OpenURL(url), QString());
        if (panne == Silence)
            QVERIFY2(chrono.elapsed() >= 1800 && chrono.elapsed() < 4000,
                     QByteArray::number(chrono.elapsed()).constData());
    }

    void cancel() {
        scripté.setScript([](const auto&) {
            return Réponse{ServeurScripté::réponse("200 OK", "x"), 100};
        });
        Inet inet;
        QList<int> états;
        connect(&inet, &Inet::StateChanged, this, [&](int é) { états << é; });

        inet.Execute(scripté.url(), u"GET"_s);
        QVERIFY(inet.StillExecuting());
        inet.Cancel();
        QVERIFY(!inet.StillExecuting());
        QTest::qWait(300);
        QCOMPARE(états, QList<int>());
        QCOMPARE(inet.GetChunk(10), QString());
        QCOMPARE(inet.GetHeader(), QString());

        // A Cancel from a window event while OpenURL waits makes it return empty.
        scripté.setScript([](const auto&) { return Réponse{{}, 0, true}; });
        QTimer::singleShot(50, &inet, [&] { inet.Cancel(); });
        QElapsedTimer chrono;
        chrono.start();
        QCOMPARE(inet.OpenURL(scripté.url()), QString());
        QVERIFY(chrono.elapsed() < 1000);
        QVERIFY(!inet.StillExecuting());
    }

    // What the key sender does while it drains an answer: cancel and send again.
    void executeAgainFromSlot() {
        scripté.setScript(
            [](const auto&) { return Réponse{ServeurScripté::réponse("200 OK", "deux")}; });
        Inet inet;
        QList<int> états;
        connect(&inet, &Inet::StateChanged, this, [&](int é) {
            états << é;
            if (états.size() == 1) {
                QCOMPARE(inet.GetChunk(512).size(), 512);
                inet.Cancel();
                QCOMPARE(inet.GetChunk(512), QString());
                inet.setURL(scripté.url(u"/deux"));
                inet.Execute();
            }
        });
        inet.Execute(urlHttp(u"/doc"), u"GET"_s);
        QVERIFY(QTest::qWaitFor([&] { return états.size() == 3; }));
        QTest::qWait(20);
        QCOMPARE(états, QList<int>({8, 8, 12}));
        QCOMPARE(inet.GetChunk(512), u"deux"_s);
        QCOMPARE(scripté.requêtes().constLast().cible, "/deux");
    }

    void proxies_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("httpProxy");
        QTest::addColumn<QByteArray>("noProxy");
        QTest::addColumn<QString>("motDePasse");
        QTest::addColumn<QString>("attendu");
        const QByteArray versProxy = "http://127.0.0.1:" + QByteArray::number(proxy.port());
        const QString direct = DepuisAnsi(tousLesOctets(2500));
        const QString parProxy = u"par le proxy"_s;
        QTest::newRow("named") << 2 << QByteArray() << QByteArray() << u"mdp"_s << parProxy;
        QTest::newRow("named, wrong password")
            << 2 << QByteArray() << QByteArray() << u"faux"_s << QString();
        QTest::newRow("system, http_proxy")
            << 0 << versProxy << QByteArray() << u"mdp"_s << parProxy;
        QTest::newRow("system, no_proxy")
            << 0 << versProxy << QByteArray("127.0.0.1") << u"mdp"_s << direct;
        QTest::newRow("direct despite http_proxy")
            << 1 << versProxy << QByteArray() << u"mdp"_s << direct;
    }

    void proxies() {
        QFETCH(int, type);
        QFETCH(QByteArray, httpProxy);
        QFETCH(QByteArray, noProxy);
        QFETCH(QString, motDePasse);
        QFETCH(QString, attendu);
        qputenv("http_proxy", httpProxy);
        qputenv("no_proxy", noProxy);
        const auto nettoie = qScopeGuard([] {
            qunsetenv("http_proxy");
            qunsetenv("no_proxy");
        });
        const qsizetype déjàVues = proxy.requêtes().size();

        Inet inet;
        inet.setAccessType(type);
        inet.setProxy(u"127.0.0.1"_s);
        inet.setRemotePort(proxy.port());
        inet.setUserName(u"util"_s);
        inet.setPassword(motDePasse);
        Inet voisin;
        voisin.setAccessType(Inet::icDirect);
        const QString url = urlHttp(u"/doc");
        const QNetworkProxy global = QNetworkProxy::applicationProxy();

        QCOMPARE(inet.OpenURL(url), attendu);
        QCOMPARE(voisin.OpenURL(url), DepuisAnsi(tousLesOctets(2500)));
        QCOMPARE(QNetworkProxy::applicationProxy(), global);
        const auto vues = proxy.requêtes().mid(déjàVues);
        if (attendu != DepuisAnsi(tousLesOctets(2500))) {
            QVERIFY(!vues.isEmpty());
            QCOMPARE(vues.constFirst().cible, url.toLatin1());
            QCOMPARE(vues.constFirst().champ("Proxy-Authorization"), QByteArray());
            QCOMPARE(vues.constLast().champ("Proxy-Authorization").left(6), "Basic ");
        } else {
            QCOMPARE(vues.size(), 0);
        }
        if (attendu.isEmpty())
            QCOMPARE(premièreLigne(inet.GetHeader()),
                     u"HTTP/1.1 407 Proxy Authentication Required"_s);
    }
};

QTEST_GUILESS_MAIN(TestInet)
#include "tst_inet.moc"
