#include "guide/multitap.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestMultitap : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The keypad read by digit key: the n-th character of a key takes n presses.
    void table() {
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
    void inconnus() {
        const QStringList collection = ChargeTableMultiTap();
        for (const char16_t* texte : {u"¤é", u"¤ab", u"xa", u"¤", u""})
            QCOMPARE(RechercheMultiTap(collection, QString::fromUtf16(texte)), QString());
    }
};

QTEST_APPLESS_MAIN(TestMultitap)
#include "tst_multitap.moc"
