#include "boitier_simule.h"
#include "core/expediteur_touches.h"
#include "guide/multitap.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestExpediteurTouches : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void url_data();
    void url();
    void envoi_data();
    void envoi();

private:
    BoitierSimule boitier;
};

void TestExpediteurTouches::initTestCase() {
    QVERIFY(boitier.écoute() != 0);
    qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(boitier.port()));
    qunsetenv("no_proxy");
}

void TestExpediteurTouches::url_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("hd");
    QTest::addColumn<QString>("touche");
    QTest::addColumn<bool>("longue");
    QTest::addColumn<int>("répétitions");
    QTest::addColumn<QString>("requête");
    QTest::newRow("plain") << u"12345678"_s << 2 << u"vol_inc"_s << false << 1
                           << u"hd2|code=12345678&key=vol_inc"_s;
    QTest::newRow("long and repeat")
        << u"1"_s << 1 << u"9"_s << true << 4 << u"hd1|code=1&key=9&long=true&repeat=4"_s;
    QTest::newRow("repeat of 1 not written")
        << u"1"_s << 1 << u"2"_s << false << 1 << u"hd1|code=1&key=2"_s;
    QTest::newRow("code adding a parameter")
        << u"1&key=power"_s << 1 << u"ok"_s << false << 1 << u"hd1|code=1%26key%3Dpower&key=ok"_s;
    QTest::newRow("placeholder in the code")
        << u"%v"_s << 1 << u"ok"_s << false << 1 << u"hd1|code=%25v&key=ok"_s;
    QTest::newRow("fragment, query, blank and plus")
        << u"#? +"_s << 1 << u"a=b"_s << false << 1 << u"hd1|code=%23%3F%20%2B&key=a%3Db"_s;
    QTest::newRow("character without multi-tap entry")
        << u"1"_s << 1 << u"¤é"_s << false << 1 << u"hd1|code=1&key=%C2%A4%C3%A9"_s;
    QTest::newRow("other signs as they are")
        << u"A-z_.~/:;!'"_s << 1 << u"ok"_s << false << 1 << u"hd1|code=A-z_.~/:;!'&key=ok"_s;
}

void TestExpediteurTouches::url() {
    QFETCH(QString, code);
    QFETCH(int, hd);
    QFETCH(QString, touche);
    QFETCH(bool, longue);
    QFETCH(int, répétitions);
    QFETCH(QString, requête);
    ParamètresNavelo p;
    p.CodeTélécommande = code;
    p.Hd = static_cast<qint16>(hd);
    const QStringList attendu = requête.split(u'|');
    QCOMPARE(UrlTouche(p, touche, longue, répétitions),
             u"http://"_s + attendu.at(0) + u".freebox.fr/pub/remote_control?"_s + attendu.at(1));
}

// What reaches the box, byte for byte, for a series of keys.
void TestExpediteurTouches::envoi_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("touches");
    QTest::addColumn<QStringList>("requêtes");
    QTest::newRow("multi-tap") << u"9"_s << QStringList{u"¤z"_s, u"¤A"_s, u"¤5"_s, u"¤ "_s}
                               << QStringList{u"code=9&key=9&repeat=4"_s, u"code=9&key=2"_s,
                                              u"code=9&key=5&repeat=4"_s, u"code=9&key=0"_s};
    QTest::newRow("hostile code") << u"1&key=power"_s << QStringList{u"red"_s}
                                  << QStringList{u"code=1%26key%3Dpower&key=red"_s};
}

void TestExpediteurTouches::envoi() {
    QFETCH(QString, code);
    QFETCH(QStringList, touches);
    QFETCH(QStringList, requêtes);
    ParamètresNavelo p;
    p.CodeTélécommande = code;
    ExpéditeurTouches expéditeur(p);
    expéditeur.CollectionMultiTap = ChargeTableMultiTap();
    boitier.oublieRequêtes();
    for (qsizetype i = 0; i < touches.size(); ++i) {
        expéditeur.TraiteTouche(touches.at(i));
        QTRY_COMPARE(boitier.requêtes().size(), i + 1);
    }
    for (qsizetype i = 0; i < requêtes.size(); ++i) {
        const RequeteRecue& reçue = boitier.requêtes().at(i);
        QCOMPARE(reçue.cible,
                 "http://hd1.freebox.fr/pub/remote_control?" + requêtes.at(i).toLatin1());
    }
}

QTEST_GUILESS_MAIN(TestExpediteurTouches)
#include "tst_expediteur_touches.moc"
