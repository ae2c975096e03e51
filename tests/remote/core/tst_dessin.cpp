#include "core/dessin_boutons.h"
#include "core/dessin_donner.h"
#include "core/dessin_icone.h"
#include "core/dessin_telecommande.h"
#include "core/table_touches.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>

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
    void tailleTelecommande_data();
    void tailleTelecommande();
    void pasDeFrangeRose_data();
    void pasDeFrangeRose();
    void silhouetteDecoupee_data();
    void silhouetteDecoupee();
    void touchesDansLaSilhouette_data();
    void touchesDansLaSilhouette();
    void boutonsFenetre_data();
    void boutonsFenetre();
    void icone();
    void imagesDonner();
};

void TestDessin::tailleTelecommande_data() {
    QTest::addColumn<int>("modele");
    QTest::addColumn<double>("echelle");
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<QSize>("attendue");
    QTest::newRow("v5 50 %") << 5 << 0.5 << 1.0 << QSize(84, 300);
    QTest::newRow("v5 100 %") << 5 << 1.0 << 1.0 << QSize(168, 600);
    QTest::newRow("v5 100 % dpr 2") << 5 << 1.0 << 2.0 << QSize(168, 600);
    QTest::newRow("v5 137 %") << 5 << 1.37 << 1.0 << QSize(230, 822);
    QTest::newRow("v5 200 %") << 5 << 2.0 << 1.0 << QSize(336, 1200);
    QTest::newRow("v5 500 %") << 5 << 5.0 << 1.0 << QSize(840, 3000);
    QTest::newRow("v6 50 %") << 6 << 0.5 << 1.0 << QSize(57, 298);
    QTest::newRow("v6 100 %") << 6 << 1.0 << 1.0 << QSize(114, 596);
    QTest::newRow("v6 137 % dpr 1.5") << 6 << 1.37 << 1.5 << QSize(156, 817);
    QTest::newRow("v6 200 %") << 6 << 2.0 << 1.0 << QSize(228, 1192);
    QTest::newRow("v6 500 % dpr 2") << 6 << 5.0 << 2.0 << QSize(570, 2980);
    QTest::newRow("unknown model drawn as v5") << 7 << 1.0 << 1.0 << QSize(168, 600);
}

void TestDessin::tailleTelecommande() {
    QFETCH(int, modele);
    QFETCH(double, echelle);
    QFETCH(qreal, dpr);
    QFETCH(QSize, attendue);
    QCOMPARE(TailleImageTélécommande(modele, echelle), attendue);
    const QImage image = ImageTélécommande(modele, echelle, dpr);
    QCOMPARE(image.devicePixelRatio(), dpr);
    QCOMPARE(image.size(), (QSizeF(attendue) * dpr).toSize());
    QVERIFY(
        QRect(QPoint(), attendue).contains(SilhouetteTélécommande(modele, echelle).boundingRect()));
}

void TestDessin::pasDeFrangeRose_data() {
    QTest::addColumn<int>("modele");
    QTest::addColumn<double>("echelle");
    QTest::addColumn<qreal>("dpr");
    for (int modèle : {5, 6}) {
        for (double échelle : {0.5, 1.0, 1.37, 3.0, 5.0}) {
            for (qreal dpr : {1.0, 2.0}) {
                QTest::addRow("v%d %g dpr %g", modèle, échelle, dpr) << modèle << échelle << dpr;
            }
        }
        QTest::addRow("v%d 1.37 dpr 1.5", modèle) << modèle << 1.37 << 1.5;
    }
}

// The window is cut out with a 1-bit mask: whatever is inside shows, whatever is outside
// is hidden, so any trace of the colour key inside would show as a pink fringe.
void TestDessin::pasDeFrangeRose() {
    QFETCH(int, modele);
    QFETCH(double, echelle);
    QFETCH(qreal, dpr);
    const QImage image =
        ImageTélécommande(modele, echelle, dpr).convertToFormat(QImage::Format_RGB32);
    const QImage dedans =
        Masque(SilhouetteTélécommande(modele, echelle), TailleImageTélécommande(modele, echelle));
    int roses = 0;
    int nonMagenta = 0;
    QPoint premier(-1, -1);
    for (int y = 0; y < image.height(); ++y) {
        const auto* ligne = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const uchar* masque = dedans.constScanLine(int(y / dpr));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = ligne[x] | 0xff000000;
            if (masque[int(x / dpr)]) {
                if (EstRosé(pixel)) {
                    ++roses;
                    if (premier.x() < 0)
                        premier = QPoint(x, y);
                }
            } else if (pixel != CouleurTransparente) {
                ++nonMagenta;
            }
        }
    }
    QVERIFY2(roses == 0, qPrintable(u"%1 pink pixels inside, first at %2,%3"_s.arg(roses)
                                        .arg(premier.x())
                                        .arg(premier.y())));
    QCOMPARE(nonMagenta, 0);
}

void TestDessin::silhouetteDecoupee_data() {
    QTest::addColumn<int>("modele");
    QTest::addColumn<double>("echelle");
    for (int modèle : {5, 6}) {
        for (double échelle : {0.5, 1.0, 5.0})
            QTest::addRow("v%d %g", modèle, échelle) << modèle << échelle;
    }
}

void TestDessin::silhouetteDecoupee() {
    QFETCH(int, modele);
    QFETCH(double, echelle);
    const QRegion silhouette = SilhouetteTélécommande(modele, echelle);
    const QRect cadre(QPoint(), TailleImageTélécommande(modele, echelle));
    for (QPoint coin : {cadre.topLeft(), cadre.topRight(), cadre.bottomLeft(), cadre.bottomRight()})
        QVERIFY2(!silhouette.contains(coin),
                 qPrintable(u"corner %1,%2"_s.arg(coin.x()).arg(coin.y())));
    qint64 aire = 0;
    for (const QRect& r : silhouette)
        aire += qint64(r.width()) * r.height();
    const qint64 aireCadre = qint64(cadre.width()) * cadre.height();
    QVERIFY(aire > aireCadre * 0.8);
    QVERIFY(aire < aireCadre);
}

void TestDessin::touchesDansLaSilhouette_data() {
    QTest::addColumn<int>("modele");
    QTest::addColumn<double>("echelle");
    for (int modèle : {5, 6}) {
        for (double échelle : {0.5, 1.0, 1.37, 3.0})
            QTest::addRow("v%d %g", modèle, échelle) << modèle << échelle;
    }
}

// Keys must be clickable where they are drawn, and the window buttons, being child
// windows, would be cut by the mask if they overlapped the outline.
void TestDessin::touchesDansLaSilhouette() {
    QFETCH(int, modele);
    QFETCH(double, echelle);
    const QRegion silhouette = SilhouetteTélécommande(modele, echelle);
    const QImage image = ImageTélécommande(modele, echelle, 1.0);
    for (const ZoneTouche& touche : TableTouches()) {
        const auto& zone = modele == 6 ? touche.zoneV6 : touche.zoneV5;
        if (!zone)
            continue;
        const QRect r = Échelonne(*zone, echelle);
        const QRect cœur =
            r.adjusted(r.width() / 5, r.height() / 5, -r.width() / 5, -r.height() / 5);
        QVERIFY2(silhouette.intersected(cœur) == QRegion(cœur), touche.nomTouche);
        QVERIFY2((image.pixel(r.center()) | 0xff000000) != CouleurTransparente, touche.nomTouche);
    }
    for (BoutonFenêtre bouton : TousLesBoutons) {
        const QRect r = Échelonne(ZoneBoutonFenêtre(bouton, modele), echelle);
        QVERIFY2(silhouette.intersected(r) == QRegion(r), qPrintable(QString::number(int(bouton))));
    }
}

void TestDessin::boutonsFenetre_data() {
    QTest::addColumn<double>("echelle");
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<int>("cote");
    QTest::newRow("50 %") << 0.5 << 1.0 << 7;
    QTest::newRow("100 %") << 1.0 << 1.0 << 13;
    QTest::newRow("100 % dpr 2") << 1.0 << 2.0 << 13;
    QTest::newRow("137 % dpr 1.5") << 1.37 << 1.5 << 18;
    QTest::newRow("500 %") << 5.0 << 1.0 << 65;
}

void TestDessin::boutonsFenetre() {
    QFETCH(double, echelle);
    QFETCH(qreal, dpr);
    QFETCH(int, cote);
    QCOMPARE(CôtéImageBoutonFenêtre(echelle), cote);
    for (BoutonFenêtre bouton : TousLesBoutons) {
        const QPixmap normal = ImageBoutonFenêtre(bouton, false, echelle, dpr);
        const QPixmap survolé = ImageBoutonFenêtre(bouton, true, echelle, dpr);
        QCOMPARE(normal.deviceIndependentSize(), QSizeF(cote, cote));
        QCOMPARE(normal.size(), (QSizeF(cote, cote) * dpr).toSize());
        QCOMPARE(survolé.size(), normal.size());
        QVERIFY(normal.toImage() != survolé.toImage());
    }
    QVERIFY(ImageBoutonFenêtre(BoutonFenêtre::Réduire, false, echelle, dpr).toImage() !=
            ImageBoutonFenêtre(BoutonFenêtre::Quitter, false, echelle, dpr).toImage());
}

void TestDessin::icone() {
    const QIcon icône = IcôneNavelo();
    QList<QSize> tailles;
    for (int côté : {16, 24, 32, 48, 64, 128, 256})
        tailles.append(QSize(côté, côté));
    QCOMPARE(icône.availableSizes(), tailles);
    const QImage splash = icône.pixmap(48, 48).toImage();
    QCOMPARE(splash.size(), QSize(48, 48));
    QCOMPARE(qAlpha(splash.pixel(0, 47)), 0);
    QCOMPARE(qAlpha(splash.pixel(24, 30)), 255);
}

void TestDessin::imagesDonner() {
    for (qreal dpr : {1.0, 2.0}) {
        const QPixmap français = ImageDonner(true, dpr);
        const QPixmap anglais = ImageDonner(false, dpr);
        QCOMPARE(français.deviceIndependentSize(), QSizeF(TailleImageDonner()));
        QCOMPARE(anglais.size(), français.size());
        QCOMPARE(français.size(), TailleImageDonner() * dpr);
        QVERIFY(français.toImage() != anglais.toImage());
    }
}

QTEST_MAIN(TestDessin)
#include "tst_dessin.moc"
