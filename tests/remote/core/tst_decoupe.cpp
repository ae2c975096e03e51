#include "core/dessin_telecommande.h"
#include "navelo_essai.h"

#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

// The remote's window cut out by a mask on its colour key where nothing blends windows, and by
// its picture's transparency, with a smooth outline, where a compositor does.
class TestDecoupe : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fenetre_data() {
        QTest::addColumn<int>("modele");
        QTest::addColumn<bool>("compositeur");
        QTest::newRow("5, no compositor") << 5 << false;
        QTest::newRow("6, compositor") << 6 << true;
    }

    void fenetre() {
        QFETCH(int, modele);
        QFETCH(bool, compositeur);
        NaveloEssai essai;
        qputenv("TMPDIR", essai.dossier.path().toLocal8Bit());
        QVERIFY(ÉcritConfig(essai.ini(), u"CodeTélécommande=12345678\r\nVersion=%1"_s.arg(modele)));
        const auto fenêtre = essai.crée([compositeur] { return compositeur; });
        QVERIFY(fenêtre->Form_Load());

        QCOMPARE(fenêtre->testAttribute(Qt::WA_TranslucentBackground), compositeur);
        const QImage image = fenêtre->findChild<QLabel*>(u"imgTelkino"_s)->pixmap().toImage();
        const QRegion silhouette = SilhouetteTélécommande(modele, 1.0);
        int partiels = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                partiels += alpha > 0 && alpha < 255;
                // Nothing shows beyond the mask, which clicks go through.
                if (!fenêtre->mask().contains(QPoint(x, y)))
                    QCOMPARE(alpha, compositeur ? 0 : 255);
            }
        }
        if (compositeur) {
            // The smooth edge shows whole: the mask takes every pixel the outline touches.
            QVERIFY(silhouette.subtracted(fenêtre->mask()).isEmpty());
            QVERIFY(!fenêtre->mask().subtracted(silhouette).isEmpty());
            QVERIFY2(partiels > 200, qPrintable(QString::number(partiels)));
        } else {
            QCOMPARE(fenêtre->mask(), silhouette);
            QCOMPARE(image.pixel(0, 0), CouleurTransparente);
        }
        fenêtre->close();
    }
};

QTEST_MAIN(TestDecoupe)
#include "tst_decoupe.moc"
