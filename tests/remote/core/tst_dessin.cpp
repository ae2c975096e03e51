#include "core/dessin_boutons.h"
#include "core/dessin_telecommande.h"
#include "core/table_touches.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Red and blue well above green: what a blend with the colour key looks like.
bool EstRosé(QRgb pixel) {
    return qRed(pixel) > qGreen(pixel) + 40 && qBlue(pixel) > qGreen(pixel) + 40;
}

QRect Échelonne(const QRect& twips, double échelle) {
    const double k = échelle / TwipsParPixel;
    return QRectF(twips.x() * k, twips.y() * k, twips.width() * k, twips.height() * k).toRect();
}

QImage Masque(const QRegion& région, QSize taille) {
    QImage masque(taille, QImage::Format_Grayscale8);
    masque.fill(0);
    for (const QRect& r : région) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::fill_n(masque.scanLine(y) + r.left(), r.width(), uchar(1));
    }
    return masque;
}

const BoutonFenêtre TousLesBoutons[] = {BoutonFenêtre::Réduire, BoutonFenêtre::Quitter,
                                        BoutonFenêtre::Clavier, BoutonFenêtre::ListeChaînes};

} // namespace

class TestDessin : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Both models at the ends of the range, at a scale that rounds badly, on high-DPI screens.
    void silhouette_data() {
        QTest::addColumn<int>("modele");
        QTest::addColumn<double>("echelle");
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("v5 50 %") << 5 << 0.5 << 1.0;
        QTest::newRow("v5 137 % dpr 1.5") << 5 << 1.37 << 1.5;
        QTest::newRow("v5 500 % dpr 2") << 5 << 5.0 << 2.0;
        QTest::newRow("v6 100 % dpr 2") << 6 << 1.0 << 2.0;
        QTest::newRow("v6 300 %") << 6 << 3.0 << 1.0;
    }

    // The window is cut out with a 1-bit mask: whatever is inside shows, whatever is outside
    // is hidden, so any trace of the colour key inside would show as a pink fringe. Keys must
    // be clickable where they are drawn, and the window buttons, being child windows, would
    // be cut by the mask if they overlapped the outline.
    void silhouette() {
        QFETCH(int, modele);
        QFETCH(double, echelle);
        QFETCH(qreal, dpr);
        const QSize taille = TailleImageTélécommande(modele, echelle);
        const QRegion silhouette = SilhouetteTélécommande(modele, echelle);
        const QImage image =
            ImageTélécommande(modele, echelle, dpr).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), (QSizeF(taille) * dpr).toSize());
        const QImage dedans = Masque(silhouette, taille);
        int roses = 0;
        int nonMagenta = 0;
        for (int y = 0; y < image.height(); ++y) {
            const auto* ligne = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            const uchar* masque = dedans.constScanLine(int(y / dpr));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = ligne[x] | 0xff000000;
                if (masque[int(x / dpr)])
                    roses += EstRosé(pixel);
                else
                    nonMagenta += pixel != CouleurTransparente;
            }
        }
        QCOMPARE(roses, 0);
        QCOMPARE(nonMagenta, 0);

        for (const ZoneTouche& touche : TableTouches()) {
            const auto& zone = modele == 6 ? touche.zoneV6 : touche.zoneV5;
            if (!zone)
                continue;
            const QRect r = Échelonne(*zone, echelle);
            const QRect cœur =
                r.adjusted(r.width() / 5, r.height() / 5, -r.width() / 5, -r.height() / 5);
            QVERIFY2(silhouette.intersected(cœur) == QRegion(cœur), touche.nomTouche);
            QVERIFY2(image.pixel((QPointF(r.center()) * dpr).toPoint()) != CouleurTransparente,
                     touche.nomTouche);
        }
        for (BoutonFenêtre bouton : TousLesBoutons) {
            const QRect r = Échelonne(ZoneBoutonFenêtre(bouton, modele), echelle);
            QVERIFY2(silhouette.intersected(r) == QRegion(r),
                     qPrintable(QString::number(int(bouton))));
        }
    }
};

QTEST_MAIN(TestDessin)
#include "tst_dessin.moc"
