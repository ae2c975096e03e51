#include "ansi.h"
#include "net/inet.h"
#include "serveur_maj.h"
#include "serveur_scripte.h"

#include <QFile>
#include <QNetworkProxy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Every byte value, 0x80 included.
const QByteArray document = ServeurMaj::OctetsGénérés(0, 2500);

QList<int> exécute(Inet& inet, const QString& url) {
    QList<int> états;
    const auto lien = QObject::connect(&inet, &Inet::StateChanged, [&](int é) { états << é; });
    inet.Execute(url, u"GET"_s);
    if (QTest::qWaitFor([&] { return !inet.StillExecuting(); }, 5000))
        QTest::qWait(20);
    QObject::disconnect(lien);
    return états;
}

qint64 RésidentKo() {
    QFile état(u"/proc/self/status"_s);
    const QByteArray texte = état.open(QIODevice::ReadOnly) ? état.readAll() : QByteArray();
    const qsizetype début = texte.indexOf("VmRSS:") + 6;
    return texte.mid(début, texte.indexOf(" kB", début) - début).trimmed().toLongLong();
}

} // namespace

class TestInet : public QObject {
    Q_OBJECT

    enum Panne { Refus, Silence, Coupure, SansAdresse };

    ServeurScripté brut{ServeurScripté::Réponse{}};

    // The scripted server's address, where it gives that answer.
    QString Sert(const QByteArray& réponse) {
        brut.prévue = {réponse};
        return brut.url();
    }
    QString Document() { return Sert(ServeurScripté::réponse("200 OK", document)); }

private Q_SLOTS:
    void init() {
        qunsetenv("http_proxy");
        qunsetenv("no_proxy");
    }

    void answers_data() {
        QTest::addColumn<QByteArray>("brute");
        QTest::addColumn<QString>("statut");
        QTest::addColumn<QByteArray>("corps");
        QTest::addColumn<bool>("ouvert");
        QTest::newRow("200") << ServeurScripté::réponse("200 OK", document) << u"HTTP/1.1 200 OK"_s
                             << document << true;
        // Error pages are answers too, whatever Qt makes of their status.
        for (const char* statut :
             {"404 Not Found", "400 Bad Request", "407 Proxy Authentication Required", "1 Odd"})
            QTest::newRow(statut) << ServeurScripté::réponse(statut, "page d'erreur")
                                  << u"HTTP/1.1 "_s + QLatin1StringView(statut)
                                  << QByteArray("page d'erreur") << false;
        QTest::newRow("latin-1 phrase") << ServeurScripté::réponse("200 Tr\xE8s bien", "abc")
                                        << u"HTTP/1.1 200 Très bien"_s << QByteArray("abc") << true;
        QTest::newRow("redirect not followed")
            << "HTTP/1.1 301 Moved Permanently\r\nContent-Length: 0\r\nLocation: " +
                   brut.url().toLatin1() + "doc\r\n\r\n"
            << u"HTTP/1.1 301 Moved Permanently"_s << QByteArray() << false;
    }
    void answers() {
        QFETCH(QByteArray, brute);
        QFETCH(QString, statut);
        QFETCH(QByteArray, corps);
        QFETCH(bool, ouvert);
        const QString url = Sert(brute);
        Inet inet;
        QCOMPARE(exécute(inet, url),
                 QList<int>({Inet::icResponseReceived, Inet::icResponseCompleted}));
        QCOMPARE(inet.GetHeader().section(u"\r\n"_s, 0, 0), statut);
        QCOMPARE(inet.GetHeader(u"content-length"_s), QString::number(corps.size()));
        QCOMPARE(inet.GetHeader(u"Absent"_s), QString());
        // Pieces of the size asked for.
        QCOMPARE(inet.GetChunk(0), QString());
        QCOMPARE(inet.GetChunkOctets(2), corps.left(2));
        QCOMPARE(inet.GetChunkOctets(100000), corps.mid(2));

        QCOMPARE(inet.OpenURL(url), ouvert ? DepuisAnsi(corps) : QString());
        QCOMPARE(inet.GetHeader().section(u"\r\n"_s, 0, 0), statut);
        QCOMPARE(inet.GetChunk(100), QString());
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
        QCOMPARE(exécute(inet, url), QList<int>{Inet::icError});
        QCOMPARE(inet.GetHeader(), QString());
        QCOMPARE(inet.GetChunk(10), QString());
        QCOMPARE(inet.OpenURL(url), QString());
        QCOMPARE(inet.GetHeader(), QString());
        // Qt ends some cut-short replies without an error, depending on timing.
        for (int fois = 0; panne == Coupure && fois < 2000; ++fois)
            QCOMPARE(inet.OpenURL(url), QString());
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

    // A body of the cap's size comes whole, one byte more is refused, however slowly it comes.
    void tailleMaximale() {
        ServeurMaj lent;
        lent.options.tailleGénérée = 2500;
        lent.options.octetsParSeconde = 10'000;
        const QString url = u"http://127.0.0.1:%1/a.exe"_s.arg(lent.écoute());
        for (const int taille : {2500, 2499}) {
            Inet inet;
            inet.setTailleMaximale(taille);
            QCOMPARE(inet.OpenURL(url).size(), taille == 2500 ? 2500 : 0);
        }
    }

    // The key sender's answers: a large body goes as it comes; its status still counts.
    void corpsIgnore() {
        ServeurMaj serveur;
        serveur.options.tailleGénérée = 64 * 1024 * 1024;
        Inet inet;
        inet.setCorpsIgnoré(true);
        const qint64 avant = RésidentKo();
        QVERIFY(avant > 0);
        QList<int> états;
        connect(&inet, &Inet::StateChanged, [&](int é) { états << é; });
        inet.Execute(u"http://127.0.0.1:%1/a.exe"_s.arg(serveur.écoute()), u"GET"_s);
        QTRY_COMPARE_WITH_TIMEOUT(états.size(), 2, 60000);
        QCOMPARE(états.constFirst(), Inet::icResponseReceived);
#ifndef __SANITIZE_ADDRESS__
        // AddressSanitizer keeps freed memory aside for a while.
        QVERIFY(RésidentKo() - avant < 16 * 1024);
#endif
        QVERIFY(inet.GetHeader().startsWith(u"HTTP/1.1 200 OK\r\n"_s));
        QCOMPARE(inet.GetChunk(10), QString());
    }

    // Once cancelled, at once or by the receiver of a state, a transfer reports nothing more.
    void annulation_data() {
        QTest::addColumn<int>("quand"); // the state that cancels it; -1: none, at once
        QTest::addColumn<bool>("progressive");
        QTest::newRow("at once") << -1 << false;
        QTest::newRow("at once, read progressively") << -1 << true;
        QTest::newRow("at the header, read progressively")
            << int(Inet::icReceivingResponse) << true;
        QTest::newRow("once received") << int(Inet::icResponseReceived) << false;
    }
    void annulation() {
        QFETCH(int, quand);
        QFETCH(bool, progressive);
        ServeurMaj lent;
        lent.options.tailleGénérée = 2500;
        lent.options.octetsParSeconde = 5000;
        Inet inet;
        inet.setLectureProgressive(progressive);
        QList<int> états;
        connect(&inet, &Inet::StateChanged, this, [&](int état) {
            états << état;
            if (état == quand)
                inet.Cancel();
        });
        inet.Execute(u"http://127.0.0.1:%1/a.exe"_s.arg(lent.écoute()), u"GET"_s);
        if (quand < 0)
            inet.Cancel();
        else
            QTRY_VERIFY_WITH_TIMEOUT(!états.isEmpty(), 10'000);
        // Past the server's end of the body.
        QTest::qWait(1'000);
        QCOMPARE(états, quand < 0 ? QList<int>() : QList<int>{quand});
        QVERIFY(!inet.StillExecuting());
    }

    // Access types through a real proxy are tried with Renovo's downloads; here, what only this
    // layer sees: a named proxy stays its own Inet's.
    void proxies() {
        const QNetworkProxy global = QNetworkProxy::applicationProxy();
        Inet nommé;
        nommé.setAccessType(2);
        nommé.setProxy(u"127.0.0.1"_s);
        nommé.setRemotePort(9);
        QCOMPARE(nommé.OpenURL(Document()), QString());
        QCOMPARE(Inet().OpenURL(Document()), DepuisAnsi(document));
        QCOMPARE(QNetworkProxy::applicationProxy(), global);
        QCOMPARE(Inet().RemotePort(), 80);
    }
};

QTEST_GUILESS_MAIN(TestInet)
#include "tst_inet.moc"
