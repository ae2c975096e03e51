#include "core/dessin_boutons.h"
#include "core/dessin_icone.h"
#include "core/dessin_telecommande.h"
#include "core/dessin_touches.h"
#include "core/table_touches.h"
#include "guide/bouton_touche.h"
#include "guide/frmClavier.h"

#include <QPainter>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Relative luminance, as contrast ratios are defined on it.
double Luminance(QColor c) {
    const auto canal = [](double v) {
        v /= 255;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * canal(c.red()) + 0.7152 * canal(c.green()) + 0.0722 * canal(c.blue());
}

// Mean luminance of the pixels of `image` in `zone`.
double LuminanceMoyenne(const QImage& image, const QRect& zone) {
    double somme = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y) {
        for (int x = zone.left(); x <= zone.right(); ++x)
            somme += Luminance(image.pixelColor(x, y));
    }
    return somme / (zone.width() * zone.height());
}

// Mean luminance of the opaque rim of a round button's picture, where no glyph lies: what
// sets the button apart from what surrounds it.
double LuminanceBord(const QImage& image) {
    const QPointF centre = QRectF(image.rect()).center();
    double somme = 0;
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const QPointF d = QPointF(x + 0.5, y + 0.5) - centre;
            if (c.alpha() == 255 && std::hypot(d.x(), d.y()) > image.width() * 0.36) {
                somme += Luminance(c);
                ++n;
            }
        }
    }
    return somme / n;
}

// Where a key's caption ink lies: the key drawn with and without it, on a canvas with room all
// around, so that a caption running out of its key would show outside it.
QRect EncreLégende(BoutonTouche* touche) {
    const QRect place(touche->width(), touche->height(), touche->width(), touche->height());
    const auto dessine = [&](const QString& légende) {
        QImage image(place.size() * 3, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter peintre(&image);
        peintre.setRenderHint(QPainter::Antialiasing);
        DessineToucheClavier(peintre, place, légende, touche->Spéciale, ÉtatTouche::Repos);
        return image;
    };
    const QImage avec = dessine(touche->text());
    const QImage sans = dessine({});
    QRect encre;
    for (int y = 0; y < avec.height(); ++y) {
        for (int x = 0; x < avec.width(); ++x) {
            if (avec.pixel(x, y) != sans.pixel(x, y))
                encre |= QRect(x, y, 1, 1);
        }
    }
    return encre.translated(-place.topLeft());
}

// Left and right ends of the dark key faces crossing the picture's row y, inside the body.
QList<int> BordsTouches(const QImage& image, int y, int gauche, int droite) {
    QList<int> bords;
    bool dansTouche = false;
    for (int x = gauche; x <= droite; ++x) {
        const bool sombre = qGray(image.pixel(x, y)) < 140;
        if (sombre != dansTouche)
            bords.append(x);
        dansTouche = sombre;
    }
    return bords;
}

} // namespace

class TestLisibilite : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void legendesClavier_data() {
        QTest::addColumn<int>("taille");
        QTest::addColumn<bool>("majuscules");
        QTest::newRow("50 %") << 50 << false;
        QTest::newRow("50 %, capitals") << 50 << true;
        QTest::newRow("300 %") << 300 << false;
        QTest::newRow("500 %, capitals") << 500 << true;
    }

    // Every caption whole inside its key, and growing with the keyboard: a letter is more
    // than a quarter of its key's height at any size.
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
        int légendes = 0;
        for (BoutonTouche* touche :
             clavier.btnTouche.values() + clavier.btnToucheSpéciale.values()) {
            const QRect encre = EncreLégende(touche);
            const QString nom = touche->text();
            if (touche->Tag == u" ") {
                QVERIFY(encre.isEmpty());
                continue;
            }
            QVERIFY2(!encre.isEmpty(), qPrintable(nom));
            QVERIFY2(touche->rect().contains(encre), qPrintable(nom));
            if (nom.size() == 1 && nom.at(0).isLetter()) {
                QVERIFY2(encre.height() * 4 > touche->height(),
                         qPrintable(
                             u"%1: %2 of %3"_s.arg(nom).arg(encre.height()).arg(touche->height())));
            }
            ++légendes;
        }
        QCOMPARE(légendes, 50);
    }

    // The row of back, 0, swap and pip drawn in the columns of the rows above.
    void rangeesAlignees_data() {
        QTest::addColumn<double>("echelle");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("300 %") << 3.0;
    }

    void rangeesAlignees() {
        QFETCH(double, echelle);
        const QImage image = ImageTélécommande(5, echelle).convertToFormat(QImage::Format_RGB32);
        // Across the rows of 7 and of back (tops 3510 and 3840 twips), above their labels,
        // from 200 to 2420 twips: body on both sides of the keys.
        const auto pixels = [&](int twips) { return qRound(twips * echelle / TwipsParPixel); };
        const auto rangée = [&](int twips) {
            return BordsTouches(image, pixels(twips + 52), pixels(200), pixels(2420));
        };
        const QList<int> chiffres = rangée(3510);
        QCOMPARE(chiffres.size(), 8);
        QCOMPARE(rangée(3840), chiffres);
    }

    // A tile as large as its square, mostly opaque, with the four coloured keys, at the sizes
    // notification areas use.
    void iconeNotification_data() {
        QTest::addColumn<int>("cote");
        QTest::newRow("16") << 16;
        QTest::newRow("22") << 22;
        QTest::newRow("24") << 24;
    }

    void iconeNotification() {
        QFETCH(int, cote);
        const QImage icône = IcôneFenêtres().pixmap(cote, cote).toImage();
        QCOMPARE(icône.size(), QSize(cote, cote));
        int opaques = 0;
        QRect cadre;
        int rouges = 0, jaunes = 0, verts = 0, bleus = 0;
        for (int y = 0; y < cote; ++y) {
            for (int x = 0; x < cote; ++x) {
                const QColor c = icône.pixelColor(x, y);
                if (c.alpha() < 200)
                    continue;
                ++opaques;
                cadre |= QRect(x, y, 1, 1);
                if (c.hsvSaturation() < 120 || c.value() < 150)
                    continue;
                const int teinte = c.hsvHue();
                rouges += teinte < 15 || teinte > 345;
                jaunes += teinte > 35 && teinte < 60;
                verts += teinte > 90 && teinte < 150;
                bleus += teinte > 190 && teinte < 230;
            }
        }
        QVERIFY2(opaques * 4 > cote * cote * 3, qPrintable(QString::number(opaques)));
        QVERIFY(cadre.width() >= cote - 1 && cadre.height() >= cote - 1);
        for (int couleur : {rouges, jaunes, verts, bleus})
            QVERIFY2(couleur >= 3,
                     qPrintable(u"%1 %2 %3 %4"_s.arg(rouges).arg(jaunes).arg(verts).arg(bleus)));
    }

    // Shown over the remote, the minimise and quit buttons stand out from its body by a contrast
    // of 3:1 at least, the least for a control to be seen.
    void boutonsVisibles_data() {
        QTest::addColumn<int>("modele");
        QTest::newRow("5") << 5;
        QTest::newRow("6") << 6;
    }

    void boutonsVisibles() {
        QFETCH(int, modele);
        const double échelle = 3;
        const QImage télécommande = ImageTélécommande(modele, échelle);
        for (BoutonFenêtre bouton : {BoutonFenêtre::Réduire, BoutonFenêtre::Quitter}) {
            const QImage image = ImageBoutonFenêtre(bouton, modele, false, échelle).toImage();
            const QRect twips = ZoneBoutonFenêtre(bouton, modele);
            const QRect place(QPoint(qRound(twips.x() * échelle / TwipsParPixel),
                                     qRound(twips.y() * échelle / TwipsParPixel)),
                              image.size());
            const double face = LuminanceBord(image);
            const double corps = LuminanceMoyenne(télécommande, place);
            const double contraste =
                (std::max(face, corps) + 0.05) / (std::min(face, corps) + 0.05);
            QVERIFY2(contraste >= 3, qPrintable(QString::number(contraste)));
        }
    }
};

QTEST_MAIN(TestLisibilite)
#include "tst_lisibilite.moc"
