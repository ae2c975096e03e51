#include "boitier_simule.h"
#include "core/expediteur_touches.h"
#include "core/raccourcis.h"
#include "guide/bouton_touche.h"
#include "guide/frmClavier.h"
#include "guide/multitap.h"
#include "proxy_local.h"

#include <QHash>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using Requêtes = QList<QByteArray>;

namespace {

// Window actions appear between brackets among the keys sent, in the order they happened.
RaccourcisClavier Raccourcis(const ParamètresNavelo& paramètres, QStringList& journal) {
    return RaccourcisClavier(paramètres,
                             {[&journal](const QString& touche) { journal.append(touche); },
                              [&journal] { journal.append(u"[À propos]"_s); },
                              [&journal] { journal.append(u"[Configuration]"_s); },
                              [&journal] { journal.append(u"[Majuscules]"_s); }});
}

} // namespace

// Special keys are numbered from 100 on.
class TestClavier : public QObject {
    Q_OBJECT

    BoitierSimule boîtier;
    ParamètresNavelo paramètres;
    std::unique_ptr<ExpéditeurTouches> expéditeur;
    std::unique_ptr<RaccourcisClavier> raccourcis;
    std::unique_ptr<frmClavier> clavier;

    // False when a key is missing.
    [[nodiscard]] bool ouvre(int version, int taille = 100) {
        paramètres.Version = static_cast<qint16>(version);
        paramètres.TailleClavier = static_cast<qint16>(taille);
        clavier.reset();
        expéditeur = std::make_unique<ExpéditeurTouches>(paramètres);
        expéditeur->CollectionMultiTap = ChargeTableMultiTap();
        raccourcis = std::make_unique<RaccourcisClavier>(
            paramètres, ActionsRaccourcis{[this](const QString& t) { expéditeur->TraiteTouche(t); },
                                          {},
                                          {},
                                          [this] { clavier->InverseMajuscules(); }});
        clavier = std::make_unique<frmClavier>(paramètres, *expéditeur, *raccourcis);
        clavier->show();
        boîtier.oublieRequêtes();
        return clavier->btnTouche.size() == 44 && clavier->btnToucheSpéciale.size() == 7;
    }

    BoutonTouche* touche(int n) {
        return n >= 100 ? clavier->btnToucheSpéciale.value(n - 100) : clavier->btnTouche.value(n);
    }

    // What the box received, from "key=" on, once nothing more comes for a moment.
    Requêtes reçues(int attendues) {
        (void)QTest::qWaitFor([&] { return boîtier.requêtes().size() >= attendues; }, 3000);
        QTest::qWait(150);
        Requêtes requêtes;
        for (const RequeteRecue& r : boîtier.requêtes())
            requêtes.append(r.requête.sliced(r.requête.indexOf("key=")));
        return requêtes;
    }

private Q_SLOTS:
    void initTestCase() {
        paramètres.CodeTélécommande = u"12345678"_s;
        boîtier.définitCode(paramètres.CodeTélécommande);
        QVERIFY(boîtier.écoute() != 0);
        ProxyLocal(boîtier.port());
    }

    void url() {
        // Code, box, key, long press, repeats, query.
        const std::tuple<QString, qint16, QString, bool, int, const char*> cas[] = {
            {u"12345678"_s, 2, u"vol_inc"_s, false, 1, "code=12345678&key=vol_inc"},
            {u"1"_s, 1, u"9"_s, true, 4, "code=1&key=9&long=true&repeat=4"},
            {u"%v"_s, 1, u"ok"_s, false, 1, "code=%25v&key=ok"},
            {u"#? +"_s, 1, u"a=b"_s, false, 1, "code=%23%3F%20%2B&key=a%3Db"},
            {u"1"_s, 1, u"¤é"_s, false, 1, "code=1&key=%C2%A4%C3%A9"}, // no multi-tap entry
            {u"A-z_.~/:;!'"_s, 1, u"ok"_s, false, 1, "code=A-z_.~/:;!'&key=ok"},
        };
        for (const auto& [code, hd, touche, longue, répétitions, requête] : cas) {
            ParamètresNavelo p;
            p.CodeTélécommande = code;
            p.Hd = hd;
            QCOMPARE(UrlTouche(p, touche, longue, répétitions),
                     u"http://hd%1.freebox.fr/pub/remote_control?"_s.arg(hd) +
                         QLatin1StringView(requête));
        }
    }

    // A held play key toggles once, at its press; its repeats and long press keep that word.
    void lectureTenue() {
        for (const bool v6 : {false, true}) {
            ParamètresNavelo p;
            p.Version = v6 ? 6 : 5;
            ExpéditeurTouches expéditeur(p);
            for (const QString& mot : {u"play"_s, u"pause"_s}) {
                boîtier.oublieRequêtes();
                v6 ? expéditeur.AppuiToucheV6(u"play"_s) : expéditeur.AppuiToucheV5(u"play"_s);
                QTRY_VERIFY(boîtier.requêtes().size() >= (v6 ? 3 : 1));
                v6 ? expéditeur.RelâcheToucheV6() : expéditeur.RelâcheToucheV5(u"play"_s);
                // Let a request still on its way arrive before this round is checked.
                QTest::qWait(200);
                for (const RequeteRecue& requête : boîtier.requêtes())
                    QCOMPARE(std::pair(requête.touche, requête.longue), std::pair(mot, !v6));
            }
        }
    }

    // Model 5: a held special key sends its long press, a character key types at its release;
    // a right click types but sends no special key, and leaves the remote's held key alone.
    void modele5() {
        QVERIFY(ouvre(5));
        QTest::mousePress(touche(100), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(boîtier.requêtes().size(), 1, 3000);
        QTest::mouseRelease(touche(100), Qt::LeftButton);
        QTest::mousePress(touche(27), Qt::LeftButton);
        QTest::qWait(800);
        QCOMPARE(boîtier.requêtes().size(), 1);
        QTest::mouseRelease(touche(27), Qt::LeftButton);
        QCOMPARE(reçues(2), Requêtes({"key=back&long=true", "key=5&repeat=2"}));

        expéditeur->AppuiToucheV5(u"vol_inc"_s);
        QTest::mouseClick(touche(100), Qt::RightButton);
        QTest::mouseClick(touche(27), Qt::RightButton);
        QCOMPARE(reçues(4), Requêtes({"key=back&long=true", "key=5&repeat=2", "key=5&repeat=2",
                                      "key=vol_inc&long=true"}));
    }

    // Model 6: clicks, then a PC key here; after a remote key's repeat, a held key waits 500 ms.
    void modele6() {
        QVERIFY(ouvre(6));
        for (const int t : {27, 101, 102, 102}) {
            const qsizetype avant = boîtier.requêtes().size();
            QTest::mouseClick(touche(t), Qt::LeftButton);
            QTRY_VERIFY(boîtier.requêtes().size() > avant);
        }
        QTest::keyClick(clavier.get(), Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(reçues(5),
                 (Requêtes{"key=5&repeat=2", "key=ok", "key=swap", "key=swap", "key=vol_dec"}));

        expéditeur->AppuiToucheV6(u"up"_s);
        QTRY_VERIFY(boîtier.requêtes().size() >= 7);
        expéditeur->RelâcheToucheV6();
        QTest::mousePress(touche(100), Qt::LeftButton);
        QCOMPARE(expéditeur->tmrLong.interval(), 500);
        QTest::mouseRelease(touche(100), Qt::LeftButton);
    }

    // What each key sends; the size follows its setting; closed, the window only hides.
    void touches() {
        QVERIFY(ouvre(5, 200));
        QCOMPARE(clavier->size(), QSize(789, 264));
        QString caractères;
        for (const BoutonTouche* t : std::as_const(clavier->btnTouche))
            caractères += t->Tag;
        QCOMPARE(caractères, u"1234567890azertyuiopqsdfghjklmwxcvbn.,?! -'\""_s);
        QStringList spéciales;
        for (const BoutonTouche* t : std::as_const(clavier->btnToucheSpéciale))
            spéciales += t->Tag;
        QCOMPARE(spéciales.join(u' '), u"back ok swap left up down right"_s);
        paramètres.ClavierAffiché = true;
        QVERIFY(!clavier->close());
        QVERIFY(clavier->isHidden());
        QVERIFY(!paramètres.ClavierAffiché);
    }

    // Every row of the shortcut table, with the text each key types.
    void toucheAppuyee_data() {
        QTest::addColumn<int>("modèle");
        QTest::addColumn<int>("touche");
        QTest::addColumn<int>("modificateurs");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QStringList>("attendu");

        const Qt::KeyboardModifiers aucun;
        const Qt::KeyboardModifiers pavé = Qt::KeypadModifier;
        const auto ligne = [](const char* nom, int touche, Qt::KeyboardModifiers m,
                              const QString& texte, const QStringList& attendu, int modèle = 5) {
            QTest::newRow(nom) << modèle << touche << int(m) << texte << attendu;
        };
        ligne("F1", Qt::Key_F1, aucun, {}, {u"[À propos]"_s});
        ligne("F9", Qt::Key_F9, aucun, {}, {u"[Configuration]"_s});
        ligne("Verr. Maj. 5", Qt::Key_CapsLock, aucun, {}, {u"[Majuscules]"_s, u"swap"_s});
        ligne("Verr. Maj. 6", Qt::Key_CapsLock, aucun, {}, {}, 6);
        ligne("Origine", Qt::Key_Home, aucun, {}, {u"home"_s});
        ligne("Fin", Qt::Key_End, aucun, {}, {u"list"_s});
        ligne("Page préc.", Qt::Key_PageUp, aucun, {}, {u"prgm_inc"_s});
        ligne("Page suiv.", Qt::Key_PageDown, aucun, {}, {u"prgm_dec"_s});
        ligne("Gauche", Qt::Key_Left, aucun, {}, {u"left"_s});
        ligne("Haut", Qt::Key_Up, aucun, {}, {u"up"_s});
        ligne("Maj+Droite", Qt::Key_Right, Qt::ShiftModifier, {}, {u"right"_s});
        ligne("Bas", Qt::Key_Down, aucun, {}, {u"down"_s});
        ligne("Entrée", Qt::Key_Return, aucun, u"\r"_s, {u"ok"_s});
        ligne("Entrée du pavé", Qt::Key_Enter, pavé, u"\r"_s, {u"ok"_s});
        ligne("Retour arrière", Qt::Key_Backspace, aucun, u"\b"_s, {u"back"_s});
        ligne("+ du pavé", Qt::Key_Plus, pavé, u"+"_s, {u"vol_inc"_s});
        ligne("- du pavé", Qt::Key_Minus, pavé, u"-"_s, {u"vol_dec"_s});
        ligne("5 du pavé", Qt::Key_5, pavé, u"5"_s, {u"¤5"_s});
        ligne("+ du clavier", Qt::Key_Plus, Qt::ShiftModifier, u"+"_s, {});
        ligne("- du clavier", Qt::Key_Minus, aucun, u"-"_s, {u"¤-"_s});
        ligne("Ctrl+5", Qt::Key_5, Qt::ControlModifier, u"5"_s, {});
        ligne("Alt+a", Qt::Key_A, Qt::AltModifier, u"a"_s, {});
        ligne("Échap", Qt::Key_Escape, aucun, u"\x1b"_s, {});
    }

    void toucheAppuyee() {
        QFETCH(int, modèle);
        QFETCH(int, touche);
        QFETCH(int, modificateurs);
        QFETCH(QString, texte);

        ParamètresNavelo paramètres;
        paramètres.Version = static_cast<qint16>(modèle);
        QStringList journal;
        RaccourcisClavier raccourcis = Raccourcis(paramètres, journal);
        raccourcis.ToucheAppuyée(touche, Qt::KeyboardModifiers(modificateurs), texte);
        QTEST(journal, "attendu");
    }

    // Every character of the multi-tap table but the blank, and nothing else of Latin-1, passes
    // as typed. Read by digit key, the n-th character of a key takes n presses.
    void caracteres() {
        const std::pair<char16_t, const char16_t*> touches[] = {
            {u'1', u".,?!-'\"1"}, {u'2', u"ABC2"}, {u'3', u"DEF3"},  {u'4', u"GHI4"},
            {u'5', u"JKL5"},      {u'6', u"MNO6"}, {u'7', u"PQRS7"}, {u'8', u"TUV8"},
            {u'9', u"WXYZ9"},     {u'0', u" 0"}};
        QHash<QChar, QString> appuis;
        for (const auto& [chiffre, caractères] : touches) {
            const QString suite = QString::fromUtf16(caractères);
            for (qsizetype i = 0; i < suite.size(); ++i) {
                const QString appui = QString::number(i + 1) + QChar(chiffre);
                appuis.insert(suite[i], appui);
                appuis.insert(suite[i].toLower(), appui);
            }
        }
        const QStringList collection = ChargeTableMultiTap();
        QCOMPARE(collection.size(), 44);
        const ParamètresNavelo paramètres;
        QStringList journal;
        RaccourcisClavier raccourcis = Raccourcis(paramètres, journal);
        for (char16_t c = 1; c < 256; ++c) {
            const QString texte = MarqueurCaractère + QChar(c);
            journal.clear();
            raccourcis.Form_KeyPress(QChar(c));
            QCOMPARE(journal, appuis.contains(c) && c != u' ' ? QStringList{texte} : QStringList());
            QCOMPARE(RechercheMultiTap(collection, texte), appuis.value(c));
        }
        // Only press count and digit key, and only for the marker and one character.
        QCOMPARE(RechercheMultiTap({u"k25x"_s}, u"¤k"), u"25"_s);
        for (const char16_t* texte : {u"¤ab", u"xa", u"¤", u""})
            QCOMPARE(RechercheMultiTap(collection, QString::fromUtf16(texte)), QString());
    }
};

QTEST_MAIN(TestClavier)
#include "tst_clavier.moc"
