#include "dialogs/a_propos_navelo.h"
#include "dialogs/frmSplashScreen.h"
#include "ouvre_adresse.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

QPixmap Image(QColor couleur) {
    QPixmap image(90, 26);
    image.fill(couleur);
    return image;
}

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
        QCOMPARE(splash.tmrMinuterie.interval(), 500);
        QVERIFY(splash.tmrMinuterie.isActive());
        QCOMPARE(splash.geometry().center(), QGuiApplication::primaryScreen()->geometry().center());

        // Showing returns only once the window can be seen.
        splash.show();
        QVERIFY(splash.windowHandle()->isExposed());
        for (const QString& points : {u""_s, u"."_s, u".."_s, u"..."_s, u""_s}) {
            splash.tmrMinuterie_Timer();
            QCOMPARE(splash.lblMessage->text(), base + points);
        }
    }

    // The donation picture: French at once, then English and French again, every 3 seconds.
    // A link turns red under the mouse, and opens its address.
    void aPropos() {
        const OptionsAPropos options =
            OptionsAProposNavelo(QIcon(), Image(Qt::blue), Image(Qt::red), true);
        frmAPropos boîte(options);
        QCOMPARE(boîte.timDonner.interval(), 3000);
        QVERIFY(boîte.timDonner.isActive());
        for (const QPixmap& attendue :
             {options.imageDonnerFR, options.imageDonnerEN, options.imageDonnerFR}) {
            QCOMPARE(boîte.imgDonner->pixmap().toImage(), attendue.toImage());
            boîte.timDonner_Timer();
        }

        Envoie(boîte.imgDonner, QEvent::MouseButtonPress, Qt::LeftButton);
        Envoie(boîte.imgDonner, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(AdressesOuvertes().last(), QUrl(u"https://www.korvane.example/don"_s));

        Envoie(boîte.lblEmail, QEvent::MouseMove);
        QCOMPARE(boîte.lblEmail->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(boîte.lblSite->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        Envoie(boîte.lblEmail, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(AdressesOuvertes().last(), QUrl(u"mailto:contact@korvane.example"_s));
        Envoie(boîte.lblSite, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(AdressesOuvertes().last(), QUrl(u"https://www.korvane.example/navelo"_s));
    }
};

QTEST_MAIN(TestFenetresNavelo)
#include "tst_fenetres_navelo.moc"
