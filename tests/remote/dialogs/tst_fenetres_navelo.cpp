#include "dialogs/a_propos_navelo.h"
#include "dialogs/clsPopupMenu.h"
#include "dialogs/colonnes_menu.h"
#include "dialogs/frmSplashScreen.h"
#include "ouvre_adresse.h"
#include "quand_ouvert.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

// In a row of keys: a click, or a release alone, on "&Tout".
constexpr int Clic = -1;
constexpr int Relâche = -2;

void Envoie(QWidget* contrôle, QEvent::Type type, Qt::MouseButton bouton = Qt::NoButton) {
    const QPointF point(2, 2);
    QMouseEvent souris(type, point, contrôle->mapToGlobal(point), bouton,
                       type == QEvent::MouseButtonPress ? bouton : Qt::NoButton, {});
    QCoreApplication::sendEvent(contrôle, &souris);
}

} // namespace

// The splash screen, the About box through Navelo's copy, and the popup menu.
class TestFenetresNavelo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QCoreApplication::setApplicationName(u"Navelo"_s);
        EnregistreAdressesSansOuvrir();
        fenêtre.setGeometry(300, 200, 200, 40);
        fenêtre.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fenêtre));
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

    // The popup menu behind the remote's own.
    void choix_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("dansSousMenu");
        QTest::addColumn<int>("attendu");
        QTest::newRow("checked") << u"Coché"_s << false << 2;
        QTest::newRow("submenu item") << u"Sous-élément"_s << true << 9;
        QTest::newRow("Escape") << QString() << false << 0;
    }

    void choix() {
        QFETCH(QString, texte);
        QFETCH(bool, dansSousMenu);
        clsPopupMenu sous;
        sous.setCaption(u"&Plus"_s);
        sous.AddItem(9, u"Sous-élément"_s);
        clsPopupMenu menu;
        menu.AddItem(1, u"&A propos de...\tF1"_s, clsPopupMenu::ParDéfaut);
        menu.AddItem(0, u"-"_s);
        menu.AddItem(2, u"Coché"_s, clsPopupMenu::Coché);
        menu.AddItem(3, u"Grisé"_s, clsPopupMenu::Grisé);
        menu.AddItem(4, u"Désactivé"_s);
        menu.AddItem(5, QVariant::fromValue(&sous));
        menu.AddItem(4, 42, clsPopupMenu::Désactivé | clsPopupMenu::ParDéfaut);
        menu.AddItem(6, QVariant());
        menu.AddItem(7, QVariant::fromValue<clsPopupMenu*>(nullptr));
        menu.AddItem(8, QVariant::fromValue(&menu));

        const QList<QAction*> actions = menu.menu()->actions();
        QCOMPARE(actions.size(), 6);
        QVERIFY(actions[1]->isSeparator());
        QVERIFY(!actions[3]->isEnabled() && !actions[4]->isEnabled());
        QCOMPARE(actions[5]->menu(), sous.menu());
        QCOMPARE(actions[5]->text(), u"&Plus"_s);
        // The numeric item appended nothing but disabled item 4 and made it the default.
        QCOMPARE(menu.menu()->defaultAction(), actions[4]);

        QuandOuvert<QMenu>([&](QMenu* popup) {
            if (texte.isEmpty()) {
                QTest::keyClick(popup, Qt::Key_Escape);
            } else if (dansSousMenu) {
                popup->setActiveAction(sous.menu()->menuAction());
                QTest::keyClick(popup, Qt::Key_Right);
                QuandOuvert<QMenu>([&](QMenu* sousPopup) { Choisit(sousPopup, texte); });
            } else {
                Choisit(popup, texte);
            }
        });
        QTEST(menu.TrackPopup(&fenêtre, 100, 100), "attendu");
        // A picked checked item stays checked for the next time.
        QVERIFY(actions[2]->isChecked());
    }

    // As soon as one item starts a column, the whole tree opens in columns, laid out side by
    // side and walked through with the arrows (past separators and greyed items, round the
    // ends), access keys, the mouse.
    void colonnes_data() {
        QTest::addColumn<QList<int>>("touches");
        QTest::addColumn<int>("attendu");
        const int bas = Qt::Key_Down, haut = Qt::Key_Up, gauche = Qt::Key_Left,
                  droite = Qt::Key_Right, entrée = Qt::Key_Return, échap = Qt::Key_Escape,
                  t = Qt::Key_T;
        QTest::newRow("Escape") << QList{échap} << 0;
        QTest::newRow("down from nothing: the first") << QList{bas, entrée} << 1;
        QTest::newRow("up from nothing: the last") << QList{haut, haut, entrée} << 5;
        QTest::newRow("past a separator and a greyed item") << QList{bas, bas, entrée} << 3;
        QTest::newRow("right: the next column, same height") << QList{bas, droite, entrée} << 4;
        QTest::newRow("left, round the columns") << QList{bas, gauche, entrée} << 4;
        QTest::newRow("right from the last column") << QList{bas, droite, droite, entrée} << 1;
        QTest::newRow("access key") << QList{int(Qt::Key_Q)} << 4;
        QTest::newRow("shared access key: the next") << QList{t, t, entrée} << 5;
        QTest::newRow("shared access key, round") << QList{t, t, t, entrée} << 3;
        QTest::newRow("submenu in columns too") << QList{haut, droite, bas, entrée} << 7;
        QTest::newRow("Escape leaves the submenu only")
            << QList{haut, droite, échap, bas, entrée} << 1;
        QTest::newRow("click") << QList{Clic} << 5;
        QTest::newRow("release without a press") << QList{Relâche, échap} << 0;
    }

    void colonnes() {
        QFETCH(QList<int>, touches);
        clsPopupMenu sous;
        sous.setCaption(u"&Plus"_s);
        sous.AddItem(7, u"&Sept"_s);
        sous.AddItem(8, u"&Huit"_s);
        clsPopupMenu menu;
        for (const auto& [id, texte, drapeaux] : {std::tuple(1, u"&Un"_s, 0),
                                                  {0, u"-"_s, 0},
                                                  {2, u"&Deux"_s, clsPopupMenu::Grisé},
                                                  {3, u"&Trois"_s, 0},
                                                  {4, u"&Quatre"_s, clsPopupMenu::NouvelleColonne},
                                                  {5, u"&Tout"_s, 0}})
            menu.AddItem(id, texte, drapeaux);
        menu.AddItem(6, QVariant::fromValue(&sous));
        QTEST(Parcourt(menu, touches, [&] { return menu.TrackPopup(&fenêtre, 100, 100); }),
              "attendu");
        QCOMPARE(vue.topLeft(), QPoint(100, 100));
        QVERIFY(vueUn.isValid() && vueQuatre.left() > vueUn.right() &&
                vueQuatre.top() == vueUn.top());
    }

    // Kept on the screen, or under a window, along its right edge.
    void colonnesPlace() {
        clsPopupMenu menu;
        menu.AddItem(1, u"&Un"_s);
        menu.AddItem(2, u"&Deux"_s, clsPopupMenu::NouvelleColonne);
        const QList<int> échap{Qt::Key_Escape};
        Parcourt(menu, échap, [&] { return menu.TrackPopup(&fenêtre, 10000, 10000); });
        QCOMPARE(vue.bottomRight(),
                 QGuiApplication::primaryScreen()->availableGeometry().bottomRight());
        Parcourt(menu, échap, [&] { return menu.TrackPopup(&fenêtre, -1, -1, &fenêtre, true); });
        const QRect sous = fenêtre.frameGeometry();
        QCOMPARE(QPoint(vue.right(), vue.top()), sous.bottomRight() + QPoint(0, 1));
    }

private:
    // Opens the menu with `ouvre` and types `touches` into the column menus it shows, one at a
    // time so that a submenu's own loop gets the next ones; a popup of another kind, or one
    // still open once the keys are typed, is closed. `vue` is where the first one showed.
    qint32 Parcourt(const clsPopupMenu& menu, QList<int> touches,
                    const std::function<qint32()>& ouvre) {
        const QList<QAction*> actions = menu.menu()->actions();
        QObject contexte;
        vue = vueUn = vueQuatre = {};
        std::function<void()> tape = [&] {
            QTimer::singleShot(20, &contexte, tape);
            QWidget* ouvert = QApplication::activePopupWidget();
            auto* popup = dynamic_cast<MenuEnColonnes*>(ouvert);
            if (ouvert && (!popup || touches.isEmpty()))
                ouvert->close();
            if (!popup || touches.isEmpty())
                return;
            if (vue.isNull()) {
                vue = popup->geometry();
                vueUn = popup->actionGeometry(actions.value(0));
                vueQuatre = popup->actionGeometry(actions.value(4));
            }
            const QPoint tout = popup->actionGeometry(actions.value(5)).center();
            const int touche = touches.takeFirst();
            if (touche == Clic)
                QTest::mouseClick(popup, Qt::LeftButton, {}, tout);
            else if (touche == Relâche)
                QTest::mouseRelease(popup, Qt::LeftButton, {}, tout);
            else
                QTest::keyClick(popup, Qt::Key(touche));
        };
        tape();
        return ouvre();
    }

    QRect vue, vueUn, vueQuatre;
    QWidget fenêtre; // the menus' owner
};

QTEST_MAIN(TestFenetresNavelo)
#include "tst_fenetres_navelo.moc"
