#include "brouillage.h"
#include "frmAPropos.h"
#include "ouvre_adresse.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
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
    options.titre = u"A propos de KorvaneUpdate"_s;
    options.description = u"Une ligne.\nUne autre.."_s;
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

    void textes() {
        frmAPropos boîte(Options());
        QCOMPARE(boîte.windowTitle(), u"A propos de KorvaneUpdate"_s);
        QCOMPARE(boîte.txtDescription->toPlainText(), u"Une ligne.\nUne autre.."_s);
        QCOMPARE(boîte.lblAuteur->text(), u"Korvane"_s);
        QCOMPARE(boîte.lblSite->text(), u"https://www.korvane.example/renovo"_s);
        QCOMPARE(boîte.lblEmail->text(), u"contact@korvane.example"_s);
        QVERIFY(!boîte.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

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
        QCOMPARE(Couleur(boîte.lblEmail), bleu);
        Envoie(boîte.lblEmail, QEvent::MouseMove);
        QCOMPARE(Couleur(boîte.lblSite), bleu);
        QVERIFY(!boîte.lblSite->font().underline());
        QCOMPARE(Couleur(boîte.lblEmail), rouge);
        Envoie(boîte.lblAuteur, QEvent::MouseMove);
        QCOMPARE(Couleur(boîte.lblEmail), bleu);

        Envoie(boîte.lblEmail, QEvent::MouseMove);
        Envoie(boîte.lblEmail, QEvent::MouseButtonPress, Qt::LeftButton);
        Envoie(boîte.lblEmail, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(AdressesOuvertes().last(), QUrl(u"mailto:contact@korvane.example"_s));
        QCOMPARE(Couleur(boîte.lblEmail), bleu);
        Envoie(boîte.lblSite, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(AdressesOuvertes().last(), QUrl(u"https://www.korvane.example/renovo"_s));
    }

    // The window ends 120 twips below the description, or below the translator credit.
    void hauteur_data() {
        QTest::addColumn<QString>("traduitPar");
        QTest::addColumn<bool>("ajuste");
        QTest::newRow("no credit") << QString() << true;
        QTest::newRow("credit") << u"Traduit par Quelqu'un"_s << true;
    }
    void hauteur() {
        QFETCH(QString, traduitPar);
        QFETCH(bool, ajuste);
        OptionsAPropos options = Options();
        options.traduitPar = traduitPar;
        options.ajusteHauteur = ajuste;
        frmAPropos boîte(options);
        const int basDescription = boîte.txtDescription->geometry().bottom() + 1;
        const int crédit = traduitPar.isEmpty() ? 0 : boîte.lblTraduitPar->fontMetrics().height();
        QCOMPARE(boîte.height(), basDescription + crédit + 8);
        QCOMPARE(boîte.lblTraduitPar->isVisibleTo(&boîte), !traduitPar.isEmpty());
        if (!traduitPar.isEmpty())
            QVERIFY(boîte.lblTraduitPar->geometry().bottom() < boîte.height());
    }
};

QTEST_MAIN(TestAPropos)
#include "tst_a_propos.moc"
