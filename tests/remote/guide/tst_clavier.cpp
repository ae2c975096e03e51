#include "boitier_simule.h"
#include "guide/bouton_touche.h"
#include "guide/frmClavier.h"
#include "guide/multitap.h"

#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

// The keyboard window with its sender and the PC keyboard's handlers, typing on a stand-in
// of the box reached as the HTTP proxy, as the box's own address would be.
class TestClavier : public QObject {
    Q_OBJECT

    BoitierSimule boîtier;
    ParamètresNavelo paramètres;
    std::unique_ptr<ExpéditeurTouches> expéditeur;
    std::unique_ptr<RaccourcisClavier> raccourcis;
    std::unique_ptr<frmClavier> clavier;
    QStringList actions;

    void ouvre(int version, int taille = 100) {
        paramètres.Version = static_cast<qint16>(version);
        paramètres.TailleClavier = static_cast<qint16>(taille);
        clavier.reset();
        expéditeur = std::make_unique<ExpéditeurTouches>(paramètres);
        expéditeur->CollectionMultiTap = ChargeTableMultiTap();
        raccourcis = std::make_unique<RaccourcisClavier>(
            paramètres, ActionsRaccourcis{[this](const QString& t) { expéditeur->TraiteTouche(t); },
                                          [this] { actions.append(u"À propos"_s); },
                                          [this] { actions.append(u"Configuration"_s); },
                                          [this] { clavier->InverseMajuscules(); }});
        clavier = std::make_unique<frmClavier>(paramètres, *expéditeur, *raccourcis);
        clavier->show();
        boîtier.oublieRequêtes();
        actions.clear();
    }

    // The query strings the box received, once nothing more comes for a moment.
    QList<QByteArray> reçues(int attendues) {
        (void)QTest::qWaitFor([&] { return boîtier.requêtes().size() >= attendues; }, 3000);
        QTest::qWait(150);
        QList<QByteArray> requêtes;
        for (const RequeteRecue& r : boîtier.requêtes())
            requêtes.append(r.requête.sliced(r.requête.indexOf("key=")));
        return requêtes;
    }

    void clique(BoutonTouche* touche, Qt::MouseButton bouton = Qt::LeftButton) {
        QTest::mouseClick(touche, bouton);
    }

private Q_SLOTS:
    void initTestCase() {
        paramètres.CodeTélécommande = u"12345678"_s;
        boîtier.définitCode(paramètres.CodeTélécommande);
        QVERIFY(boîtier.écoute() != 0);
        qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(boîtier.port()));
    }

    void clavierPC_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<Qt::Key>("touche");
        QTest::addColumn<Qt::KeyboardModifiers>("modificateurs");
        QTest::addColumn<QList<QByteArray>>("attendues");
        QTest::addColumn<bool>("majuscules");
        const Qt::KeyboardModifiers aucun, pavé = Qt::KeypadModifier;
        QTest::newRow("5") << 5 << Qt::Key_5 << aucun << QList{"key=5&repeat=4"_ba} << false;
        QTest::newRow("A") << 6 << Qt::Key_A << Qt::KeyboardModifiers(Qt::ShiftModifier)
                           << QList{"key=2"_ba} << false;
        QTest::newRow("a") << 6 << Qt::Key_A << aucun << QList{"key=2"_ba} << false;
        QTest::newRow("Entrée") << 5 << Qt::Key_Return << aucun << QList{"key=ok"_ba} << false;
        QTest::newRow("Entrée du pavé")
            << 5 << Qt::Key_Enter << pavé << QList{"key=ok"_ba} << false;
        QTest::newRow("Retour arrière")
            << 5 << Qt::Key_Backspace << aucun << QList{"key=back"_ba} << false;
        // The second request cancels the first when it has not gone out yet.
        QTest::newRow("- du pavé")
            << 5 << Qt::Key_Minus << pavé << QList{"key=vol_dec"_ba, "key=1&repeat=5"_ba} << false;
        QTest::newRow("+ du pavé") << 5 << Qt::Key_Plus << pavé << QList{"key=vol_inc"_ba} << false;
        QTest::newRow("Verr. Maj. modèle 5")
            << 5 << Qt::Key_CapsLock << aucun << QList{"key=swap"_ba} << true;
        QTest::newRow("Verr. Maj. modèle 6")
            << 6 << Qt::Key_CapsLock << aucun << QList<QByteArray>() << false;
        QTest::newRow("espace") << 5 << Qt::Key_Space << aucun << QList<QByteArray>() << false;
    }

    void clavierPC() {
        QFETCH(int, version);
        QFETCH(Qt::Key, touche);
        QFETCH(Qt::KeyboardModifiers, modificateurs);
        QFETCH(QList<QByteArray>, attendues);
        ouvre(version);
        QTest::keyClick(clavier.get(), touche, modificateurs);
        const QList<QByteArray> requêtes = reçues(1);
        // Only a request that a later one cancelled may be missing.
        const qsizetype perdues = attendues.size() - requêtes.size();
        QVERIFY2(perdues >= 0 && perdues < qMax(1, attendues.size()) &&
                     attendues.sliced(perdues) == requêtes,
                 requêtes.join(' ').constData());
        QTEST(clavier->Majuscules(), "majuscules");
        QCOMPARE(clavier->btnTouche[10]->text(), clavier->Majuscules() ? u"A"_s : u"a"_s);
    }

    void touchesDeFonction() {
        ouvre(5);
        QTest::keyClick(clavier.get(), Qt::Key_F1);
        QTest::keyClick(clavier.get(), Qt::Key_F9);
        QCOMPARE(actions, QStringList({u"À propos"_s, u"Configuration"_s}));
        QVERIFY(reçues(0).isEmpty());
    }

    void clics_data() {
        QTest::addColumn<QList<int>>("touches"); // special keys from 100 on
        QTest::addColumn<QList<QByteArray>>("attendues");
        QTest::newRow("k") << QList{27} << QList{"key=5&repeat=2"_ba};
        QTest::newRow("OK") << QList{101} << QList{"key=ok"_ba};
        QTest::newRow("espace") << QList{42} << QList{"key=0"_ba};
        QTest::newRow("guillemet") << QList{48} << QList{"key=1&repeat=7"_ba};
        QTest::newRow("Suppr") << QList{100} << QList{"key=back"_ba};
        QTest::newRow("Shift puis a") << QList{102, 10} << QList{"key=swap"_ba, "key=2"_ba};
    }

    void clics() {
        QFETCH(QList<int>, touches);
        QFETCH(QList<QByteArray>, attendues);
        ouvre(5);
        for (int i = 0; i < touches.size(); ++i) {
            const int n = touches[i];
            clique(n >= 100 ? clavier->btnToucheSpéciale[n - 100] : clavier->btnTouche[n]);
            QCOMPARE(reçues(i + 1), attendues.first(i + 1));
        }
    }

    void shift() {
        ouvre(6);
        for (const QString& attendues :
             {u"AZERTYUIOPQSDFGHJKLMWXCVBN"_s, u"azertyuiopqsdfghjklmwxcvbn"_s}) {
            boîtier.oublieRequêtes();
            clique(clavier->btnToucheSpéciale[2]);
            QString légendes;
            for (int i = 10; i < 36; ++i)
                légendes += clavier->btnTouche[i]->text();
            QCOMPARE(légendes, attendues);
            QCOMPARE(clavier->btnTouche[10]->Tag, u"a"_s);
            QCOMPARE(reçues(1), QList{"key=swap"_ba});
        }
    }

    // A right click types a character but sends no special key; neither takes over the hold
    // of a key of the remote, whose long press still goes out.
    void clicDroit() {
        ouvre(5);
        expéditeur->AppuiToucheV5(u"vol_inc"_s);
        clique(clavier->btnToucheSpéciale[0], Qt::RightButton);
        clique(clavier->btnTouche[27], Qt::RightButton);
        QCOMPARE(reçues(2), QList({"key=5&repeat=2"_ba, "key=vol_inc&long=true"_ba}));
    }

    void maintien_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("touche");
        QTest::addColumn<QList<QByteArray>>("pendant");
        QTest::addColumn<QList<QByteArray>>("attendues");
        const QList<QByteArray> k{"key=5&repeat=2"_ba};
        QTest::newRow("Suppr, modèle 5")
            << 5 << 100 << QList{"key=back&long=true"_ba} << QList{"key=back&long=true"_ba};
        QTest::newRow("Suppr, modèle 6") << 6 << 100 << QList{"key=back"_ba, "key=back"_ba}
                                         << QList{"key=back"_ba, "key=back"_ba};
        QTest::newRow("k, modèle 5") << 5 << 27 << QList<QByteArray>() << k;
        QTest::newRow("k, modèle 6") << 6 << 27 << QList<QByteArray>() << k;
    }

    // A special key held sends what the hold timer sends and nothing more at the release; a
    // character key types its character once, at the release.
    void maintien() {
        QFETCH(int, version);
        QFETCH(int, touche);
        QFETCH(QList<QByteArray>, pendant);
        QFETCH(QList<QByteArray>, attendues);
        ouvre(version);
        BoutonTouche* bouton =
            touche >= 100 ? clavier->btnToucheSpéciale[touche - 100] : clavier->btnTouche[touche];
        QTest::mousePress(bouton, Qt::LeftButton);
        if (pendant.isEmpty())
            QTest::qWait(800);
        else
            QTRY_COMPARE_WITH_TIMEOUT(boîtier.requêtes().size(), pendant.size(), 3000);
        QTest::mouseRelease(bouton, Qt::LeftButton);
        QCOMPARE(boîtier.requêtes().size(), pendant.size());
        QCOMPARE(reçues(attendues.size()), attendues);
    }

    void geometrie_data() {
        QTest::addColumn<int>("taille");
        QTest::addColumn<QSize>("fenêtre");
        QTest::addColumn<QSize>("touche");
        // Twips (2960 x 990, 5920 x 1980, 11840 x 3960; keys 200 x 150 at 50 %) / 15, rounded.
        QTest::newRow("50 %") << 50 << QSize(197, 66) << QSize(13, 10);
        QTest::newRow("100 %") << 100 << QSize(395, 132) << QSize(27, 20);
        QTest::newRow("200 %") << 200 << QSize(789, 264) << QSize(53, 40);
    }

    void geometrie() {
        QFETCH(int, taille);
        ouvre(5, taille);
        QTEST(clavier->size(), "fenêtre");
        QCOMPARE(clavier->minimumSize(), clavier->maximumSize());
        const QList<BoutonTouche*> touches =
            clavier->btnTouche.values() + clavier->btnToucheSpéciale.values();
        QCOMPARE(touches.size(), 51);
        for (BoutonTouche* t : touches) {
            if (clavier->btnTouche.key(t, 42) != 42)
                QTEST(t->size(), "touche");
            QVERIFY(clavier->rect().contains(t->geometry()));
            for (BoutonTouche* autre : touches)
                QVERIFY(t == autre || !t->geometry().intersects(autre->geometry()));
        }
    }

    void fermeture() {
        ouvre(5);
        paramètres.ClavierAffiché = true;
        QCOMPARE(clavier->windowTitle(), u"Clavier virtuel"_s);
        QCOMPARE(clavier->windowType(), Qt::Tool);
        QVERIFY(!clavier->close());
        QVERIFY(clavier->isHidden());
        QVERIFY(!paramètres.ClavierAffiché);
        clavier->show();
        QVERIFY(clavier->isVisible());
    }
};

QTEST_MAIN(TestClavier)
#include "tst_clavier.moc"
