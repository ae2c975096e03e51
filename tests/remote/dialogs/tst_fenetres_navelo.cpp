#include "dialogs/a_propos_navelo.h"
#include "dialogs/frmSplashScreen.h"
#include "version.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

using namespace Qt::StringLiterals;

class TestFenetresNavelo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(u"Navelo"_s); }

    void splash() {
        frmSplashScreen splash{QIcon()};
        const QString base = u"Veuillez patienter pendant l'initialisation svp"_s;
        QCOMPARE(splash.lblMessage->text(), base + u"..."_s);
        QCOMPARE(splash.tmrMinuterie.interval(), 500);
        QVERIFY(splash.tmrMinuterie.isActive());
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(splash.geometry().center(), QGuiApplication::primaryScreen()->geometry().center());

        // Showing returns only once the window can be seen.
        splash.show();
        QVERIFY(splash.windowHandle()->isExposed());

        const QString suite[] = {base, base + u"."_s, base + u".."_s, base + u"..."_s, base};
        for (const QString& attendu : suite) {
            splash.tmrMinuterie_Timer();
            QCOMPARE(splash.lblMessage->text(), attendu);
        }
    }

    void aPropos() {
        frmAPropos boîte(OptionsAProposNavelo(QIcon(), QPixmap(), QPixmap(), true));
        QCOMPARE(boîte.windowTitle(), u"A propos de "_s + TitreEtVersion());
        QCOMPARE(boîte.txtDescription->toPlainText(),
                 u"Ce petit outil permet de piloter le boitier HD de la Freebox en se substituant "
                 u"\nà la télécommande.\n\nBref, c'est un vrai gadget !"_s);
        QCOMPARE(boîte.lblSite->text(), u"https://www.korvane.example/navelo"_s);
        QVERIFY(boîte.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        boîte.show();
        QVERIFY(QTest::qWaitForWindowActive(&boîte));
        QCOMPARE(QApplication::focusWidget(), boîte.btnOK);
    }
};

QTEST_MAIN(TestFenetresNavelo)
#include "tst_fenetres_navelo.moc"
