#include "boitier_simule.h"
#include "guide/chaines.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestBoitierSimule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        m_boitier = std::make_unique<BoitierSimule>();
        m_boitier->définitCode(u"12345678"_s);
        m_boitier->définitFichierChaînes(QStringLiteral(EXEMPLE_CHAINES));
        QVERIFY(m_boitier->écoute() != 0);
    }

    // Reached as the proxy of the box's own address.
    void touche_data() {
        QTest::addColumn<QString>("hôte");
        QTest::addColumn<QByteArray>("requête");
        QTest::addColumn<int>("statut");
        QTest::addColumn<QString>("touche");
        QTest::addColumn<bool>("longue");
        QTest::addColumn<int>("répétition");

        QTest::newRow("long et répétition")
            << u"hd2.freebox.fr"_s << "code=12345678&key=9&long=true&repeat=4"_ba << 200 << u"9"_s
            << true << 4;
        QTest::newRow("code faux") << u"hd1.freebox.fr"_s << "code=1234567&key=power"_ba << 403
                                   << u"power"_s << false << 1;
    }

    void touche() {
        QFETCH(QString, hôte);
        QFETCH(QByteArray, requête);
        QFETCH(int, statut);
        const QByteArray url = "http://" + hôte.toUtf8() + "/pub/remote_control?" + requête;

        std::unique_ptr<QNetworkReply> réponse(envoie(QUrl::fromEncoded(url)));
        QVERIFY(attends(réponse.get()));
        QCOMPARE(réponse->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), statut);
        QCOMPARE(réponse->readAll().contains("Forbidden"), statut == 403);

        QCOMPARE(m_boitier->requêtes().size(), 1);
        const RequeteRecue& reçue = m_boitier->requêtes().constFirst();
        QCOMPARE(reçue.hôte, hôte);
        QCOMPARE(reçue.chemin, u"/pub/remote_control"_s);
        QCOMPARE(reçue.cible, url);
        QCOMPARE(reçue.requête, requête);
        QTEST(reçue.touche, "touche");
        QTEST(reçue.longue, "longue");
        QTEST(reçue.répétition, "répétition");
        QCOMPARE(reçue.statut, statut);
    }

    void chaines() {
        QFile exemple(QStringLiteral(EXEMPLE_CHAINES));
        QVERIFY(exemple.open(QIODevice::ReadOnly));
        const QUrl adresse(u"http://hd2.freebox.fr/pub/channels"_s);
        std::unique_ptr<QNetworkReply> réponse(envoie(adresse));
        QVERIFY(attends(réponse.get()));
        QCOMPARE(réponse->readAll(), exemple.readAll());

        m_boitier->définitFichierChaînes(QString());
        réponse.reset(envoie(adresse));
        QVERIFY(attends(réponse.get()));
        QCOMPARE(réponse->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 404);
    }

    // The sample served: about 150 channels written as the box writes them, compact, with the
    // forms Navelo's decoder must handle.
    void exempleDeChaines() {
        QFile fichier(QStringLiteral(EXEMPLE_CHAINES));
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        const QByteArray document = fichier.readAll();
        QJsonParseError erreur;
        const QJsonArray chaînes = QJsonDocument::fromJson(document, &erreur).array();
        QCOMPARE(erreur.error, QJsonParseError::NoError);
        QVERIFY(chaînes.size() >= 140 && chaînes.size() <= 160);
        // Qt's compact form has no blank between tokens either.
        QCOMPARE(document.size(), QJsonDocument(chaînes).toJson(QJsonDocument::Compact).size());
        // As the cache file Navelo writes around it. A quote after an escaped backslash would
        // read as escaped.
        QCOMPARE(DécodeChaînes(QByteArray(document + "\r\n")).size(), chaînes.size());
        QVERIFY(!document.contains("\\\\\""));
        for (const char* forme : {"\xC3\xA9", "%C3%A9", "%c3%a9", "\\\"", "\\\\", "\"services\":[{",
                                  "\"available\":false", "\"id\":1000,"})
            QVERIFY2(document.contains(forme), forme);
    }

    // What a Qt client cannot send: escapes QUrl would rewrite, a request line cut in two, and a
    // second request on the same connection.
    void cibleTelleQueRecue() {
        QTcpSocket client;
        client.connectToHost(u"127.0.0.1"_s, m_boitier->port());
        QVERIFY(client.waitForConnected(5000));
        client.write("GET http://hd1.freebox.fr/pub/remote_con");
        QVERIFY(client.waitForBytesWritten(5000));
        QTest::qWait(50);
        client.write(
            "trol?code=%31%32345678&key=%c2%a4%7e HTTP/1.1\r\nHost: hd1.freebox.fr\r\n\r\n"
            "GET /pub/remote_control?code=0&key=ok HTTP/1.1\r\nHost: hd2.freebox.fr\r\n\r\n");
        QTRY_COMPARE(m_boitier->requêtes().size(), 2);

        const RequeteRecue& première = m_boitier->requêtes().at(0);
        QCOMPARE(première.requête, "code=%31%32345678&key=%c2%a4%7e"_ba);
        QCOMPARE(première.touche, u"¤~"_s);
        QCOMPARE(première.statut, 200);
        const RequeteRecue& seconde = m_boitier->requêtes().at(1);
        QCOMPARE(seconde.cible, "/pub/remote_control?code=0&key=ok"_ba);
        QCOMPARE(seconde.hôte, u"hd2.freebox.fr"_s);
        QCOMPARE(seconde.statut, 403);
    }

    void programme() {
        QProcess boitier;
        boitier.start(QStringLiteral(PROGRAMME_BOITIER), {u"--code"_s, u"42"_s});
        const auto arrêt = qScopeGuard([&boitier] {
            boitier.kill();
            boitier.waitForFinished();
        });
        QVERIFY(boitier.waitForReadyRead(5000));
        const QByteArray première = boitier.readLine();
        const auto port =
            QRegularExpression(u"^PORT (\\d+)\n$"_s).match(QString::fromUtf8(première));
        QVERIFY2(port.hasMatch(), première.constData());

        std::unique_ptr<QNetworkReply> réponse(envoie(
            QUrl(u"http://127.0.0.1:%1/pub/remote_control?code=42&key=%C2%A4z&long=true"_s.arg(
                port.captured(1)))));
        QVERIFY(attends(réponse.get()));
        QCOMPARE(réponse->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
        QTRY_VERIFY(boitier.canReadLine());
        const QString ligne = QString::fromUtf8(boitier.readLine());
        QVERIFY2(QRegularExpression(
                     u"^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} key=¤z long=true repeat=1 status=200\n$"_s)
                     .match(ligne)
                     .hasMatch(),
                 qPrintable(ligne));
    }

private:
    // Through the stand-in as a proxy when the URL names another host than 127.0.0.1.
    QNetworkReply* envoie(const QUrl& url) {
        m_réseau.setProxy(
            url.host() == u"127.0.0.1"
                ? QNetworkProxy(QNetworkProxy::NoProxy)
                : QNetworkProxy(QNetworkProxy::HttpProxy, u"127.0.0.1"_s, m_boitier->port()));
        return m_réseau.get(QNetworkRequest(url));
    }

    bool attends(QNetworkReply* réponse) {
        return QTest::qWaitFor([réponse] { return réponse->isFinished(); }, 5000);
    }

    std::unique_ptr<BoitierSimule> m_boitier;
    QNetworkAccessManager m_réseau;
};

QTEST_GUILESS_MAIN(TestBoitierSimule)
#include "tst_boitier_simule.moc"
