#include "boitier_simule.h"
#include "core/expediteur_touches.h"
#include "guide/multitap.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestExpediteurTouches : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(boitier.écoute() != 0);
        qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(boitier.port()));
        qunsetenv("no_proxy");
    }

    void url_data() {
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
        QTest::newRow("code adding a parameter") << u"1&key=power"_s << 1 << u"ok"_s << false << 1
                                                 << u"hd1|code=1%26key%3Dpower&key=ok"_s;
        QTest::newRow("placeholder in the code")
            << u"%v"_s << 1 << u"ok"_s << false << 1 << u"hd1|code=%25v&key=ok"_s;
        QTest::newRow("fragment, query, blank and plus")
            << u"#? +"_s << 1 << u"a=b"_s << false << 1 << u"hd1|code=%23%3F%20%2B&key=a%3Db"_s;
        QTest::newRow("character without multi-tap entry")
            << u"1"_s << 1 << u"¤é"_s << false << 1 << u"hd1|code=1&key=%C2%A4%C3%A9"_s;
        QTest::newRow("other signs as they are")
            << u"A-z_.~/:;!'"_s << 1 << u"ok"_s << false << 1 << u"hd1|code=A-z_.~/:;!'&key=ok"_s;
    }

    void url() {
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
                 u"http://"_s + attendu.at(0) + u".freebox.fr/pub/remote_control?"_s +
                     attendu.at(1));
    }

    // What reaches the box, byte for byte: multi-tap presses, from a code trying to add a
    // parameter.
    void envoi() {
        ParamètresNavelo p;
        p.CodeTélécommande = u"1&key=power"_s;
        ExpéditeurTouches expéditeur(p);
        expéditeur.CollectionMultiTap = ChargeTableMultiTap();
        const QByteArray préfixe =
            "http://hd1.freebox.fr/pub/remote_control?code=1%26key%3Dpower&key=";
        const QStringList touches{u"¤z"_s, u"¤ "_s, u"red"_s};
        const QList<QByteArray> attendues{"9&repeat=4", "0", "red"};
        for (qsizetype i = 0; i < touches.size(); ++i) {
            expéditeur.TraiteTouche(touches.at(i));
            QTRY_COMPARE(boitier.requêtes().size(), i + 1);
            QCOMPARE(boitier.requêtes().at(i).cible, préfixe + attendues.at(i));
        }
    }

private:
    BoitierSimule boitier;
};

QTEST_GUILESS_MAIN(TestExpediteurTouches)
#include "tst_expediteur_touches.moc"
