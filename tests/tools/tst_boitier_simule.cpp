#include "boitier_simule.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QScopeGuard>
#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestBoitierSimule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // What a Qt client cannot send: escapes QUrl would rewrite, a request line cut in two, and a
    // second request on the same connection.
    void cibleTelleQueRecue() {
        BoitierSimule boîtier;
        boîtier.définitCode(u"12345678"_s);
        QVERIFY(boîtier.écoute() != 0);
        QTcpSocket client;
        client.connectToHost(u"127.0.0.1"_s, boîtier.port());
        QVERIFY(client.waitForConnected(5000));
        client.write("GET http://hd1.freebox.fr/pub/remote_con");
        QVERIFY(client.waitForBytesWritten(5000));
        QTest::qWait(50);
        client.write(
            "trol?code=%31%32345678&key=%c2%a4%7e&long=true&repeat=4 HTTP/1.1\r\n"
            "Host: hd1.freebox.fr\r\n\r\n"
            "GET /pub/remote_control?code=0&key=ok HTTP/1.1\r\nHost: hd2.freebox.fr\r\n\r\n");
        QTRY_COMPARE(boîtier.requêtes().size(), 2);

        const RequeteRecue& première = boîtier.requêtes().at(0);
        QCOMPARE(première.requête, "code=%31%32345678&key=%c2%a4%7e&long=true&repeat=4"_ba);
        QCOMPARE(première.touche, u"¤~"_s);
        QVERIFY(première.longue);
        QCOMPARE(première.répétition, 4);
        QCOMPARE(première.statut, 200);
        const RequeteRecue& seconde = boîtier.requêtes().at(1);
        QCOMPARE(seconde.cible, "/pub/remote_control?code=0&key=ok"_ba);
        QCOMPARE(seconde.hôte, u"hd2.freebox.fr"_s);
        QCOMPARE(seconde.statut, 403);
    }

    // As scripts read it: "PORT <n>" first, then one line per request.
    void programme() {
        QProcess boitier;
        boitier.start(QStringLiteral(PROGRAMME_BOITIER), {u"--code"_s, u"42"_s});
        const auto arrêt = qScopeGuard([&boitier] {
            boitier.kill();
            boitier.waitForFinished();
        });
        QVERIFY(boitier.waitForReadyRead(5000));
        const QByteArray première = boitier.readLine();
        QVERIFY2(première.startsWith("PORT ") && première.endsWith('\n'), première.constData());

        QNetworkAccessManager réseau;
        std::unique_ptr<QNetworkReply> réponse(réseau.get(QNetworkRequest(
            QUrl(u"http://127.0.0.1:%1/pub/remote_control?code=42&key=%C2%A4z&long=true"_s.arg(
                QString::fromLatin1(première.mid(5).trimmed()))))));
        QTRY_VERIFY(réponse->isFinished());
        QCOMPARE(réponse->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
        QTRY_VERIFY(boitier.canReadLine());
        const QByteArray ligne = boitier.readLine();
        QVERIFY2(ligne.endsWith(" key=\xC2\xA4z long=true repeat=1 status=200\n"),
                 ligne.constData());
    }
};

QTEST_GUILESS_MAIN(TestBoitierSimule)
#include "tst_boitier_simule.moc"
