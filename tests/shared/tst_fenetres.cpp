#include "fenetres.h"

#include <QLabel>
#include <QPainter>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QColor magenta(255, 0, 255);

// A frameless picture whose left half has the colour `gauche`.
void Peint(QLabel& image, QColor gauche) {
    QPixmap pixmap(100, 60);
    pixmap.fill(Qt::blue);
    QPainter(&pixmap).fillRect(0, 0, 50, 60, gauche);
    image.setPixmap(pixmap);
    image.setWindowFlag(Qt::FramelessWindowHint);
    image.setGeometry(120, 80, 100, 60);
}

} // namespace

class TestFenetres : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void transparence_data() {
        QTest::addColumn<QColor>("gauche");
        QTest::addColumn<bool>("montre");
        QTest::addColumn<bool>("reussi");
        QTest::newRow("magenta") << magenta << true << true;
        QTest::newRow("magenta, not shown yet") << magenta << false << true;
        QTest::newRow("near magenta stays") << QColor(254, 0, 255) << true << false;
    }

    void transparence() {
        QFETCH(QColor, gauche);
        QFETCH(bool, montre);
        QFETCH(bool, reussi);
        QLabel image;
        Peint(image, gauche);
        image.setVisible(montre);
        // Twice: the first mask must not hide part of the picture from the second.
        for (int fois = 0; fois < 2; ++fois) {
            QCOMPARE(RendTransparent(&image, magenta, 51, fois == 1), reussi);
            QCOMPARE(image.mask(), reussi ? QRegion(50, 0, 50, 60) : QRegion());
        }
        QCOMPARE(image.windowOpacity(), 0.2);
    }

    // Changing the flag must neither hide nor move the window.
    void premierPlan() {
        for (const bool montre : {true, false}) {
            QLabel image;
            Peint(image, Qt::red);
            image.setVisible(montre);
            const QRect géométrie = image.geometry();
            for (const bool dessus : {true, false}) {
                PremierPlan(&image, dessus);
                QCOMPARE(image.windowFlags().testFlag(Qt::WindowStaysOnTopHint), dessus);
                QCOMPARE(image.isVisible(), montre);
                QCOMPARE(image.geometry(), géométrie);
            }
        }
    }
};

QTEST_MAIN(TestFenetres)
#include "tst_fenetres.moc"
