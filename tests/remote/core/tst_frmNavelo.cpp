#include "ansi.h"
#include "boitier_simule.h"
#include "core/frmNavelo.h"
#include "dialogs/frmConfiguration.h"
#include "guide/frmClavier.h"
#include "guide/frmListeChaines.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Lancement {
    QString programme;
    QStringList arguments;
    ModeAffichage mode;
};

constexpr auto préfixe = "http://hd1.freebox.fr/pub/remote_control?code=12345678&key=";

// Runs `action` on the next popup menu that opens, once it is open.
void QuandMenuOuvert(const std::function<void(QMenu*)>& action) {
    auto* attente = new QTimer;
    attente->setInterval(20);
    QObject::connect(attente, &QTimer::timeout, [attente, action] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            attente->stop();
            attente->deleteLater();
            action(menu);
        }
    });
    attente->start();
}

// Runs `action` on the next modal dialog, once it is open.
void QuandDialogueOuvert(const std::function<void(QWidget*)>& action) {
    auto* attente = new QTimer;
    attente->setInterval(20);
    QObject::connect(attente, &QTimer::timeout, [attente, action] {
        if (QWidget* dialogue = QApplication::activeModalWidget()) {
            attente->stop();
            attente->deleteLater();
            action(dialogue);
        }
    });
    attente->start();
}

// Picks an item the way a user does, so that the menu returns it.
void Choisit(QMenu* menu, const QString& texte) {
    for (QAction* action : menu->actions()) {
        if (action->text() == texte) {
            menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
            return;
        }
    }
    menu->close();
}

QStringList Articles(QMenu* menu) {
    QStringList textes;
    for (const QAction* action : menu->actions())
        textes.append(action->isSeparator() ? u"-"_s : action->text());
    return textes;
}

} // namespace

class TestFrmNavelo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void clics_data();
    void clics();
    void appuiLongModele5();
    void repetitionModele6();
    void lecturePause();
    void boutonDroitModele5();
    void tailles_data();
    void tailles();
    void accessibilite();

    void menu();
    void menuDuBoutonDroit();
    void aPropos();
    void configuration_data();
    void configuration();
    void iconeSansReentree();
    void survol_data();
    void survol();
    void glissement();
    void reduireSansZoneDeNotification();
    void fenetresAuxiliaires();

    void premierDemarrageAnnule();
    void premierDemarrageAvecRedemarrage();
    void premierDemarrageSansRedemarrage();
    void fermetureSansMemoriser();
    void fermetureEcritTout();
    void positionHorsEcranRamenee();
    void secondDemarrageReveilleLePremier();

private:
    void écritIni(const QString& lignes);
    QString litIni() const;
    // A main window with settings of its own; started when the settings hold a code.
    std::unique_ptr<frmNavelo> crée();
    std::unique_ptr<frmNavelo> démarre(const QString& lignes);
    QWidget* zone(frmNavelo& fenêtre, int index) const;

    BoitierSimule boitier;
    QTemporaryDir temporaire;
    std::unique_ptr<QTemporaryDir> dossier;
    QList<Lancement> lancements;
    int numéro = 0;
};

void TestFrmNavelo::initTestCase() {
    QVERIFY(boitier.écoute() != 0);
    qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(boitier.port()));
    qunsetenv("no_proxy");
    // Instances listen in a folder of this test's own.
    qputenv("TMPDIR", temporaire.path().toLocal8Bit());
    QCoreApplication::setApplicationName(u"Navelo"_s);
    QCoreApplication::setApplicationVersion(u"1.2.3"_s);
}

void TestFrmNavelo::init() {
    dossier = std::make_unique<QTemporaryDir>();
    lancements.clear();
    boitier.oublieRequêtes();
}

void TestFrmNavelo::cleanup() {
    // A failed test may leave a dialog or a menu open.
    while (QWidget* reste = QApplication::activeModalWidget())
        reste->close();
}

void TestFrmNavelo::écritIni(const QString& lignes) {
    QFile f(dossier->filePath(u"Navelo.ini"_s));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(EnAnsi(QString(u"[Config]\r\n"_s + lignes + u"\r\n"_s)));
}

QString TestFrmNavelo::litIni() const {
    QFile f(dossier->filePath(u"Navelo.ini"_s));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return DepuisAnsi(f.readAll());
}

std::unique_ptr<frmNavelo> TestFrmNavelo::crée() {
    OptionsNavelo options;
    options.dossierParamètres = dossier->path();
    options.nomInstance = u"navelo-test-%1"_s.arg(++numéro);
    options.lanceur = [this](const QString& programme, const QStringList& arguments,
                             ModeAffichage mode) {
        lancements.append({programme, arguments, mode});
        return true;
    };
    return std::make_unique<frmNavelo>(options);
}

std::unique_ptr<frmNavelo> TestFrmNavelo::démarre(const QString& lignes) {
    écritIni(u"CodeTélécommande=12345678\r\n"_s + lignes);
    std::unique_ptr<frmNavelo> fenêtre = crée();
    if (!fenêtre->Form_Load())
        return nullptr;
    return fenêtre;
}

QWidget* TestFrmNavelo::zone(frmNavelo& fenêtre, int index) const {
    const QString modèle = fenêtre.Paramètres().Version == 6 ? u"V6"_s : u"V5"_s;
    return fenêtre.findChild<QWidget*>(u"imgTouche%1[%2]"_s.arg(modèle).arg(index));
}

void TestFrmNavelo::clics_data() {
    QTest::addColumn<QString>("lignes");
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("cible");
    const QByteArray hd2 = "http://hd2.freebox.fr/pub/remote_control?code=12345678&key=";
    QTest::newRow("5 vol_inc") << u""_s << 26 << préfixe + "vol_inc"_ba;
    QTest::newRow("5 power, box 2") << u"Hd=2"_s << 0 << hd2 + "power";
    QTest::newRow("5 home") << u""_s << 44 << préfixe + "home"_ba;
    QTest::newRow("5 swap") << u""_s << 17 << préfixe + "swap"_ba;
    QTest::newRow("6 home") << u"Version=6"_s << 44 << préfixe + "home"_ba;
    QTest::newRow("6 digit 1") << u"Version=6"_s << 3 << préfixe + "1"_ba;
    QTest::newRow("6 ok at 300 %")
        << u"Version=6\r\nTailleFenêtrePrincipale=300"_s << 25 << préfixe + "ok"_ba;
}

void TestFrmNavelo::clics() {
    QFETCH(QString, lignes);
    QFETCH(int, index);
    const auto fenêtre = démarre(lignes);
    QVERIFY(fenêtre);
    QWidget* touche = zone(*fenêtre, index);
    QVERIFY(touche);
    QTest::mouseClick(touche, Qt::LeftButton);
    QTRY_COMPARE(boitier.requêtes().size(), 1);
    QTEST(boitier.requêtes().constFirst().cible, "cible");
    QTest::qWait(100);
    QCOMPARE(boitier.requêtes().size(), 1);
}

void TestFrmNavelo::appuiLongModele5() {
    const auto fenêtre = démarre({});
    QVERIFY(fenêtre);
    QWidget* ok = zone(*fenêtre, 25);
    QTest::mousePress(ok, Qt::LeftButton);
    QTest::qWait(1000);
    QTest::mouseRelease(ok, Qt::LeftButton);
    QTest::qWait(300);
    QCOMPARE(boitier.requêtes().size(), 1);
    QCOMPARE(boitier.requêtes().constFirst().cible, préfixe + "ok&long=true"_ba);
    QCOMPARE(fenêtre->Expéditeur().ToucheLongue, false);

    // The next short click is an ordinary press again.
    QTest::mouseClick(ok, Qt::LeftButton);
    QTRY_COMPARE(boitier.requêtes().size(), 2);
    QCOMPARE(boitier.requêtes().at(1).cible, préfixe + "ok"_ba);
}

void TestFrmNavelo::repetitionModele6() {
    const auto fenêtre = démarre(u"Version=6"_s);
    QVERIFY(fenêtre);
    QWidget* haut = zone(*fenêtre, 30);
    QTest::mousePress(haut, Qt::LeftButton);
    QTRY_COMPARE(boitier.requêtes().size(), 1);
    // Sent at the press, at 500 ms, then every 200 ms: 6 in 1.3 s on a quiet machine.
    QTest::qWait(1300);
    QTest::mouseRelease(haut, Qt::LeftButton);
    const qsizetype envoyées = boitier.requêtes().size();
    QVERIFY2(envoyées >= 4 && envoyées <= 7, qPrintable(QString::number(envoyées)));
    QTest::qWait(400);
    QCOMPARE(boitier.requêtes().size(), envoyées);
    for (const RequeteRecue& reçue : boitier.requêtes())
        QCOMPARE(reçue.cible, préfixe + "up"_ba);
}

void TestFrmNavelo::lecturePause() {
    const auto fenêtre = démarre({});
    QVERIFY(fenêtre);
    QWidget* lecture = zone(*fenêtre, 42);
    const QList<QByteArray> attendues = {"play", "pause", "play"};
    for (qsizetype i = 0; i < attendues.size(); ++i) {
        QTest::mouseClick(lecture, Qt::LeftButton);
        QTRY_COMPARE(boitier.requêtes().size(), i + 1);
        QCOMPARE(boitier.requêtes().at(i).cible, préfixe + attendues.at(i));
    }
}

void TestFrmNavelo::boutonDroitModele5() {
    const auto fenêtre = démarre({});
    QVERIFY(fenêtre);
    QWidget* muet = zone(*fenêtre, 24);
    QTest::mousePress(muet, Qt::RightButton);
    QTest::qWait(700);
    QCOMPARE(boitier.requêtes().size(), 0);
    QTest::mouseRelease(muet, Qt::RightButton);
    QTRY_COMPARE(boitier.requêtes().size(), 1);
    QCOMPARE(boitier.requêtes().constFirst().cible, préfixe + "mute"_ba);
    QVERIFY(!QApplication::activePopupWidget());
}

void TestFrmNavelo::tailles_data() {
    QTest::addColumn<int>("modèle");
    QTest::addColumn<int>("taille");
    QTest::addColumn<QSize>("fenêtre");
    QTest::addColumn<QRectF>("okTwips");
    QTest::newRow("5 at 50 %") << 5 << 50 << QSize(84, 300) << QRectF(532.5, 2362.5, 232.5, 217.5);
    QTest::newRow("5 at 200 %") << 5 << 200 << QSize(336, 1200) << QRectF(2130, 9450, 930, 870);
    QTest::newRow("6 at 100 %") << 6 << 100 << QSize(114, 596) << QRectF(570, 3460, 570, 570);
    QTest::newRow("6 at 500 %") << 6 << 500 << QSize(570, 2980) << QRectF(2850, 17300, 2850, 2850);
}

void TestFrmNavelo::tailles() {
    QFETCH(int, modèle);
    QFETCH(int, taille);
    QFETCH(QRectF, okTwips);
    const auto fenêtre =
        démarre(u"Version=%1\r\nTailleFenêtrePrincipale=%2"_s.arg(modèle).arg(taille));
    QVERIFY(fenêtre);
    QTEST(fenêtre->size(), "fenêtre");
    const QRect ok = zone(*fenêtre, 25)->geometry();
    // Whole pixels: each edge within half a pixel of the exact place.
    const QRectF exact(okTwips.x() / 15, okTwips.y() / 15, okTwips.width() / 15,
                       okTwips.height() / 15);
    QVERIFY2(qAbs(ok.x() - exact.x()) <= 0.5 && qAbs(ok.y() - exact.y()) <= 0.5 &&
                 qAbs(ok.width() - exact.width()) <= 0.5 &&
                 qAbs(ok.height() - exact.height()) <= 0.5,
             qPrintable(u"%1,%2 %3x%4"_s.arg(ok.x()).arg(ok.y()).arg(ok.width()).arg(ok.height())));
    // Only the configured remote's zones are there to be clicked.
    QCOMPARE(fenêtre->findChildren<QWidget*>(QRegularExpression(u"^imgToucheV"_s)).size(),
             modèle == 6 ? 31 : 41);
}

void TestFrmNavelo::accessibilite() {
    const auto fenêtre = démarre({});
    QVERIFY(fenêtre);
    QWidget* volume = zone(*fenêtre, 26);
    QCOMPARE(volume->accessibleName(), u"Volume +"_s);
    QCOMPARE(volume->toolTip(), u"Volume +"_s);
    const auto* icône = fenêtre->findChild<QSystemTrayIcon*>();
    QVERIFY(icône);
    QCOMPARE(icône->toolTip(), u"Navelo v1.2.3"_s);
}

void TestFrmNavelo::menu() {
    const auto fenêtre = démarre({});
    QVERIFY(fenêtre);
    QStringList articles;
    QuandMenuOuvert([&](QMenu* menu) {
        articles = Articles(menu);
        QCOMPARE(menu->defaultAction()->text(), articles.first());
        menu->close();
    });
    fenêtre->MenuPopup();
    QCOMPARE(articles, QStringList({u"&A propos de...\tF1"_s, u"-"_s, u"&Configurer...\tF9"_s,
                                    u"-"_s, u"&Quitter"_s}));

    fenêtre->hide();
    QuandMenuOuvert([&](QMenu* menu) {
        articles = Articles(menu);
        Choisit(menu, u"&Restaurer"_s);
    });
    fenêtre->MenuPopup();
    QCOMPARE(articles.at(3), u"&Restaurer"_s);
    QVERIFY(fenêtre->isVisible());

    QuandMenuOuvert([](QMenu* menu) { Choisit(menu, u"&Quitter"_s); });
    QSignalSpy fin(fenêtre.get(), &frmNavelo::programEnded);
    fenêtre->MenuPopup();
    QCOMPARE(fin.size(), 1);
}

void TestFrmNavelo::menuDuBoutonDroit() {
    const auto fenêtre = démarre({});
    QVERIFY(fenêtre);
    auto* image = fenêtre->findChild<QLabel*>(u"imgTelkino"_s);
    bool ouvert = false;
    QuandMenuOuvert([&](QMenu* menu) {
        ouvert = true;
        menu->close();
    });
    QTest::mousePress(image, Qt::RightButton, {}, QPoint(image->width() / 2, 20));
    QVERIFY(ouvert);
}

void TestFrmNavelo::aPropos() {
    const auto fenêtre = démarre({});
    QVERIFY(fenêtre);
    QString titre;
    QuandMenuOuvert([](QMenu* menu) { Choisit(menu, u"&A propos de...\tF1"_s); });
    QuandDialogueOuvert([&](QWidget* dialogue) {
        titre = dialogue->windowTitle();
        dialogue->close();
    });
    fenêtre->MenuPopup();
    QCOMPARE(titre, u"A propos de Navelo v1.2.3"_s);
}

// From the menu, always-on-top takes effect at once; from the keyboard, at the next start.
// A change of size closes the program and starts it again.
void TestFrmNavelo::configuration_data() {
    QTest::addColumn<bool>("depuisMenu");
    QTest::addColumn<QString>("taille");
    QTest::addColumn<bool>("dessus");
    QTest::addColumn<bool>("redémarrage");
    QTest::newRow("menu") << true << u"100"_s << true << false;
    QTest::newRow("F9") << false << u"100"_s << false << false;
    QTest::newRow("menu, new size") << true << u"150"_s << false << true;
    QTest::newRow("F9, new size") << false << u"150"_s << false << true;
}

void TestFrmNavelo::configuration() {
    QFETCH(bool, depuisMenu);
    QFETCH(QString, taille);
    const auto fenêtre = démarre({});
    QVERIFY(fenêtre);
    QVERIFY(!fenêtre->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QuandDialogueOuvert([&](QWidget* dialogue) {
        auto* configuration = qobject_cast<frmConfiguration*>(dialogue);
        configuration->chkFenêtreToujoursAuDessus->setChecked(true);
        configuration->txtTailleFenêtrePrincipale->setText(taille);
        configuration->btnOK->click();
    });
    QSignalSpy fin(fenêtre.get(), &frmNavelo::programEnded);
    fenêtre->Configure(depuisMenu);
    QVERIFY(fenêtre->Paramètres().FenêtreToujoursAuDessus);
    QTEST(fenêtre->windowFlags().testFlag(Qt::WindowStaysOnTopHint), "dessus");
    QTEST(fin.size() == 1, "redémarrage");
    QTEST(lancements.size() == 1, "redémarrage");
    QTEST(litIni().contains(u"TailleFenêtrePrincipale=150"_s), "redémarrage");
}

// An icon event while the menu opened from the icon is still up is dropped.
void TestFrmNavelo::iconeSansReentree() {
    const auto fenêtre = démarre({});
    QVERIFY(fenêtre);
    fenêtre->hide();
    auto* icône = fenêtre->findChild<QSystemTrayIcon*>();
    int menus = 0;
    QuandMenuOuvert([&](QMenu* menu) {
        ++menus;
        Q_EMIT icône->activated(QSystemTrayIcon::Trigger);
        Q_EMIT icône->activated(QSystemTrayIcon::Context);
        QTest::qWait(100);
        menu->close();
    });
    Q_EMIT icône->activated(QSystemTrayIcon::Context);
    QCOMPARE(menus, 1);
    QVERIFY(!fenêtre->isVisible());

    Q_EMIT icône->activated(QSystemTrayIcon::Trigger);
    QVERIFY(fenêtre->isVisible());
}

void TestFrmNavelo::survol_data() {
    QTest::addColumn<int>("modèle");
    QTest::newRow("5") << 5;
    QTest::newRow("6") << 6;
}

void TestFrmNavelo::survol() {
    QFETCH(int, modèle);
    const auto fenêtre = démarre(u"Version=%1"_s.arg(modèle));
    QVERIFY(fenêtre);
    QVERIFY(QTest::qWaitForWindowExposed(fenêtre.get()));
    auto* réduire = fenêtre->findChild<QWidget*>(u"picRéduire"_s);
    auto* quitter = fenêtre->findChild<QWidget*>(u"picQuitter"_s);
    auto* clavier = fenêtre->findChild<QWidget*>(u"picClavier"_s);
    auto* liste = fenêtre->findChild<QWidget*>(u"picListeChaînes"_s);
    QVERIFY(!réduire->isVisible());

    QCursor::setPos(fenêtre->mapToGlobal(QPoint(fenêtre->width() / 2, fenêtre->height() / 2)));
    QTRY_VERIFY(réduire->isVisible());
    QVERIFY(quitter->isVisible());
    QCOMPARE(clavier->isVisible(), modèle == 5);
    QCOMPARE(liste->isVisible(), modèle == 5);

    QCursor::setPos(fenêtre->mapToGlobal(QPoint(-50, -50)));
    QTRY_VERIFY(!réduire->isVisible());
    QVERIFY(!quitter->isVisible());
    QVERIFY(!clavier->isVisible());
}

void TestFrmNavelo::glissement() {
    const auto fenêtre = démarre({});
    QVERIFY(fenêtre);
    QVERIFY(QTest::qWaitForWindowExposed(fenêtre.get()));
    auto* image = fenêtre->findChild<QLabel*>(u"imgTelkino"_s);
    const QPoint avant = fenêtre->pos();
    const QPoint clavierAvant = fenêtre->Clavier()->pos();
    const QPoint listeAvant = fenêtre->ListeChaînes()->pos();

    const QPoint prise(image->width() / 2, 40);
    QTest::mousePress(image, Qt::LeftButton, {}, prise);
    QMouseEvent déplacement(QEvent::MouseMove, QPointF(prise + QPoint(25, 30)),
                            QPointF(image->mapToGlobal(prise + QPoint(25, 30))), Qt::NoButton,
                            Qt::LeftButton, {});
    QApplication::sendEvent(image, &déplacement);
    QTest::mouseRelease(image, Qt::LeftButton, {}, prise);

    QCOMPARE(fenêtre->pos(), avant + QPoint(25, 30));
    QVERIFY(!fenêtre->Clavier()->isVisible());
    QCOMPARE(fenêtre->Clavier()->pos(), clavierAvant + QPoint(25, 30));
    QCOMPARE(fenêtre->ListeChaînes()->pos(), listeAvant + QPoint(25, 30));
}

// The test platform has no notification area: the remote must stay reachable.
void TestFrmNavelo::reduireSansZoneDeNotification() {
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
    const auto fenêtre = démarre({});
    QVERIFY(fenêtre);
    fenêtre->Paramètres().ClavierAffiché = true;
    fenêtre->AfficheFenêtres();
    QVERIFY(fenêtre->Clavier()->isVisible());

    auto* réduire = fenêtre->findChild<QWidget*>(u"picRéduire"_s);
    réduire->show();
    QTest::mouseClick(réduire, Qt::LeftButton);
    QVERIFY(fenêtre->isMinimized());
    QVERIFY(!fenêtre->Clavier()->isVisible());
    QVERIFY(fenêtre->Paramètres().ClavierAffiché);

    fenêtre->showNormal();
    QTRY_VERIFY(fenêtre->Clavier()->isVisible());
}

void TestFrmNavelo::fenetresAuxiliaires() {
    const auto fenêtre = démarre({});
    QVERIFY(fenêtre);
    auto* bouton = fenêtre->findChild<QWidget*>(u"picClavier"_s);
    bouton->show();
    QTest::mouseClick(bouton, Qt::LeftButton);
    QVERIFY(fenêtre->Paramètres().ClavierAffiché);
    QVERIFY(fenêtre->Clavier()->isVisible());
    QCOMPARE(fenêtre->Clavier()->windowTitle(), u"Clavier virtuel"_s);

    // The close box only hides it; the button shows it again.
    fenêtre->Clavier()->close();
    QVERIFY(!fenêtre->Clavier()->isVisible());
    QVERIFY(!fenêtre->Paramètres().ClavierAffiché);
    QTest::mouseClick(bouton, Qt::LeftButton);
    QVERIFY(fenêtre->Clavier()->isVisible());
    QTest::mouseClick(bouton, Qt::LeftButton);
    QVERIFY(!fenêtre->Clavier()->isVisible());

    auto* liste = fenêtre->findChild<QWidget*>(u"picListeChaînes"_s);
    liste->show();
    QTest::mouseClick(liste, Qt::LeftButton);
    QVERIFY(fenêtre->ListeChaînes()->isVisible());
    QCOMPARE(fenêtre->ListeChaînes()->windowTitle(), u"Liste des chaînes"_s);
}

void TestFrmNavelo::premierDemarrageAnnule() {
    const auto fenêtre = crée();
    bool vuAvantLaFenêtre = false;
    QuandDialogueOuvert([&](QWidget* dialogue) {
        vuAvantLaFenêtre = qobject_cast<frmConfiguration*>(dialogue) && !fenêtre->isVisible();
        qobject_cast<frmConfiguration*>(dialogue)->btnAnnuler->click();
    });
    QSignalSpy fin(fenêtre.get(), &frmNavelo::programEnded);
    QVERIFY(!fenêtre->Form_Load());
    QVERIFY(vuAvantLaFenêtre);
    QVERIFY(!fenêtre->isVisible());
    QVERIFY(!QFile::exists(dossier->filePath(u"Navelo.ini"_s)));
    QVERIFY(lancements.isEmpty());
    QCOMPARE(fin.size(), 0);
}

void TestFrmNavelo::premierDemarrageAvecRedemarrage() {
    const auto fenêtre = crée();
    QuandDialogueOuvert([](QWidget* dialogue) {
        auto* configuration = qobject_cast<frmConfiguration*>(dialogue);
        configuration->txtCodeTélécommande->setText(u"87654321"_s);
        configuration->optVersion.value(6)->click();
        configuration->btnOK->click();
    });
    QVERIFY(!fenêtre->Form_Load());
    QVERIFY(!fenêtre->isVisible());
    const QString contenu = litIni();
    QVERIFY(contenu.contains(u"CodeTélécommande=87654321\r\nVersion=6\r\n"_s));
    QVERIFY(!contenu.contains(u"FenêtreGauche"_s));
    QCOMPARE(lancements.size(), 1);
    QCOMPARE(lancements.constFirst().programme, QCoreApplication::applicationFilePath());
    QVERIFY(QFileInfo(lancements.constFirst().programme).isAbsolute());
    QVERIFY(lancements.constFirst().arguments.isEmpty());
    QVERIFY(lancements.constFirst().mode == ModeAffichage::RéduitAvecFocus);
}

void TestFrmNavelo::premierDemarrageSansRedemarrage() {
    const auto fenêtre = crée();
    QuandDialogueOuvert([](QWidget* dialogue) {
        auto* configuration = qobject_cast<frmConfiguration*>(dialogue);
        configuration->txtCodeTélécommande->setText(u"12345678"_s);
        configuration->btnOK->click();
    });
    QVERIFY(fenêtre->Form_Load());
    QVERIFY(fenêtre->isVisible());
    QTest::mouseClick(zone(*fenêtre, 42), Qt::LeftButton);
    QTRY_COMPARE(boitier.requêtes().size(), 1);
    QCOMPARE(boitier.requêtes().constFirst().cible, préfixe + "play"_ba);
    // Nothing is written until the end.
    QVERIFY(!QFile::exists(dossier->filePath(u"Navelo.ini"_s)));
    fenêtre->close();
    QVERIFY(litIni().contains(u"CodeTélécommande=12345678\r\n"_s));
    QVERIFY(lancements.isEmpty());
}

void TestFrmNavelo::fermetureSansMemoriser() {
    const auto fenêtre = démarre(u"MémoriserPositionFenêtre=0"_s);
    QVERIFY(fenêtre);
    const QString avant = litIni();
    QSignalSpy fin(fenêtre.get(), &frmNavelo::programEnded);
    QTest::mouseClick(fenêtre->findChild<QWidget*>(u"picQuitter"_s), Qt::LeftButton);
    QCOMPARE(fin.size(), 1);
    QVERIFY(!fenêtre->isVisible());
    QVERIFY(!fenêtre->findChild<QSystemTrayIcon*>()->isVisible());
    QCOMPARE(litIni(), avant);
    QVERIFY(lancements.isEmpty());
}

void TestFrmNavelo::fermetureEcritTout() {
    const auto fenêtre = démarre(u"Version=6\r\nFenêtreListeChaînesLargeur=4500"_s);
    QVERIFY(fenêtre);
    fenêtre->move(100, 40);
    fenêtre->Clavier()->move(20, 30);
    fenêtre->close();
    QMap<QString, QString> valeurs;
    for (const QString& ligne : litIni().split(u"\r\n"_s, Qt::SkipEmptyParts).mid(1))
        valeurs.insert(ligne.section(u'=', 0, 0), ligne.section(u'=', 1));
    // Settings unchanged are not written back; positions are, those of hidden windows too.
    QCOMPARE(valeurs.size(), 10);
    QVERIFY(!valeurs.contains(u"Hd"_s));
    QCOMPARE(valeurs.value(u"FenêtreGauche"_s), u"1500"_s);
    QCOMPARE(valeurs.value(u"FenêtreHaut"_s), u"600"_s);
    QCOMPARE(valeurs.value(u"FenêtreClavierGauche"_s), u"300"_s);
    QCOMPARE(valeurs.value(u"FenêtreClavierHaut"_s), u"450"_s);
    QCOMPARE(valeurs.value(u"FenêtreListeChaînesGauche"_s), u"0"_s);
    QCOMPARE(valeurs.value(u"FenêtreListeChaînesHaut"_s), u"0"_s);
    QCOMPARE(valeurs.value(u"FenêtreListeChaînesLargeur"_s), u"4500"_s);
    QVERIFY(valeurs.contains(u"FenêtreListeChaînesHauteur"_s));
}

void TestFrmNavelo::positionHorsEcranRamenee() {
    const QRect écran = QGuiApplication::primaryScreen()->geometry();
    const auto fenêtre =
        démarre(u"FenêtreGauche=%1\r\nFenêtreHaut=150\r\nFenêtreClavierHaut=-90000"_s.arg(
            (écran.right() + 500) * 15));
    QVERIFY(fenêtre);
    QCOMPARE(fenêtre->pos(), QPoint(écran.right() + 1 - fenêtre->width(), 10));
    QVERIFY(écran.intersects(fenêtre->Clavier()->frameGeometry()));
}

void TestFrmNavelo::secondDemarrageReveilleLePremier() {
    const auto première = démarre({});
    QVERIFY(première);
    première->hide();
    OptionsNavelo options;
    options.dossierParamètres = dossier->path();
    options.nomInstance = u"navelo-test-%1"_s.arg(numéro);
    frmNavelo seconde(options);
    QSignalSpy fin(&seconde, &frmNavelo::programEnded);
    QVERIFY(!seconde.Form_Load());
    QVERIFY(première->isVisible());
    QVERIFY(!seconde.isVisible());
    QCOMPARE(fin.size(), 0);
}

QTEST_MAIN(TestFrmNavelo)
#include "tst_frmNavelo.moc"
