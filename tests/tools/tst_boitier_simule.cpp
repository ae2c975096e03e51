#include <QProcess>
#include <QScopeGuard>
#include <QTcpSocket>
#include <QTest>

using namespace Qt::StringLiterals;

class TestBoitierSimule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // "PORT <n>", then a line per request, even for what Qt cannot send: escapes QUrl would
    // rewrite, a request line cut in two, a second request on one connection.
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

        QTcpSocket client;
        client.connectToHost(u"127.0.0.1"_s, première.mid(5).trimmed().toUShort());
        QVERIFY(client.waitForConnected(5000));
        client.write("GET http://hd1.freebox.fr/pub/remote_con");
        QVERIFY(client.waitForBytesWritten(5000));
        QTest::qWait(50);
        client.write(
            "trol?code=%34%32&key=%c2%a4%7e&long=true&repeat=4 HTTP/1.1\r\n"
            "Host: hd1.freebox.fr\r\n\r\n"
            "GET /pub/remote_control?code=0&key=ok HTTP/1.1\r\nHost: hd2.freebox.fr\r\n\r\n");
        QByteArrayList lignes;
        QTRY_VERIFY([&] {
            while (boitier.canReadLine())
                lignes += boitier.readLine();
            return lignes.size() >= 2;
        }());
        QVERIFY2(lignes[0].endsWith(" key=\xC2\xA4~ long=true repeat=4 status=200\n"),
                 lignes[0].constData());
        QVERIFY2(lignes[1].endsWith(" key=ok long=false repeat=1 status=403\n"),
                 lignes[1].constData());
    }
};

QTEST_GUILESS_MAIN(TestBoitierSimule)
#include "tst_boitier_simule.moc"
