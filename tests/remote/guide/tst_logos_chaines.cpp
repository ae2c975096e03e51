#include "guide/logos_chaines.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestLogosChaines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numero_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<qint64>("numéro");
        QTest::newRow("zéros en tête") << u"Canal 007.png"_s << qint64(7);
        QTest::newRow("chaque occurrence ôtée") << u"Canal Canal 8.png.png"_s << qint64(8);
        QTest::newRow("préfixe en minuscules") << u"canal 5.png"_s << qint64(0);
        QTest::newRow("nombre démesuré") << u"Canal 99999999999999999999999.png"_s << qint64(0);
    }

    void numero() {
        QFETCH(QString, nom);
        QFETCH(qint64, numéro);
        QCOMPARE(NuméroLogo(nom), numéro);
    }
};

QTEST_GUILESS_MAIN(TestLogosChaines)
#include "tst_logos_chaines.moc"
