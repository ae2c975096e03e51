#include "guide/multitap.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestMultitap : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The marker and one character of the keypad, in either case; anything else is unknown.
    void recherche() {
        const QStringList collection = ChargeTableMultiTap();
        QCOMPARE(collection.size(), 44);
        const std::pair<const char16_t*, const char16_t*> cas[] = {
            {u"¤a", u"12"}, {u"¤A", u"12"}, {u"¤z", u"49"}, {u"¤'", u"61"}, {u"¤ ", u"10"},
            {u"¤é", u""},   {u"¤ab", u""},  {u"xa", u""},   {u"", u""}};
        for (const auto& [texte, attendu] : cas)
            QCOMPARE(RechercheMultiTap(collection, QString::fromUtf16(texte)),
                     QString::fromUtf16(attendu));
    }
};

QTEST_APPLESS_MAIN(TestMultitap)
#include "tst_multitap.moc"
