#include "brouillage.h"
#include "frmAPropos.h"
#include "ouvre_adresse.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QPixmap Image(QColor couleur) {
    QPixmap image(90, 26);
    image.fill(couleur);
    return image;
}

OptionsAPropos Options() {
    OptionsAPropos options;
    options.siteBrouillé = EmbrouilleTexte(u"https://www.korvane.example/renovo"_s);
    options.imageDonnerFR = Image(Qt::blue);
    options.imageDonnerEN = Image(Qt::red);
    return options;
}

void Envoie(QWidget* contrôle, QEvent::Type type, Qt::MouseButton bouton = Qt::NoButton) {
    const QPointF point(2, 2);
    QMouseEvent souris(type, point, contrôle->mapToGlobal(point), bouton,
                       type == QEvent::MouseButtonPress ? bouton : Qt::NoButton, {});
    QCoreApplication::sendEvent(contrôle, &souris);
}

QColor Couleur(const QLabel* lien) {
    return lien->palette().color(QPalette::WindowText);
}

} // namespace

class TestAPropos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { EnregistreAdressesSansOuvrir(); }

    // French at once, then English and French again, every 3 seconds.
    void donner() {
        const OptionsAPropos options = Options();
        frmAPropos boîte(options);
        QCOMPARE(boîte.timDonner.interval(), 3000);
        QVERIFY(boîte.timDonner.isActive());
        for (const QPixmap& attendue :
             {options.imageDonnerFR, options.imageDonnerEN, options.imageDonnerFR}) {
            QCOMPARE(boîte.imgDonner->pixmap().toImage(), attendue.toImage());
            boîte.timDonner_Timer();
        }

        const QPoint place = boîte.imgDonner->pos();
        Envoie(boîte.imgDonner, QEvent::MouseButtonPress, Qt::LeftButton);
        QCOMPARE(boîte.imgDonner->pos(), place + QPoint(1, 1));
        Envoie(boîte.imgDonner, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(boîte.imgDonner->pos(), place);
        QCOMPARE(AdressesOuvertes().last(), QUrl(u"https://www.korvane.example/don"_s));
    }

    void liens_data() {
        QTest::addColumn<bool>("souligne");
        QTest::newRow("Navelo") << false;
        QTest::newRow("Renovo") << true;
    }
    void liens() {
        QFETCH(bool, souligne);
        OptionsAPropos options = Options();
        options.lienSouligné = souligne;
        frmAPropos boîte(options);
        const QColor rouge(255, 0, 0), bleu(0, 0, 255);
        QCOMPARE(Couleur(boîte.lblSite), bleu);
        Envoie(boîte.lblSite, QEvent::MouseMove);
        QCOMPARE(Couleur(boîte.lblSite), rouge);
        QCOMPARE(boîte.lblSite->font().underline(), souligne);
        Envoie(boîte.lblEmail, QEvent::MouseMove);
        QCOMPARE(Couleur(boîte.lblSite), bleu);
        QVERIFY(!boîte.lblSite->font().underline());
        QCOMPARE(Couleur(boîte.lblEmail), rouge);

        Envoie(boîte.lblEmail, QEvent::MouseButtonPress, Qt::LeftButton);
        Envoie(boîte.lblEmail, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(AdressesOuvertes().last(), QUrl(u"mailto:contact@korvane.example"_s));
        QCOMPARE(Couleur(boîte.lblEmail), bleu);
        Envoie(boîte.lblSite, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(AdressesOuvertes().last(), QUrl(u"https://www.korvane.example/renovo"_s));
    }
};

QTEST_MAIN(TestAPropos)
#include "tst_a_propos.moc"
