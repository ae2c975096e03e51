#include "core/raccourcis.h"
#include "guide/multitap.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Window actions appear between brackets among the keys sent, in the order they happened.
static RaccourcisClavier Raccourcis(const ParamètresNavelo& paramètres, QStringList& journal) {
    return RaccourcisClavier(paramètres,
                             {[&journal](const QString& touche) { journal.append(touche); },
                              [&journal] { journal.append(u"[À propos]"_s); },
                              [&journal] { journal.append(u"[Configuration]"_s); },
                              [&journal] { journal.append(u"[Majuscules]"_s); }});
}

class TestRaccourcis : public QObject {
    Q_OBJECT

private Q_SLOTS:
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

    // Every character the box can type, and nothing else of Latin-1, passes as typed.
    void caracteres() {
        const ParamètresNavelo paramètres;
        QStringList journal;
        RaccourcisClavier raccourcis = Raccourcis(paramètres, journal);
        QString attendus;
        for (char16_t c = 1; c < 256; ++c) {
            journal.clear();
            raccourcis.Form_KeyPress(QChar(c));
            if (!journal.isEmpty()) {
                QCOMPARE(journal, QStringList{u"¤"_s + QChar(c)});
                attendus += QChar(c);
            }
        }
        QCOMPARE(attendus,
                 u"!\"',-.0123456789?ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"_s);
    }

    // The multi-tap table, read by digit key: the n-th character of a key takes n presses.
    void multitap() {
        const std::pair<char16_t, const char16_t*> touches[] = {
            {u'1', u".,?!-'\"1"}, {u'2', u"ABC2"}, {u'3', u"DEF3"},  {u'4', u"GHI4"},
            {u'5', u"JKL5"},      {u'6', u"MNO6"}, {u'7', u"PQRS7"}, {u'8', u"TUV8"},
            {u'9', u"WXYZ9"},     {u'0', u" 0"}};
        const QStringList collection = ChargeTableMultiTap();
        qsizetype entrées = 0;
        for (const auto& [chiffre, caractères] : touches) {
            const QString suite = QString::fromUtf16(caractères);
            for (qsizetype i = 0; i < suite.size(); ++i, ++entrées) {
                const QString attendu = QString::number(i + 1) + QChar(chiffre);
                for (const QChar c : {suite[i].toLower(), suite[i]})
                    QCOMPARE(RechercheMultiTap(collection, QString(MarqueurCaractère + c)),
                             attendu);
            }
        }
        QCOMPARE(entrées, 44);
        QCOMPARE(collection.size(), 44);
    }

    // Only the marker and one character of the keypad.
    void multitapInconnus() {
        const QStringList collection = ChargeTableMultiTap();
        for (const char16_t* texte : {u"¤é", u"¤ab", u"xa", u"¤", u""})
            QCOMPARE(RechercheMultiTap(collection, QString::fromUtf16(texte)), QString());
    }
};

QTEST_GUILESS_MAIN(TestRaccourcis)
#include "tst_raccourcis.moc"
