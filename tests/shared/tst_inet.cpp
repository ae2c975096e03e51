#include "ansi.h"
#include "net/inet.h"
#include "serveur_maj.h"
#include "serveur_scripte.h"

#include <QElapsedTimer>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QNetworkProxy>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray tousLesOctets(int taille) {
    QByteArray octets(taille, Qt::Uninitialized);
    for (int i = 0; i < taille; ++i)
        octets[i] = static_cast<char>(i % 256);
    return octets;
}

QList<int> exécute(Inet& inet, const QString& url) {
    QList<int> états;
    const auto lien = QObject::connect(&inet, &Inet::StateChanged, [&](int é) { états << é; });
    inet.Execute(url, u"GET"_s);
    if (QTest::qWaitFor([&] { return !inet.StillExecuting(); }, 5000))
        QTest::qWait(20);
    QObject::disconnect(lien);
    return états;
}

} // namespace

class TestInet : public QObject {
    Q_OBJECT

    enum Panne { Refus, Silence, Coupure, SansAdresse };

    QHttpServer http;
    quint16 portHttp = 0;
    ServeurScripté brut{ServeurScripté::Réponse{}};
    // A proxy asking for credentials; it notes the Proxy-Authorization of each request.
    QHttpServer proxy;
    quint16 portProxy = 0;
    QList<QByteArray> autorisations;

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
        proxy.route(u"/doc"_s, [this](const QHttpServerRequest& requête) {
            autorisations.append(requête.value("Proxy-Authorization"));
            if (autorisations.constLast() == "Basic " + QByteArray("util:mdp").toBase64())
                return QHttpServerResponse("text/plain", "par le proxy");
            QHttpServerResponse réponse(
                QHttpServerResponse::StatusCode::ProxyAuthenticationRequired);
            réponse.addHeader("Proxy-Authenticate", "Basic realm=\"p\"");
            return réponse;
        });
        portProxy = proxy.listen(QHostAddress::LocalHost);
        QVERIFY(portHttp != 0 && portProxy != 0);
    }

    void init() {
        qunsetenv("http_proxy");
        qunsetenv("no_proxy");
    }

    void answers_data() {
        QTest::addColumn<QByteArray>("brute"); // empty: from QHttpServer
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QString>("statut");
        QTest::addColumn<QByteArray>("corps");
        QTest::addColumn<bool>("ouvert");

        QTest::newRow("200") << QByteArray() << u"/doc"_s << u"HTTP/1.1 200 OK"_s
                             << tousLesOctets(2500) << true;
        QTest::newRow("404") << QByteArray() << u"/introuvable"_s << u"HTTP/1.1 404 Not Found"_s
                             << QByteArray("page d'erreur") << false;
        QTest::newRow("latin-1 phrase")
            << ServeurScripté::réponse("200 Tr\xE8s bien", "abc") << QString()
            << u"HTTP/1.1 200 Très bien"_s << QByteArray("abc") << true;
        QTest::newRow("redirect not followed")
            << "HTTP/1.1 301 Moved Permanently\r\nContent-Length: 0\r\nLocation: " +
                   urlHttp(u"/doc").toLatin1() + "\r\n\r\n"
            << QString() << u"HTTP/1.1 301 Moved Permanently"_s << QByteArray() << false;
    }

    void answers() {
        QFETCH(QByteArray, brute);
        QFETCH(QString, chemin);
        QFETCH(QString, statut);
        QFETCH(QByteArray, corps);
        QFETCH(bool, ouvert);
        brut.prévue = {brute};
        const QString url = brute.isEmpty() ? urlHttp(chemin) : brut.url();

        Inet inet;
        QCOMPARE(exécute(inet, url),
                 QList<int>({Inet::icResponseReceived, Inet::icResponseCompleted}));
        QCOMPARE(inet.GetHeader().section(u"\r\n"_s, 0, 0), statut);
        QCOMPARE(inet.GetHeader(u"content-length"_s), QString::number(corps.size()));
        QCOMPARE(inet.GetHeader(u"Absent"_s), QString());
        QCOMPARE(inet.GetChunkOctets(100000), corps);

        QCOMPARE(inet.OpenURL(url), ouvert ? DepuisAnsi(corps) : QString());
        QCOMPARE(inet.GetHeader().section(u"\r\n"_s, 0, 0), statut);
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
    }

    void failures_data() {
        QTest::addColumn<int>("panne");
        QTest::newRow("refused") << int(Refus);
        QTest::newRow("timeout") << int(Silence);
        QTest::newRow("body cut short, every time") << int(Coupure);
        QTest::newRow("no URL") << int(SansAdresse);
    }

    void failures() {
        QFETCH(int, panne);
        QString url;
        if (panne == Refus) {
            QTcpServer libre;
            libre.listen(QHostAddress::LocalHost);
            url = u"http://127.0.0.1:%1/"_s.arg(libre.serverPort());
        } else if (panne != SansAdresse) {
            brut.prévue = {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc", 0,
                           panne == Silence};
            url = brut.url();
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
        brut.prévue = {ServeurScripté::réponse("200 OK", "x"), 100};
        Inet inet;
        QList<int> états;
        connect(&inet, &Inet::StateChanged, this, [&](int é) { états << é; });

        inet.Execute(brut.url(), u"GET"_s);
        QVERIFY(inet.StillExecuting());
        inet.Cancel();
        QVERIFY(!inet.StillExecuting());
        QTest::qWait(300);
        QCOMPARE(états, QList<int>());
        QCOMPARE(inet.GetChunk(10), QString());
        QCOMPARE(inet.GetHeader(), QString());

        // A Cancel from a window event while OpenURL waits makes it return empty.
        brut.prévue.silence = true;
        QTimer::singleShot(50, &inet, [&] { inet.Cancel(); });
        QElapsedTimer chrono;
        chrono.start();
        QCOMPARE(inet.OpenURL(brut.url()), QString());
        QVERIFY(chrono.elapsed() < 1000);
        QVERIFY(!inet.StillExecuting());
    }

    // What the key sender does while it drains an answer: cancel and send again.
    void executeAgainFromSlot() {
        brut.prévue = {ServeurScripté::réponse("200 OK", "deux")};
        Inet inet;
        QList<int> états;
        connect(&inet, &Inet::StateChanged, this, [&](int é) {
            états << é;
            if (états.size() == 1) {
                QCOMPARE(inet.GetChunk(512).size(), 512);
                inet.Cancel();
                QCOMPARE(inet.GetChunk(512), QString());
                inet.setURL(brut.url());
                inet.Execute();
            }
        });
        inet.Execute(urlHttp(u"/doc"), u"GET"_s);
        QVERIFY(QTest::qWaitFor([&] { return états.size() == 3; }));
        QTest::qWait(20);
        QCOMPARE(états, QList<int>({8, 8, 12}));
        QCOMPARE(inet.GetChunk(512), u"deux"_s);
    }

    // A body slower as a whole than the silence limit, but never silent for that long, comes
    // in chunks of the size asked for.
    void progressiveTrickle() {
        ServeurMaj lent;
        lent.options.tailleGénérée = 2500;
        lent.options.octetsParSeconde = 1000;
        Inet inet;
        inet.setRequestTimeout(1);
        inet.setLectureProgressive(true);
        inet.Execute(u"http://127.0.0.1:%1/a.exe"_s.arg(lent.écoute()), u"GET"_s);
        QVERIFY(QTest::qWaitFor([&] { return !inet.StillExecuting(); }));
        QCOMPARE(inet.GetHeader(u"Content-Length"_s), u"2500"_s);
        QList<qsizetype> tailles;
        for (QByteArray morceau; !(morceau = inet.GetChunkOctets(1024)).isEmpty();)
            tailles << morceau.size();
        QCOMPARE(tailles, QList<qsizetype>({1024, 1024, 452}));
    }

    void proxies_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("httpProxy");
        QTest::addColumn<QByteArray>("noProxy");
        QTest::addColumn<bool>("parProxy");
        const QByteArray versProxy = "http://127.0.0.1:" + QByteArray::number(portProxy);
        QTest::newRow("named") << 2 << QByteArray() << QByteArray() << true;
        QTest::newRow("system, http_proxy") << 0 << versProxy << QByteArray() << true;
        QTest::newRow("system, no_proxy") << 0 << versProxy << QByteArray("127.0.0.1") << false;
        QTest::newRow("direct despite http_proxy") << 1 << versProxy << QByteArray() << false;
    }

    void proxies() {
        QFETCH(int, type);
        QFETCH(QByteArray, httpProxy);
        QFETCH(QByteArray, noProxy);
        QFETCH(bool, parProxy);
        qputenv("http_proxy", httpProxy);
        qputenv("no_proxy", noProxy);
        autorisations.clear();

        Inet inet;
        inet.setAccessType(type);
        inet.setProxy(u"127.0.0.1"_s);
        inet.setRemotePort(portProxy);
        inet.setUserName(u"util"_s);
        inet.setPassword(u"mdp"_s);
        Inet voisin;
        voisin.setAccessType(Inet::icDirect);
        const QString url = urlHttp(u"/doc");
        const QString direct = DepuisAnsi(tousLesOctets(2500));
        const QNetworkProxy global = QNetworkProxy::applicationProxy();

        QCOMPARE(inet.OpenURL(url), parProxy ? u"par le proxy"_s : direct);
        QCOMPARE(voisin.OpenURL(url), direct);
        QCOMPARE(QNetworkProxy::applicationProxy(), global);
        // Credentials go out only once the proxy has asked for them.
        QCOMPARE(autorisations.size(), parProxy ? 2 : 0);
        if (parProxy) {
            QCOMPARE(autorisations.constFirst(), QByteArray());
            QCOMPARE(autorisations.constLast(), "Basic " + QByteArray("util:mdp").toBase64());
        }
    }
};

QTEST_GUILESS_MAIN(TestInet)
#include "tst_inet.moc"
