#include "core/dessin_boutons.h"
#include "core/dessin_icone.h"
#include "core/dessin_telecommande.h"
#include "core/dessin_touches.h"
#include "guide/bouton_touche.h"
#include "guide/frmClavier.h"
#include "guide/frmListeChaines.h"

#include <QPainter>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

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

// Mean grey of the opaque pixels of `image` in `zone`, beyond `rayon` of its centre if given.
double Gris(const QImage& image, const QRect& zone, double rayon = 0) {
    double somme = 0;
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y) {
        for (int x = zone.left(); x <= zone.right(); ++x) {
            const QPointF d = QPointF(x + 0.5, y + 0.5) - QRectF(zone).center();
            if (qAlpha(image.pixel(x, y)) == 255 && std::hypot(d.x(), d.y()) >= rayon) {
                somme += qGray(image.pixel(x, y));
                ++n;
            }
        }
    }
    return somme / n;
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

    // The row of back, 0, swap and pip drawn in the columns of the rows above: the same key
    // edges across the rows of 7 and of back (tops 3510 and 3840 twips), above the labels.
    void rangeesAlignees() {
        for (double échelle : {1.0, 3.0}) {
            const QImage image = ImageTélécommande(5, échelle);
            const auto pixels = [&](int twips) { return qRound(twips * échelle / 15); };
            QList<int> bords[2];
            for (int r : {0, 1}) {
                bool sombre = false;
                for (int x = pixels(200); x <= pixels(2420); ++x) {
                    if ((qGray(image.pixel(x, pixels(3562 + 330 * r))) < 140) != sombre) {
                        bords[r].append(x);
                        sombre = !sombre;
                    }
                }
            }
            QCOMPARE(bords[0].size(), 8);
            QCOMPARE(bords[1], bords[0]);
        }
    }

    // A square tile, mostly opaque and colourful, at the sizes notification areas use.
    void iconeNotification() {
        for (int côté : {16, 22, 24}) {
            const QImage icône = IcôneFenêtres().pixmap(côté, côté).toImage();
            QCOMPARE(icône.size(), QSize(côté, côté));
            int opaques = 0, vives = 0;
            for (int y = 0; y < côté; ++y) {
                for (int x = 0; x < côté; ++x) {
                    const QColor c = icône.pixelColor(x, y);
                    opaques += c.alpha() > 200;
                    vives += c.alpha() > 200 && c.hsvSaturation() > 120 && c.value() > 150;
                }
            }
            QVERIFY2(opaques * 4 > côté * côté * 3, qPrintable(QString::number(opaques)));
            QVERIFY2(vives * 5 > côté * côté, qPrintable(QString::number(vives)));
        }
    }

    // Shown over the remote, the minimise and quit buttons' rims stand out from its body.
    void boutonsVisibles() {
        for (int modèle : {5, 6}) {
            const QImage télécommande = ImageTélécommande(modèle, 3);
            for (BoutonFenêtre bouton : {BoutonFenêtre::Réduire, BoutonFenêtre::Quitter}) {
                const QImage image = ImageBoutonFenêtre(bouton, modèle, false, 3).toImage();
                const QRect twips = ZoneBoutonFenêtre(bouton, modèle);
                const QRect place(twips.topLeft() / 5, image.size());
                const double écart =
                    Gris(image, image.rect(), image.width() * 0.36) - Gris(télécommande, place);
                QVERIFY2(qAbs(écart) > 60, qPrintable(QString::number(écart)));
            }
        }
    }

    // The channel list as wide as its logos need, even when a narrower size was remembered,
    // so that names keep the 196 pixels they have at the default logo size.
    void largeurListeChaines() {
        // 3735 twips, plus what the logos gain over their 35 pixels at 50 %.
        for (auto [logos, largeur] :
             {std::pair(25, 249), std::pair(50, 249), std::pair(200, 354)}) {
            ParamètresNavelo paramètres;
            paramètres.TailleLogos = static_cast<qint16>(logos);
            ExpéditeurTouches expéditeur(paramètres);
            frmListeChaînes fenêtre(paramètres, expéditeur, {});
            fenêtre.resize(120, 300);
            fenêtre.show();
            QCOMPARE(fenêtre.width(), largeur);
            const auto* liste = fenêtre.findChild<QTreeWidget*>(u"lvwChaînes"_s);
            QVERIFY(liste->columnWidth(0) - liste->iconSize().width() >= 196);
        }
    }
};

QTEST_MAIN(TestLisibilite)
#include "tst_lisibilite.moc"
