#include "guide/multitap.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestMultitap : public QObject {
    Q_OBJECT

    const QStringList collection = ChargeTableMultiTap();

private Q_SLOTS:
    void recherche_data() {
        QTest::addColumn<QString>("texteTouche");
        QTest::addColumn<QString>("attendu");
        // Every character of the keypad is checked in capitals by clavierTelephonique.
        const std::pair<const char16_t*, const char16_t*> lignes[] = {
            {u"¤a", u"12"}, {u"¤z", u"49"}, {u"¤é", u""}, {u"¤ab", u""}, {u"xa", u""}, {u"", u""}};
        for (const auto& [texte, attendu] : lignes) {
            QTest::addRow("%s", qUtf8Printable(QString::fromUtf16(texte)))
                << QString::fromUtf16(texte) << QString::fromUtf16(attendu);
        }
    }

    void recherche() {
        QFETCH(QString, texteTouche);
        QFETCH(QString, attendu);
        QCOMPARE(RechercheMultiTap(collection, texteTouche), attendu);
    }

    // The box's keypad, read key by key: the n-th character of a key takes n presses.
    void clavierTelephonique() {
        const std::pair<QChar, QStringView> touches[] = {
            {u'1', u".,?!-'\"1"}, {u'2', u"ABC2"}, {u'3', u"DEF3"},  {u'4', u"GHI4"},
            {u'5', u"JKL5"},      {u'6', u"MNO6"}, {u'7', u"PQRS7"}, {u'8', u"TUV8"},
            {u'9', u"WXYZ9"},     {u'0', u" 0"}};
        for (const auto& [touche, lettres] : touches) {
            for (qsizetype i = 0; i < lettres.size(); ++i) {
                const QString texte = QString(MarqueurCaractère) + lettres[i];
                QCOMPARE(RechercheMultiTap(collection, texte), QString::number(i + 1) + touche);
            }
        }
        // 44 characters found and 44 entries: no character occurs twice.
        QCOMPARE(collection.size(), 44);
    }
};

QTEST_GUILESS_MAIN(TestMultitap)
#include "tst_multitap.moc"
