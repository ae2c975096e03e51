#include "boitier_simule.h"
#include "core/expediteur_touches.h"
#include "proxy_local.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestExpediteurTouches : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(boitier.écoute() != 0);
        ProxyLocal(boitier.port());
    }

    void url() {
        const struct {
            const char16_t* code;
            qint16 hd;
            const char16_t* touche;
            bool longue;
            int répétitions;
            const char* requête;
        } cas[] = {
            {u"12345678", 2, u"vol_inc", false, 1, "code=12345678&key=vol_inc"},
            {u"1", 1, u"9", true, 4, "code=1&key=9&long=true&repeat=4"},
            {u"%v", 1, u"ok", false, 1, "code=%25v&key=ok"},
            {u"#? +", 1, u"a=b", false, 1, "code=%23%3F%20%2B&key=a%3Db"},
            // A character without a multi-tap entry.
            {u"1", 1, u"¤é", false, 1, "code=1&key=%C2%A4%C3%A9"},
            {u"A-z_.~/:;!'", 1, u"ok", false, 1, "code=A-z_.~/:;!'&key=ok"},
        };
        for (const auto& c : cas) {
            ParamètresNavelo p;
            p.CodeTélécommande = QString::fromUtf16(c.code);
            p.Hd = c.hd;
            QCOMPARE(UrlTouche(p, QString::fromUtf16(c.touche), c.longue, c.répétitions),
                     u"http://hd%1.freebox.fr/pub/remote_control?"_s.arg(c.hd) +
                         QLatin1StringView(c.requête));
        }
    }

    // A held play key toggles once, at its press: its repeats (model 6) and its long press
    // (model 5) carry the word that press chose, and the next press chooses the other.
    void lectureTenue_data() {
        QTest::addColumn<int>("modèle");
        QTest::newRow("5") << 5;
        QTest::newRow("6") << 6;
    }

    void lectureTenue() {
        QFETCH(int, modèle);
        ParamètresNavelo p;
        p.Version = static_cast<qint16>(modèle);
        ExpéditeurTouches expéditeur(p);
        for (const QString& mot : {u"play"_s, u"pause"_s}) {
            boitier.oublieRequêtes();
            if (modèle == 6)
                expéditeur.AppuiToucheV6(u"play"_s);
            else
                expéditeur.AppuiToucheV5(u"play"_s);
            QTRY_VERIFY(boitier.requêtes().size() >= (modèle == 6 ? 3 : 1));
            if (modèle == 6)
                expéditeur.RelâcheToucheV6();
            else
                expéditeur.RelâcheToucheV5(u"play"_s);
            // Let a request still on its way arrive before this round is checked.
            QTest::qWait(200);
            for (const RequeteRecue& requête : boitier.requêtes()) {
                QCOMPARE(requête.touche, mot);
                QCOMPARE(requête.longue, modèle == 5);
            }
        }
    }

private:
    BoitierSimule boitier;
};

QTEST_GUILESS_MAIN(TestExpediteurTouches)
#include "tst_expediteur_touches.moc"
