#include "boite_message.h"
#include "core/frmNavelo.h"
#include "dialogs/frmConfiguration.h"
#include "dialogs/frmSplashScreen.h"
#include "fenetres.h"
#include "guide/frmClavier.h"
#include "guide/frmListeChaines.h"
#include "navelo_essai.h"
#include "quand_ouvert.h"
#include "traductions_qt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

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

} // namespace

// Navelo among other windows: where its windows open, what shows above what, in French.
class TestBureau : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), écranPrincipal);
        QVERIFY(ChargeTraductionsQt(u"fr"_s));
        qputenv("TMPDIR", temporaire.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", temporaire.path().toLocal8Bit());
    }

    void init() { essai = std::make_unique<NaveloEssai>(); }

    void telecommande_data() {
        QTest::addColumn<QString>("lignes");
        QTest::addColumn<QPoint>("place");
        // Model 5 at 100 % is 168 x 600, at 300 % 504 x 1800 (twips are 15 to the pixel).
        QTest::newRow("default, centred on the primary screen") << QString() << QPoint(2476, 212);
        QTest::newRow("taller than the screen: its top shows")
            << u"TailleFenêtrePrincipale=300"_s << QPoint(2308, 0);
        QTest::newRow("bigger since last time: back above the bottom")
            << u"TailleFenêtrePrincipale=150\r\nFenêtreGauche=30000\r\nFenêtreHaut=3000"_s
            << QPoint(2000, 124);
        QTest::newRow("across two screens: onto the one it covers most")
            << u"FenêtreGauche=28500\r\nFenêtreHaut=0"_s << QPoint(1920, 0);
        QTest::newRow("beyond every screen: onto the nearest")
            << u"FenêtreGauche=-6000\r\nFenêtreHaut=18000"_s << QPoint(0, 480);
    }

    void telecommande() {
        QFETCH(QString, lignes);
        const auto fenêtre = démarre(lignes);
        QVERIFY(fenêtre);
        QTEST(fenêtre->geometry().topLeft(), "place");
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
    }

    void fenetresVoisines() {
        QFETCH(QString, lignes);
        QFETCH(int, côté);
        const auto fenêtre = démarre(lignes);
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

    // The first start: the configuration dialog over nothing, centred on the primary screen.
    void premierDemarrage() {
        auto fenêtre = crée();
        bool splashVisible = true;
        QRect dialogue;
        QuandOuvert([&](QWidget* ouvert) {
            splashVisible = false;
            for (const QWidget* w : QApplication::topLevelWidgets())
                splashVisible |= qobject_cast<const frmSplashScreen*>(w) && w->isVisible();
            dialogue = ouvert->frameGeometry();
            static_cast<frmConfiguration*>(ouvert)->btnAnnuler->click();
        });
        QVERIFY(!fenêtre->Form_Load());
        QVERIFY(!splashVisible);
        QVERIFY(CentréSur(dialogue, écranPrincipal));
    }

    // Once running, dialogs open on the remote, or on the screen while it is put away.
    void dialoguesCentres_data() {
        QTest::addColumn<bool>("cachée");
        QTest::newRow("remote shown") << false;
        QTest::newRow("remote hidden") << true;
    }

    void dialoguesCentres() {
        QFETCH(bool, cachée);
        const auto fenêtre = démarre(QString());
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

    // Elsewhere, a dialog made always on top before it ever showed still opens centred.
    void dialogueAuDessusJamaisMontre() {
        QWidget parent;
        parent.setGeometry(2200, 300, 400, 300);
        parent.show();
        QDialog dialogue(&parent);
        dialogue.resize(200, 100);
        PremierPlan(&dialogue, true);
        QuandOuvert([](QWidget* ouvert) { ouvert->close(); });
        dialogue.exec();
        QVERIFY(CentréSur(dialogue.frameGeometry(), parent.frameGeometry()));
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

        QLineEdit boîteTexte;
        const std::unique_ptr<QMenu> menu(boîteTexte.createStandardContextMenu());
        QCOMPARE(menu->actions().constFirst()->text(), u"&Annuler\tCtrl+Z"_s);
    }

private:
    std::unique_ptr<frmNavelo> crée() { return essai->crée(); }
    std::unique_ptr<frmNavelo> démarre(const QString& lignes) { return essai->démarre(lignes); }

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
    TestBureau test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_bureau.moc"
