#include "guide/frmListeChaines.h"

#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

// The channel list as wide as its logos need, so that names keep the room they have at the
// default logo size, even when a narrower size was remembered.
class TestLargeurListe : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void largeur_data() {
        QTest::addColumn<int>("logos");
        QTest::addColumn<int>("largeur");
        // 3735 twips = 249 pixels, plus what the logos gain over 35 pixels (50 %).
        QTest::newRow("25 %") << 25 << 249;
        QTest::newRow("50 %") << 50 << 249;
        QTest::newRow("100 %") << 100 << 284;
        QTest::newRow("200 %") << 200 << 354;
    }

    void largeur() {
        QFETCH(int, logos);
        ParamètresNavelo paramètres;
        paramètres.TailleLogos = static_cast<qint16>(logos);
        ExpéditeurTouches expéditeur(paramètres);
        frmListeChaînes fenêtre(paramètres, expéditeur, {});
        QTEST(fenêtre.width(), "largeur");
        fenêtre.resize(120, 300);
        fenêtre.show();
        QTEST(fenêtre.width(), "largeur");
        // The column fills the list, 231 pixels at 50 %; less a logo of 35, 196 for the name.
        const auto* liste = fenêtre.findChild<QTreeWidget*>(u"lvwChaînes"_s);
        const int place = liste->columnWidth(0) - liste->iconSize().width();
        QVERIFY2(place >= 196, qPrintable(QString::number(place)));
    }
};

QTEST_MAIN(TestLargeurListe)
#include "tst_largeur_liste.moc"
