#include "ansi.h"
#include "net/inet.h"
#include "serveur_scripte.h"

#include <QElapsedTimer>
#include <QHttpServer>
#include <QHttpServerResponse>
#include <QNetworkProxy>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using Réponse = ServeurScripté::Réponse;

namespace {

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

class TestInet : public QObject {
    Q_OBJECT

    enum Panne { Refus, Silence, Coupure, SansAdresse };

    QHttpServer http;
    quint16 portHttp = 0;
    ServeurScripté scripté;
    ServeurScripté proxy{[](const ServeurScripté::Requête& requête) {
        if (requête.champ("Proxy-Authorization") != "Basic " + QByteArray("util:mdp").toBase64())
            return Réponse{ServeurScripté::réponse("407 Proxy Authentication Required", "",
                                                   {"Proxy-Authenticate: Basic realm=\"p\""})};
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
        QTest::newRow("free phrase") << ServeurScripté::réponse("200 Fine", "abc") << u"/"_s
                                     << u"HTTP/1.1 200 Fine"_s << QByteArray("abc") << true;
        QTest::newRow("latin-1 phrase")
            << ServeurScripté::réponse("200 Tr\xE8s bien", "abc") << u"/"_s
            << u"HTTP/1.1 200 Très bien"_s << QByteArray("abc") << true;
        QTest::newRow("403") << ServeurScripté::réponse("403 Forbidden", "non") << u"/"_s
                             << u"HTTP/1.1 403 Forbidden"_s << QByteArray("non") << false;
        QTest::newRow("redirect not followed")
            << ServeurScripté::réponse("301 Moved Permanently", "", {"Location: /ailleurs"})
            << u"/"_s << u"HTTP/1.1 301 Moved Permanently"_s << QByteArray() << false;
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
        QCOMPARE(inet.GetChunkOctets(100000), corps);

        QCOMPARE(inet.OpenURL(url), ouvert ? DepuisAnsi(corps) : QString());
        QCOMPARE(premièreLigne(inet.GetHeader()), statut);
        QCOMPARE(inet.GetChunk(100), QString());
    }

    void headers() {
        scripté.setScript([](const auto&) {
            return Réponse{"HTTP/1.1 200 OK\r\nContent-Length: 3\r\nX-Boite: hd1\r\n"
                           "Connection: close\r\n\r\nabc"};
        });
        Inet inet;
        exécute(inet, scripté.url(u"/pub/remote_control?code=12&key=vol_inc"));
        QCOMPARE(inet.GetHeader(), u"HTTP/1.1 200 OK\r\nContent-Length: 3\r\nX-Boite: hd1\r\n"
                                   "Connection: close\r\n"_s);
        QCOMPARE(inet.GetHeader(u"x-boite"_s), u"hd1"_s);
        QCOMPARE(inet.GetHeader(u"Content-Length"_s), u"3"_s);
        QCOMPARE(inet.GetHeader(u"Absent"_s), QString());

        const auto& requête = scripté.requêtes().constLast();
        QCOMPARE(requête.cible, "/pub/remote_control?code=12&key=vol_inc");
        QCOMPARE(requête.champ("Accept-Encoding"), "identity");
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
        if (panne == Silence)
            QVERIFY2(chrono.elapsed() >= 1800 && chrono.elapsed() < 4000,
                     QByteArray::number(chrono.elapsed()).constData());
    }

    // Qt ends some of these replies without an error, depending on timing (more often with a
    // transfer timeout set): every one must still fail.
    void cutShortEveryTime() {
        scripté.setScript([](const auto&) {
            return Réponse{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc"};
        });
        Inet inet;
        inet.setRequestTimeout(1);
        for (int i = 0; i < 2000; ++i)
            QCOMPARE(inet.OpenURL(scripté.url()), QString());
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

        // A Cancel while the answer is drained ends the drain.
        inet.Execute(urlHttp(u"/doc"), u"GET"_s);
        QVERIFY(QTest::qWaitFor([&] { return !inet.StillExecuting(); }));
        QCOMPARE(inet.GetChunk(512).size(), 512);
        inet.Cancel();
        QCOMPARE(inet.GetChunk(512), QString());

        // A Cancel from a window event while OpenURL waits makes it return empty.
        scripté.setScript([](const auto&) { return Réponse{{}, 0, true}; });
        QTimer::singleShot(50, &inet, [&] { inet.Cancel(); });
        QElapsedTimer chrono;
        chrono.start();
        QCOMPARE(inet.OpenURL(scripté.url()), QString());
        QVERIFY(chrono.elapsed() < 1000);
        QVERIFY(!inet.StillExecuting());
    }

    void executeAgainFromSlot() {
        scripté.setScript(
            [](const auto&) { return Réponse{ServeurScripté::réponse("200 OK", "deux")}; });
        Inet inet;
        QList<int> états;
        connect(&inet, &Inet::StateChanged, this, [&](int é) {
            états << é;
            if (états.size() == 1) {
                inet.Cancel();
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
        QTest::newRow("system, no http_proxy")
            << 0 << QByteArray() << QByteArray() << u"mdp"_s << direct;
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
