#include "boite_message.h"
#include "boitier_simule.h"
#include "core/frmNavelo.h"
#include "dialogs/frmConfiguration.h"
#include "dialogs/frmSplashScreen.h"
#include "frmAPropos.h"
#include "guide/frmClavier.h"
#include "guide/frmListeChaines.h"
#include "navelo_essai.h"
#include "proxy_local.h"
#include "quand_ouvert.h"
#include "traductions_qt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Two screens (see main), the primary one on the right of the other, as a second monitor made
// primary.
const QRect écranPrincipal(1920, 0, 1280, 1024);

// Centred within the frame (2 pixels here) that the system adds once the window shows.
bool CentréSur(const QRect& fenêtre, const QRect& autour) {
    const QPoint écart = fenêtre.center() - autour.center();
    return qAbs(écart.x()) <= 3 && qAbs(écart.y()) <= 3;
}

// A desktop style that gives dialog buttons icons, as many Linux desktops do.
class StyleAIcônes : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* retour) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, retour);
    }
};

const QPoint Centré(-1, -1);

const QByteArray préfixe = "http://hd1.freebox.fr/pub/remote_control?code=12345678&key=";

} // namespace

// The main window: keys, menu and windows around it, on two screens of chosen places: where
// its windows open, what shows above what, in French.
class TestFrmNavelo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), écranPrincipal);
        QVERIFY(ChargeTraductionsQt(u"fr"_s));
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
    }

    // At their first opening, unless the user put them somewhere: beside the remote.
    void fenetresVoisines_data() {
        QTest::addColumn<QString>("lignes");
        QTest::addColumn<int>("côté"); // 1 right of the remote, -1 left, 0 where remembered
        QTest::newRow("room on the right") << QString() << 1;
        QTest::newRow("at the right edge") << u"FenêtreGauche=45480\r\nFenêtreHaut=0"_s << -1;
        QTest::newRow("remembered")
            << u"FenêtreClavierGauche=30000\r\nFenêtreClavierHaut=1500\r\n"
               u"FenêtreListeChaînesGauche=30000\r\nFenêtreListeChaînesHaut=1500"_s
            << 0;
        // Beside the remote at 100 %, which has grown over them since.
        QTest::newRow("remembered, under the grown remote")
            << u"TailleFenêtrePrincipale=150\r\nFenêtreClavierGauche=39690\r\n"
               u"FenêtreClavierHaut=4500\r\nFenêtreListeChaînesGauche=39690\r\n"
               u"FenêtreListeChaînesHaut=12000"_s
            << 1;
    }

    void fenetresVoisines() {
        QFETCH(QString, lignes);
        QFETCH(int, côté);
        const auto fenêtre = essai->démarre(lignes);
        QVERIFY(fenêtre);
        QList<QRect> prises{fenêtre->frameGeometry()};
        // Opened one after the other, as a click on the notification icon shows them.
        for (QWidget* voisine : {static_cast<QWidget*>(fenêtre->Clavier()),
                                 static_cast<QWidget*>(fenêtre->ListeChaînes())}) {
            bool& affichée = voisine == fenêtre->Clavier()
                                 ? fenêtre->Paramètres().ClavierAffiché
                                 : fenêtre->Paramètres().ListeChaînesAffichée;
            affichée = true;
            fenêtre->AfficheFenêtres();
            const QRect place = voisine->frameGeometry();
            if (côté == 0) {
                QCOMPARE(place.topLeft(), QPoint(2000, 100));
                continue;
            }
            // Clear of the remote's keys and of each other, on one side, the first level with it.
            for (const QRect& prise : prises)
                QVERIFY(!place.intersects(prise));
            QCOMPARE(place.left() > prises.first().right(), côté > 0);
            QCOMPARE(place.top() == prises.first().top(), prises.size() == 1);
            QVERIFY(écranPrincipal.contains(place));
            prises.append(place);
        }
    }

    // Once running, dialogs open on the remote, or on the screen while it is put away.
    // Always on top, they are made so before they ever show, and still open centred.
    void dialoguesCentres_data() {
        QTest::addColumn<bool>("cachée");
        QTest::addColumn<QString>("lignes");
        QTest::newRow("remote shown") << false << QString();
        QTest::newRow("remote hidden") << true << QString();
        QTest::newRow("remote always on top") << false << u"FenêtreToujoursAuDessus=1"_s;
    }

    void dialoguesCentres() {
        QFETCH(bool, cachée);
        QFETCH(QString, lignes);
        const auto fenêtre = essai->démarre(lignes);
        QVERIFY(fenêtre);
        fenêtre->move(2100, 300);
        if (cachée)
            fenêtre->hide();
        const QRect attendu = cachée ? écranPrincipal : fenêtre->frameGeometry();
        for (const auto& ouvre : {std::function<void()>([&] { fenêtre->AfficheAPropos(); }),
                                  std::function<void()>([&] { fenêtre->Configure(true); })}) {
            QRect place;
            QuandOuvert([&](QWidget* dialogue) {
                place = dialogue->frameGeometry();
                dialogue->close();
            });
            ouvre();
            QVERIFY(CentréSur(place, attendu));
        }
    }

    // The channel list warning during the start-up: above the splash, in French, no icons.
    void message() {
        QApplication::setStyle(new StyleAIcônes);
        frmSplashScreen splash{QIcon()};
        splash.show();
        bool splashVisible = true;
        QRect place;
        QStringList textes; // "icon" for a button that has one
        QuandOuvert<QMessageBox>([&](QMessageBox* boîte) {
            splashVisible = splash.isVisible();
            place = boîte->frameGeometry();
            for (const QAbstractButton* bouton : boîte->buttons())
                textes.append(bouton->icon().isNull() ? bouton->text() : u"icon"_s);
            boîte->button(QMessageBox::No)->click();
        });
        QCOMPARE(AfficheMessage(&splash, QMessageBox::Warning, u"Attention"_s, u"?"_s,
                                QMessageBox::Yes | QMessageBox::No),
                 QMessageBox::No);
        QVERIFY(!splashVisible);
        QVERIFY(CentréSur(place, écranPrincipal));
        textes.sort();
        QCOMPARE(textes, QStringList({u"&Non"_s, u"&Oui"_s}));
    }

    void clics_data() {
        QTest::addColumn<QString>("lignes");
        QTest::addColumn<Qt::MouseButton>("bouton");
        QTest::addColumn<QList<int>>("index");
        QTest::addColumn<QList<QByteArray>>("clés");
        const auto ligne = [](const char* nom, const QString& lignes, const QList<int>& index,
                              const QList<QByteArray>& clés,
                              Qt::MouseButton bouton = Qt::LeftButton) {
            QTest::newRow(nom) << lignes << bouton << index << clés;
        };
        ligne("5", {}, {26, 44}, {"vol_inc", "home"});
        ligne("5, play toggles", {}, {42, 42, 42}, {"play", "pause", "play"});
        // Any button released over a model 5 key sends it; only the left one starts a hold.
        ligne("5, right button", {}, {24}, {"mute"}, Qt::RightButton);
        ligne("6", u"Version=6"_s, {44, 3}, {"home", "1"});
    }

    void clics() {
        QFETCH(QString, lignes);
        QFETCH(Qt::MouseButton, bouton);
        QFETCH(QList<int>, index);
        QFETCH(QList<QByteArray>, clés);
        const auto fenêtre = essai->démarre(lignes);
        QVERIFY(fenêtre);
        for (qsizetype i = 0; i < index.size(); ++i) {
            QTest::mouseClick(zone(*fenêtre, index.at(i)), bouton);
            QTRY_COMPARE(boitier.requêtes().size(), i + 1);
            QCOMPARE(boitier.requêtes().at(i).cible, préfixe + clés.at(i));
        }
        QTest::qWait(100);
        QCOMPARE(boitier.requêtes().size(), index.size());
    }

    void tailles_data() {
        QTest::addColumn<int>("modèle");
        QTest::addColumn<int>("taille");
        QTest::addColumn<QSize>("fenêtre");
        QTest::addColumn<QRectF>("okTwips");
        QTest::newRow("5 at 50 %")
            << 5 << 50 << QSize(84, 300) << QRectF(532.5, 2362.5, 232.5, 217.5);
        QTest::newRow("6 at 500 %")
            << 6 << 500 << QSize(570, 2980) << QRectF(2850, 17300, 2850, 2850);
    }

    void tailles() {
        QFETCH(int, modèle);
        QFETCH(int, taille);
        QFETCH(QRectF, okTwips);
        const auto fenêtre =
            essai->démarre(u"Version=%1\r\nTailleFenêtrePrincipale=%2"_s.arg(modèle).arg(taille));
        QVERIFY(fenêtre);
        QTEST(fenêtre->size(), "fenêtre");
        // Whole pixels: each edge within half a pixel of the exact place.
        const QRectF ok(zone(*fenêtre, 25)->geometry());
        const QRectF exact(okTwips.topLeft() / 15, okTwips.size() / 15);
        for (const qreal écart : {ok.x() - exact.x(), ok.y() - exact.y(),
                                  ok.width() - exact.width(), ok.height() - exact.height()})
            QVERIFY2(qAbs(écart) <= 0.5, qPrintable(QString::number(écart)));
        QCOMPARE(zone(*fenêtre, 2) != nullptr, modèle == 5);
    }

    // The picture's right button, as the icon's, opens the menu; "&Restaurer" only while the
    // remote is hidden. An icon event while the icon's menu is open is dropped; a left click
    // on the icon brings back the windows meant to be shown.
    void menu() {
        const auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        auto* icône = fenêtre->findChild<QSystemTrayIcon*>();
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
        auto* image = fenêtre->findChild<QLabel*>(u"imgTelkino"_s);
        QTest::mousePress(image, Qt::RightButton, {}, QPoint(image->width() / 2, 20));
        QCOMPARE(articles, QStringList({u"&A propos de...\tF1"_s, u"-"_s, u"&Configurer...\tF9"_s,
                                        u"-"_s, u"&Quitter"_s}));

        fenêtre->hide();
        QuandOuvert<QMenu>(note);
        Q_EMIT icône->activated(QSystemTrayIcon::Context);
        QVERIFY(!montréePendantLeMenu);
        QCOMPARE(articles.at(3), u"&Restaurer"_s);
        QVERIFY(fenêtre->isVisible());

        fenêtre->Paramètres().ClavierAffiché = true;
        fenêtre->hide();
        Q_EMIT icône->activated(QSystemTrayIcon::Trigger);
        QVERIFY(fenêtre->isVisible());
        QVERIFY(fenêtre->Clavier()->isVisible());
        QVERIFY(!fenêtre->ListeChaînes()->isVisible());

        QuandOuvert<QMenu>([](QMenu* menu) { Choisit(menu, u"&Quitter"_s); });
        QSignalSpy fin(fenêtre.get(), &frmNavelo::programEnded);
        fenêtre->MenuPopup();
        QCOMPARE(fin.size(), 1);
        QVERIFY(!icône->isVisible());
    }

    // The test platform has no notification area: minimising must leave the remote reachable.
    void reduireEtBoutons() {
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        const auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        auto* clavier = fenêtre->findChild<QWidget*>(u"picClavier"_s);
        clavier->show();
        QTest::mouseClick(clavier, Qt::LeftButton);
        QVERIFY(fenêtre->Paramètres().ClavierAffiché);
        QVERIFY(fenêtre->Clavier()->isVisible());

        auto* réduire = fenêtre->findChild<QWidget*>(u"picRéduire"_s);
        réduire->show();
        QTest::mouseClick(réduire, Qt::LeftButton);
        QVERIFY(fenêtre->isMinimized());
        QVERIFY(!fenêtre->Clavier()->isVisible());
        fenêtre->showNormal();
        QTRY_VERIFY(fenêtre->Clavier()->isVisible());
    }

    void premierDemarrage_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("modèle6");
        QTest::addColumn<bool>("démarré");
        QTest::addColumn<bool>("redémarré");
        QTest::newRow("cancelled") << QString() << false << false << false;
        QTest::newRow("code") << u"87654321"_s << false << true << false;
        QTest::newRow("code and model") << u"87654321"_s << true << false << true;
    }

    void premierDemarrage() {
        QFETCH(QString, code);
        QFETCH(bool, modèle6);
        QFETCH(bool, démarré);
        const auto fenêtre = essai->crée();
        bool avantLaFenêtre = false;
        bool splashVisible = true;
        QRect place;
        QuandOuvert<frmConfiguration>([&](frmConfiguration* dialogue) {
            avantLaFenêtre = !fenêtre->isVisible();
            splashVisible = false;
            for (const QWidget* w : QApplication::topLevelWidgets())
                splashVisible |= qobject_cast<const frmSplashScreen*>(w) && w->isVisible();
            place = dialogue->frameGeometry();
            dialogue->txtCodeTélécommande->setText(code);
            dialogue->optVersion.value(modèle6 ? 6 : 5)->click();
            (code.isEmpty() ? dialogue->btnAnnuler : dialogue->btnOK)->click();
        });
        QCOMPARE(fenêtre->Form_Load(), démarré);
        QVERIFY(avantLaFenêtre);
        // Over nothing, centred on the primary screen.
        QVERIFY(!splashVisible);
        QVERIFY(CentréSur(place, écranPrincipal));
        QCOMPARE(fenêtre->isVisible(), démarré);
        // Settings reach the file at the end only, never when no code was given.
        if (démarré)
            fenêtre->close();
        const QString contenu = essai->litIni();
        QCOMPARE(contenu.contains(u"CodeTélécommande=87654321\r\n"_s), !code.isEmpty());
        QCOMPARE(contenu.contains(u"Version=6"_s), modèle6);
        QCOMPARE(contenu.contains(u"FenêtreGauche"_s), démarré);
        QTEST(essai->lancés == QStringList{QCoreApplication::applicationFilePath()}, "redémarré");
    }

    // Start-up places: centred by default, where they were left, or brought back onto the
    // screen; a model 6 run keeps the channel list's design size. Positions are written back
    // only when remembered, and unchanged settings never are. Model 5 at 100 % is 168 x 600,
    // at 300 % 504 x 1800 (twips are 15 to the pixel).
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
        const auto remote = [&](const char* nom, const QString& lignes, QPoint place) {
            QTest::newRow(nom) << lignes << place << Centré << QRect(Centré, design) << true;
        };
        remote("taller than the screen: its top shows", u"TailleFenêtrePrincipale=300"_s,
               {2308, 0});
        remote("bigger since last time: back above the bottom",
               u"TailleFenêtrePrincipale=150\r\nFenêtreGauche=30000\r\nFenêtreHaut=3000"_s,
               {2000, 124});
        remote("across two screens: onto the one it covers most",
               u"FenêtreGauche=28500\r\nFenêtreHaut=0"_s, {1920, 0});
        remote("beyond every screen: onto the nearest",
               u"FenêtreGauche=-6000\r\nFenêtreHaut=18000"_s, {0, 480});
    }

    void placement() {
        QFETCH(QString, lignes);
        QFETCH(QPoint, remote);
        QFETCH(QPoint, clavier);
        QFETCH(QRect, liste);
        QFETCH(bool, écrites);
        const auto fenêtre = essai->démarre(lignes);
        QVERIFY(fenêtre);
        const QRect écran = QGuiApplication::primaryScreen()->geometry();
        const auto vérifie = [&](QWidget* w, QPoint attendu) {
            const QPoint centre = écran.center() - w->rect().center();
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

    // Over the remote the window buttons show (keyboard and channel list only on model 5);
    // away from the remote they hide.
    void survol_data() {
        QTest::addColumn<int>("modèle");
        QTest::newRow("5") << 5;
        QTest::newRow("6") << 6;
    }

    void survol() {
        QFETCH(int, modèle);
        const auto fenêtre = essai->démarre(u"Version=%1"_s.arg(modèle));
        QVERIFY(fenêtre);
        const auto visibles = [&] {
            QList<bool> v;
            for (const char16_t* nom :
                 {u"picRéduire", u"picQuitter", u"picClavier", u"picListeChaînes"})
                v.append(fenêtre->findChild<QWidget*>(QString::fromUtf16(nom))->isVisible());
            return v;
        };
        QCursor::setPos(zone(*fenêtre, 25)->mapToGlobal(QPoint(5, 5)));
        QTRY_COMPARE(visibles(), (QList<bool>{true, true, modèle == 5, modèle == 5}));
        QCursor::setPos(fenêtre->geometry().bottomRight() + QPoint(50, 50));
        QTRY_COMPARE(visibles(), (QList<bool>{false, false, false, false}));
    }

    // Dragging the remote moves the keyboard and channel list with it, shown or not.
    void glissement() {
        const auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        fenêtre->Clavier()->show();
        const auto places = [&] {
            return QList{fenêtre->pos(), fenêtre->Clavier()->pos(), fenêtre->ListeChaînes()->pos()};
        };
        const QList<QPoint> avant = places();
        auto* image = fenêtre->findChild<QLabel*>(u"imgTelkino"_s);
        const QPoint point(image->width() / 2, 20), écart(30, 40);
        QTest::mousePress(image, Qt::LeftButton, {}, point);
        QTest::mouseMove(image, point + écart);
        QTest::mouseRelease(image, Qt::LeftButton, {}, point + écart);
        QCOMPARE(places(), (QList{avant[0] + écart, avant[1] + écart, avant[2] + écart}));
    }

    // The menu's About box and configuration; the configuration's always-on-top takes effect
    // at once from the menu, while F9 then Cancel changes nothing.
    void aProposEtConfiguration() {
        const auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
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
        QVERIFY(fenêtre->isVisible());

        QuandOuvert<QMenu>([](QMenu* menu) { Choisit(menu, u"&Configurer...\tF9"_s); });
        configure(&frmConfiguration::btnOK);
        fenêtre->MenuPopup();
        QVERIFY(fenêtre->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(fenêtre->isVisible());
        fenêtre->close();
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
        QVERIFY(!seconde->isVisible());
        QCOMPARE(fin.size(), 0);
    }

    // Caps Lock on the remote also switches the keyboard window's captions.
    void majuscules() {
        const auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        QTest::keyClick(fenêtre.get(), Qt::Key_CapsLock);
        QTRY_COMPARE(boitier.requêtes().size(), 1);
        QCOMPARE(boitier.requêtes().at(0).cible, préfixe + "swap"_ba);
        QVERIFY(fenêtre->Clavier()->Majuscules());
    }

    // Closing the remote during a zap sends no further digit.
    void fermetureDuranteUnZap() {
        const auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        frmListeChaînes* liste = fenêtre->ListeChaînes();
        liste->définitPauseZap(std::chrono::milliseconds(200));
        liste->Form_Load();
        auto* lvw = liste->findChild<QTreeWidget*>();
        QTreeWidgetItem* élément = nullptr;
        for (int i = 0; !élément && i < lvw->topLevelItemCount(); ++i) {
            if (lvw->topLevelItem(i)->data(0, Qt::UserRole).toString().trimmed().size() >= 2)
                élément = lvw->topLevelItem(i);
        }
        QVERIFY(élément);
        lvw->setCurrentItem(élément);
        QTimer::singleShot(100, fenêtre.get(), &QWidget::close);
        Q_EMIT lvw->itemDoubleClicked(élément, 0);
        QTest::qWait(300);
        QCOMPARE(boitier.requêtes().size(), 1);
    }

private:
    QWidget* zone(frmNavelo& fenêtre, int index) const {
        const QString modèle = fenêtre.Paramètres().Version == 6 ? u"V6"_s : u"V5"_s;
        return fenêtre.findChild<QWidget*>(u"imgTouche%1[%2]"_s.arg(modèle).arg(index));
    }

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
