#include "boite_message.h"
#include "boitier_simule.h"
#include "core/frmNavelo.h"
#include "core/raccourcis.h"
#include "dialogs/frmConfiguration.h"
#include "dialogs/frmSplashScreen.h"
#include "frmAPropos.h"
#include "guide/frmClavier.h"
#include "guide/frmListeChaines.h"
#include "navelo_essai.h"
#include "proxy_local.h"
#include "quand_ouvert.h"
#include "traductions_qt.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

// Two screens (see main), the primary one on the right, as a second monitor made primary.
const QRect écranPrincipal(1920, 0, 1280, 1024);

const QPoint Centré(-1, -1);

const QByteArray préfixe = "http://hd1.freebox.fr/pub/remote_control?code=12345678&key=";

} // namespace

// The main window on two screens: its keys, menu, dialogs and places, in French.
class TestFrmNavelo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), écranPrincipal);
        QVERIFY(ChargeTraductionsQt(u"fr"_s));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), u"&Non"_s);
        qputenv("TMPDIR", temporaire.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", temporaire.path().toLocal8Bit());
        QCoreApplication::setApplicationName(u"Navelo"_s);
        QCoreApplication::setApplicationVersion(u"1.2.3"_s);
        QVERIFY(boitier.écoute() != 0);
        ProxyLocal(boitier.port());
    }

    void init() {
        essai = std::make_unique<NaveloEssai>();
        boitier.oublieRequêtes();
        OublieMessages();
    }

    // Any button released over a key sends it, only the left one starting a hold; Caps Lock
    // (Windows key code 20) also switches the keyboard's captions.
    void touches() {
        const auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        for (const auto& [index, bouton] : {std::pair(44, Qt::LeftButton), {24, Qt::RightButton}}) {
            auto* touche = fenêtre->findChild<QWidget*>(u"imgToucheV5[%1]"_s.arg(index));
            QVERIFY(touche);
            QTest::mouseClick(touche, bouton);
            QTRY_COMPARE(boitier.requêtes().size(), index == 44 ? 1 : 2);
        }
        QTest::keyClick(fenêtre.get(), Qt::Key_CapsLock);
        QTRY_COMPARE(boitier.requêtes().size(), 3);
        QTest::qWait(100);
        QByteArrayList cibles;
        for (const RequeteRecue& requête : boitier.requêtes())
            cibles.append(requête.cible);
        QCOMPARE(cibles, (QByteArrayList{préfixe + "home", préfixe + "mute", préfixe + "swap"}));
        QVERIFY(fenêtre->Clavier()->Majuscules());
    }

    // The picture's right button, as the icon's, opens the menu ("&Restaurer" while hidden);
    // always-on-top applies at OK, F9 then Cancel changes nothing. An icon event during the
    // icon's menu is dropped; a left click on the icon brings back the windows to be shown.
    void menu() {
        const auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        auto* icône = fenêtre->findChild<QSystemTrayIcon*>();
        auto* image = fenêtre->findChild<QLabel*>(u"imgTelkino"_s);
        QVERIFY(icône && image);
        QStringList articles;
        bool montréePendantLeMenu = false;
        const auto note = [&](QMenu* menu) {
            articles.clear();
            for (const QAction* action : menu->actions())
                articles.append(action->isSeparator() ? u"-"_s : action->text());
            Q_EMIT icône->activated(QSystemTrayIcon::Trigger);
            montréePendantLeMenu = fenêtre->isVisible();
            Choisit(menu, u"&Restaurer"_s);
        };
        QuandOuvert<QMenu>(note);
        QTest::mousePress(image, Qt::RightButton, {}, QPoint(image->width() / 2, 20));
        QCOMPARE(articles, QStringList({u"&A propos de...\tF1"_s, u"-"_s, u"&Configurer...\tF9"_s,
                                        u"-"_s, u"&Quitter"_s}));

        QString titre;
        QuandOuvert<QMenu>([](QMenu* menu) { Choisit(menu, u"&A propos de...\tF1"_s); });
        QuandOuvert<frmAPropos>([&](frmAPropos* boîte) {
            titre = boîte->windowTitle();
            boîte->btnOK->click();
        });
        fenêtre->MenuPopup();
        QCOMPARE(titre, u"A propos de Navelo v1.2.3"_s);

        const auto configure = [&](QPushButton* frmConfiguration::*bouton) {
            QuandOuvert<frmConfiguration>([bouton](frmConfiguration* dialogue) {
                dialogue->chkFenêtreToujoursAuDessus->click();
                (dialogue->*bouton)->click();
            });
        };
        configure(&frmConfiguration::btnAnnuler);
        QTest::keyClick(fenêtre.get(), Qt::Key_F9);
        QVERIFY(!fenêtre->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!fenêtre->Paramètres().ParamètresModifiés);

        QuandOuvert<QMenu>([](QMenu* menu) { Choisit(menu, u"&Configurer...\tF9"_s); });
        configure(&frmConfiguration::btnOK);
        fenêtre->MenuPopup();
        QVERIFY(fenêtre->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        fenêtre->hide();
        QuandOuvert<QMenu>(note);
        Q_EMIT icône->activated(QSystemTrayIcon::Context);
        QVERIFY(!montréePendantLeMenu);
        QCOMPARE(articles.value(3), u"&Restaurer"_s);
        QVERIFY(fenêtre->isVisible());

        fenêtre->Paramètres().ClavierAffiché = true;
        fenêtre->hide();
        Q_EMIT icône->activated(QSystemTrayIcon::Trigger);
        QVERIFY(fenêtre->isVisible());
        QVERIFY(fenêtre->Clavier()->isVisible());
        QVERIFY(!fenêtre->Clavier()->frameGeometry().intersects(fenêtre->frameGeometry()));

        QuandOuvert<QMenu>([](QMenu* menu) { Choisit(menu, u"&Quitter"_s); });
        QSignalSpy fin(fenêtre.get(), &frmNavelo::programEnded);
        fenêtre->MenuPopup();
        QCOMPARE(fin.size(), 1);
        QVERIFY(!icône->isVisible());
        QVERIFY(essai->lancés.isEmpty());
    }

    void premierDemarrage_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("modèle6");   // a restart instead of the window
        QTest::addColumn<bool>("sansListe"); // the user gives up at the channel list warning
        QTest::newRow("cancelled") << QString() << false << false;
        QTest::newRow("code") << u"87654321"_s << false << false;
        QTest::newRow("code and model") << u"87654321"_s << true << false;
        QTest::newRow("code, no list") << u"87654321"_s << false << true;
    }

    void premierDemarrage() {
        QFETCH(QString, code);
        QFETCH(bool, modèle6);
        QFETCH(bool, sansListe);
        const bool démarré = !code.isEmpty() && !modèle6 && !sansListe;
        if (sansListe) {
            QVERIFY(QFile::remove(essai->dossier.filePath(u"channels"_s)));
            RéponsesSuivantes({QMessageBox::No});
        }
        const auto fenêtre = essai->crée();
        bool avantLaFenêtre = false;
        bool splashVisible = true;
        QuandOuvert<frmConfiguration>([&](frmConfiguration* dialogue) {
            avantLaFenêtre = !fenêtre->isVisible();
            splashVisible = false;
            for (const QWidget* w : QApplication::topLevelWidgets())
                splashVisible |= qobject_cast<const frmSplashScreen*>(w) && w->isVisible();
            dialogue->txtCodeTélécommande->setText(code);
            QRadioButton* version = dialogue->optVersion.value(modèle6 ? 6 : 5);
            QVERIFY(version);
            version->click();
            (code.isEmpty() ? dialogue->btnAnnuler : dialogue->btnOK)->click();
        });
        QCOMPARE(fenêtre->Form_Load(), démarré);
        QVERIFY(avantLaFenêtre);
        QVERIFY(!splashVisible);
        QCOMPARE(fenêtre->isVisible(), démarré);
        QCOMPARE(MessagesAffichés().size(), int(sansListe));
        // The code reaches the file at OK, whatever follows; the places at the end.
        if (démarré)
            fenêtre->close();
        const QString contenu = essai->litIni();
        QCOMPARE(contenu.contains(u"CodeTélécommande=87654321\r\n"_s), !code.isEmpty());
        QCOMPARE(contenu.contains(u"Version=6"_s), modèle6);
        QCOMPARE(contenu.contains(u"FenêtreGauche"_s), démarré);
        QCOMPARE(essai->lancés == QStringList{QCoreApplication::applicationFilePath()}, modèle6);
    }

    // Start-up places: centred, as left, or back onto the screen; a model 6 run keeps the list's
    // design size. Places written back only when remembered, unchanged settings never.
    void placement_data() {
        QTest::addColumn<QString>("lignes");
        QTest::addColumn<QPoint>("remote");  // null: centred
        QTest::addColumn<QPoint>("clavier"); // null: centred
        QTest::addColumn<QRect>("liste");    // null corner: centred
        QTest::addColumn<bool>("écrites");
        const QSize design(249, 422);
        QTest::newRow("remembered")
            << u"FenêtreGauche=1500\r\nFenêtreHaut=750\r\nFenêtreClavierGauche=3000\r\n"
               "FenêtreClavierHaut=1500\r\nFenêtreListeChaînesGauche=4500\r\n"
               "FenêtreListeChaînesHaut=3000\r\nFenêtreListeChaînesLargeur=4500\r\n"
               "FenêtreListeChaînesHauteur=6000"_s
            << QPoint(100, 50) << QPoint(200, 100) << QRect(300, 200, 300, 400) << true;
        QTest::newRow("model 6, sizes 0")
            << u"Version=6\r\nFenêtreListeChaînesLargeur=0\r\nFenêtreListeChaînesHauteur=0"_s
            << Centré << QPoint(0, 0) << QRect(0, 0, 249, 422) << true;
        QTest::newRow("not remembered") << u"MémoriserPositionFenêtre=0"_s << Centré << Centré
                                        << QRect(Centré, design) << false;
        QTest::newRow("list larger than its screen")
            << u"FenêtreListeChaînesGauche=30000\r\nFenêtreListeChaînesHaut=1500\r\n"
               "FenêtreListeChaînesLargeur=1000000000\r\nFenêtreListeChaînesHauteur=90000"_s
            << Centré << Centré << QRect(1920, 0, 1280, 1024) << true;
    }

    void placement() {
        QFETCH(QString, lignes);
        QFETCH(QPoint, remote);
        QFETCH(QPoint, clavier);
        QFETCH(QRect, liste);
        QFETCH(bool, écrites);
        const auto fenêtre = essai->démarre(lignes);
        QVERIFY(fenêtre);
        const auto vérifie = [&](QWidget* w, QPoint attendu) {
            const QPoint centre = écranPrincipal.center() - w->rect().center();
            const QPoint écart = w->pos() - (attendu == Centré ? centre : attendu);
            QVERIFY2(écart.manhattanLength() <= 2, qPrintable(w->windowTitle()));
        };
        vérifie(fenêtre.get(), remote);
        vérifie(fenêtre->Clavier(), clavier);
        vérifie(fenêtre->ListeChaînes(), liste.topLeft());
        QCOMPARE(fenêtre->ListeChaînes()->size(), liste.size());

        fenêtre->close();
        const QString écrit = essai->litIni();
        QCOMPARE(écrit.contains(u"FenêtreListeChaînesLargeur=%1\r\n"_s.arg(liste.width() * 15)),
                 écrites);
        QVERIFY(!écrit.contains(u"Hd=1"_s));
        QVERIFY(essai->lancés.isEmpty());
    }

    void secondDemarrageReveilleLePremier() {
        const auto première = essai->démarre();
        QVERIFY(première);
        première->hide();
        const auto seconde = essai->crée();
        QSignalSpy fin(seconde.get(), &frmNavelo::programEnded);
        QVERIFY(!seconde->Form_Load());
        QVERIFY(première->isVisible());
        QCOMPARE(fin.size(), 0);
    }

    // Closing the remote during a zap sends no further digit.
    void fermetureDuranteUnZap() {
        const auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        frmListeChaînes* liste = fenêtre->ListeChaînes();
        liste->définitPauseZap(std::chrono::milliseconds(200));
        liste->Form_Load();
        auto* lvw = liste->findChild<QTreeWidget*>();
        QVERIFY(lvw);
        const auto éléments = lvw->findItems(u"12. Nature Quartz"_s, Qt::MatchExactly);
        QCOMPARE(éléments.size(), 1);
        lvw->setCurrentItem(éléments[0]);
        QTimer::singleShot(100, fenêtre.get(), &QWidget::close);
        Q_EMIT lvw->itemDoubleClicked(éléments[0], 0);
        QTest::qWait(300);
        QCOMPARE(boitier.requêtes().size(), 1);
    }

private:
    BoitierSimule boitier;
    QTemporaryDir temporaire;
    std::unique_ptr<NaveloEssai> essai;
};

int main(int argc, char* argv[]) {
    // The platform sorts the screens by name and makes the first one the primary one.
    QTemporaryFile écrans;
    if (!écrans.open())
        return 1;
    écrans.write(R"({"screens": [
        {"name": "A", "x": 1920, "y": 0, "width": 1280, "height": 1024, "logicalDpi": 96},
        {"name": "B", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96}]})");
    écrans.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(écrans.fileName()));
    QApplication application(argc, argv);
    TestFrmNavelo test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frmNavelo.moc"
