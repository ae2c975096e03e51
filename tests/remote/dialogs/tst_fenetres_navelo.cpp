#include "dialogs/a_propos_navelo.h"
#include "dialogs/frmSplashScreen.h"
#include "ouvre_adresse.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

void Envoie(QWidget* contrôle, QEvent::Type type, Qt::MouseButton bouton = Qt::NoButton) {
    const QPointF point(2, 2);
    QMouseEvent souris(type, point, contrôle->mapToGlobal(point), bouton,
                       type == QEvent::MouseButtonPress ? bouton : Qt::NoButton, {});
    QCoreApplication::sendEvent(contrôle, &souris);
}

} // namespace

// The splash screen, and the About box through Navelo's copy.
class TestFenetresNavelo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QCoreApplication::setApplicationName(u"Navelo"_s);
        EnregistreAdressesSansOuvrir();
    }

    void splash() {
        frmSplashScreen splash{QIcon()};
        const QString base = u"Veuillez patienter pendant l'initialisation svp"_s;
        QCOMPARE(splash.lblMessage->text(), base + u"..."_s);
        QCOMPARE(splash.geometry().center(), QGuiApplication::primaryScreen()->geometry().center());

        // Showing returns only once the window can be seen.
        splash.show();
        QVERIFY(splash.windowHandle()->isExposed());
        for (const QString& points : {u""_s, u"."_s, u".."_s, u"..."_s, u""_s}) {
            splash.tmrMinuterie_Timer();
            QCOMPARE(splash.lblMessage->text(), base + points);
        }
    }

    // Title and description; a link turns red under the mouse, the other blue, and opens its
    // address.
    void aPropos() {
        QCoreApplication::setApplicationVersion(u"1.2.0"_s);
        frmAPropos boîte(OptionsAProposNavelo(QIcon(), QPixmap(90, 26), QPixmap(90, 26), true));
        QCOMPARE(boîte.windowTitle(), u"A propos de Navelo v1.2"_s);
        QCOMPARE(boîte.txtDescription->toPlainText(),
                 u"Ce petit outil permet de piloter le boitier HD de la Freebox en se substituant "
                 u"\nà la télécommande.\n\nBref, c'est un vrai gadget !"_s);
        Envoie(boîte.imgDonner, QEvent::MouseButtonPress, Qt::LeftButton);
        Envoie(boîte.imgDonner, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(AdressesOuvertes().last(), QUrl(u"https://www.korvane.example/don"_s));

        const auto couleurs = [&boîte] {
            return std::pair(boîte.lblSite->palette().color(QPalette::WindowText),
                             boîte.lblEmail->palette().color(QPalette::WindowText));
        };
        const QColor rouge(255, 0, 0), bleu(0, 0, 255);
        QCOMPARE(couleurs(), std::pair(bleu, bleu));
        Envoie(boîte.lblSite, QEvent::MouseMove);
        QCOMPARE(couleurs(), std::pair(rouge, bleu));
        Envoie(boîte.lblEmail, QEvent::MouseMove);
        QCOMPARE(couleurs(), std::pair(bleu, rouge));
        Envoie(boîte.lblEmail, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(AdressesOuvertes().last(), QUrl(u"mailto:contact@korvane.example"_s));
        Envoie(boîte.lblSite, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(AdressesOuvertes().last(), QUrl(u"https://www.korvane.example/navelo"_s));
        QCOMPARE(couleurs(), std::pair(bleu, bleu));
    }
};

QTEST_MAIN(TestFenetresNavelo)
#include "tst_fenetres_navelo.moc"
