#include "core/dessin_telecommande.h"
#include "core/dessin_touches.h"
#include "core/table_touches.h"
#include "guide/bouton_touche.h"
#include "guide/frmClavier.h"
#include "navelo_essai.h"

#include <QImage>
#include <QLabel>
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

// Where a key's caption ink lies: the key drawn with and without it, with room all around, so
// that a caption running out of its key would show outside it.
QRect EncreLégende(const BoutonTouche* touche) {
    const QRect place(touche->rect().translated(touche->width(), touche->height()));
    QImage images[2];
    for (int avec : {0, 1}) {
        images[avec] = QImage(place.size() * 3, QImage::Format_ARGB32_Premultiplied);
        images[avec].fill(Qt::transparent);
        QPainter peintre(&images[avec]);
        peintre.setRenderHint(QPainter::Antialiasing);
        DessineToucheClavier(peintre, place, avec ? touche->text() : QString(), touche->Spéciale,
                             ÉtatTouche::Repos);
    }
    QRect encre;
    for (int y = 0; y < images[0].height(); ++y) {
        for (int x = 0; x < images[0].width(); ++x)
            encre |= images[0].pixel(x, y) != images[1].pixel(x, y) ? QRect(x, y, 1, 1) : QRect();
    }
    return encre.translated(-place.topLeft());
}

} // namespace

class TestDessin : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every key zone of both remotes, in twips at 100 %, and the window buttons.
    void tables() {
        const struct {
            int index;
            const char* nom;
            std::optional<QRect> zoneV5, zoneV6;
        } attendues[] = {
            {0, "power", QRect(315, 2355, 405, 405), QRect(1140, 0, 570, 570)},
            {1, "tv", QRect(1890, 2355, 405, 405), QRect(0, 0, 570, 570)},
            {2, "list", QRect(1005, 2460, 600, 315), std::nullopt},
            {3, "1", QRect(300, 2850, 480, 285), QRect(0, 590, 570, 570)},
            {4, "2", QRect(810, 2850, 480, 285), QRect(570, 590, 570, 570)},
            {5, "3", QRect(1320, 2850, 480, 285), QRect(1140, 590, 570, 570)},
            {6, "info", QRect(1830, 2850, 480, 285), std::nullopt},
            {7, "4", QRect(300, 3180, 480, 285), QRect(0, 1160, 570, 570)},
            {8, "5", QRect(810, 3180, 480, 285), QRect(570, 1160, 570, 570)},
            {9, "6", QRect(1320, 3180, 480, 285), QRect(1140, 1160, 570, 570)},
            {10, "mail", QRect(1830, 3180, 480, 285), std::nullopt},
            {11, "7", QRect(300, 3510, 480, 285), QRect(0, 1730, 570, 570)},
            {12, "8", QRect(810, 3510, 480, 285), QRect(570, 1730, 570, 570)},
            {13, "9", QRect(1320, 3510, 480, 285), QRect(1140, 1730, 570, 570)},
            {14, "help", QRect(1830, 3510, 480, 285), std::nullopt},
            {15, "back", QRect(315, 3840, 480, 285), std::nullopt},
            {16, "0", QRect(825, 3840, 480, 285), QRect(570, 2300, 570, 570)},
            {17, "swap", QRect(1335, 3840, 480, 285), std::nullopt},
            {18, "pip", QRect(1845, 3840, 480, 285), std::nullopt},
            {19, "bwd", QRect(300, 6060, 450, 285), QRect(0, 6300, 570, 570)},
            {20, "prev", QRect(300, 6480, 450, 285), std::nullopt},
            {21, "next", QRect(1845, 6465, 450, 285), std::nullopt},
            {22, "fwd", QRect(1845, 6060, 450, 285), QRect(1140, 6300, 570, 570)},
            {23, "rec", QRect(1845, 5655, 450, 285), QRect(570, 5730, 570, 570)},
            {24, "mute", QRect(300, 5655, 450, 285), QRect(570, 5160, 570, 570)},
            {25, "ok", QRect(1065, 4725, 465, 435), QRect(570, 3460, 570, 570)},
            {26, "vol_inc", QRect(315, 4440, 330, 450), QRect(0, 5160, 570, 570)},
            {27, "vol_dec", QRect(315, 5010, 330, 450), QRect(0, 5730, 570, 570)},
            {28, "prgm_inc", QRect(1965, 4440, 330, 450), QRect(1140, 5160, 570, 570)},
            {29, "prgm_dec", QRect(1965, 5010, 330, 450), QRect(1140, 5730, 570, 570)},
            {30, "up", QRect(1065, 4335, 465, 375), QRect(570, 2890, 570, 570)},
            {31, "red", QRect(1050, 480, 510, 510), QRect(0, 2890, 570, 570)},
            {32, "down", QRect(1065, 5175, 465, 375), QRect(570, 4030, 570, 570)},
            {33, "left", QRect(675, 4725, 375, 435), QRect(0, 3460, 570, 570)},
            {34, "right", QRect(1545, 4725, 375, 435), QRect(1140, 3460, 570, 570)},
            {35, "yellow", QRect(540, 990, 510, 510), QRect(1140, 4030, 570, 570)},
            {36, "green", QRect(1560, 990, 510, 510), QRect(0, 4030, 570, 570)},
            {37, "blue", QRect(1050, 1500, 510, 495), QRect(1140, 2890, 570, 570)},
            {42, "play", QRect(825, 6195, 435, 450), QRect(570, 6300, 570, 570)},
            {43, "stop", QRect(1335, 6195, 435, 450), std::nullopt},
            {44, "home", QRect(930, 5640, 735, 465), QRect(210, 4605, 1305, 555)},
        };
        const auto table = TableTouches();
        QCOMPARE(table.size(), std::size(attendues));
        for (std::size_t i = 0; i < table.size(); ++i) {
            const ZoneTouche& t = table[i];
            const auto& a = attendues[i];
            QVERIFY2(std::tuple(t.index, QByteArray(t.nomTouche), t.zoneV5, t.zoneV6) ==
                         std::tuple(a.index, QByteArray(a.nom), a.zoneV5, a.zoneV6),
                     a.nom);
        }

        const std::tuple<BoutonFenêtre, QPoint, QPoint> boutons[] = {
            {BoutonFenêtre::Réduire, {1350, 75}, {600, 50}},
            {BoutonFenêtre::Quitter, {1650, 180}, {860, 50}},
            {BoutonFenêtre::Clavier, {1050, 75}, {860, 300}},
            {BoutonFenêtre::ListeChaînes, {750, 180}, {600, 300}}};
        for (const auto& [bouton, v5, v6] : boutons)
            QCOMPARE(std::pair(ZoneBoutonFenêtre(bouton, 5), ZoneBoutonFenêtre(bouton, 6)),
                     std::pair(QRect(v5, QSize(195, 195)), QRect(v6, QSize(195, 195))));
    }

    // Both models at the ends of the range, at a scale that rounds badly, on high-DPI screens.
    void silhouette_data() {
        QTest::addColumn<int>("modele");
        QTest::addColumn<double>("echelle");
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("v5 50 %") << 5 << 0.5 << 1.0;
        QTest::newRow("v5 137 % dpr 1.5") << 5 << 1.37 << 1.5;
        QTest::newRow("v5 500 % dpr 2") << 5 << 5.0 << 2.0;
        QTest::newRow("v6 100 % dpr 2") << 6 << 1.0 << 2.0;
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
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                roses +=
                    dedans.constScanLine(int(y / dpr))[int(x / dpr)] && EstRosé(image.pixel(x, y));
        }
        QCOMPARE(roses, 0);

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

    // The window cut out by a mask on its colour key where nothing blends windows, and by its
    // picture's transparency, with a smooth outline, where a compositor does.
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
        const auto fenêtre =
            essai.démarre(u"Version=%1"_s.arg(modele), [compositeur] { return compositeur; });
        QVERIFY(fenêtre);

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

    void legendesClavier_data() {
        QTest::addColumn<int>("taille");
        QTest::addColumn<bool>("majuscules");
        QTest::newRow("50 %") << 50 << false;
        QTest::newRow("500 %, capitals") << 500 << true;
    }

    // Every caption whole inside its key, and growing with it: a letter is more than a quarter
    // of its key's height at every size.
    void legendesClavier() {
        QFETCH(int, taille);
        QFETCH(bool, majuscules);
        ParamètresNavelo paramètres;
        paramètres.TailleClavier = static_cast<qint16>(taille);
        ExpéditeurTouches expéditeur(paramètres);
        RaccourcisClavier raccourcis(paramètres, {});
        frmClavier clavier(paramètres, expéditeur, raccourcis);
        if (majuscules)
            clavier.InverseMajuscules();
        for (BoutonTouche* touche :
             clavier.btnTouche.values() + clavier.btnToucheSpéciale.values()) {
            const QRect encre = EncreLégende(touche);
            QVERIFY2(encre.isEmpty() == (touche->Tag == u" "), qPrintable(touche->text()));
            QVERIFY2(encre.isEmpty() || touche->rect().contains(encre), qPrintable(touche->text()));
            if (touche->text().size() == 1 && touche->text().at(0).isLetter())
                QVERIFY2(encre.height() * 4 > touche->height(), qPrintable(touche->text()));
        }
    }
};

QTEST_MAIN(TestDessin)
#include "tst_dessin.moc"
