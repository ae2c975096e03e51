#include "dialogs/a_propos_navelo.h"
#include "dialogs/clsPopupMenu.h"
#include "dialogs/colonnes_menu.h"
#include "ouvre_adresse.h"
#include "quand_ouvert.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestFenetresNavelo : public QObject {
    Q_OBJECT

    // In a row of keys: a click, or a release alone, on "&Tout".
    static constexpr int Clic = -1, Relâche = -2;

private Q_SLOTS:
    void initTestCase() {
        QCoreApplication::setApplicationName(u"Navelo"_s);
        EnregistreAdressesSansOuvrir();
        fenêtre.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fenêtre));
    }

    void aPropos() {
        QCoreApplication::setApplicationVersion(u"1.2.0"_s);
        frmAPropos boîte(OptionsAProposNavelo(QIcon(), QPixmap(90, 26), QPixmap(90, 26), true));
        QCOMPARE(boîte.windowTitle(), u"A propos de Navelo v1.2"_s);
        for (QWidget* lien : QList<QWidget*>{boîte.imgDonner, boîte.lblEmail, boîte.lblSite})
            QTest::mouseClick(lien, Qt::LeftButton);
        QCOMPARE(AdressesOuvertes(), (QList<QUrl>{QUrl(u"https://www.korvane.example/don"_s),
                                                  QUrl(u"mailto:contact@korvane.example"_s),
                                                  QUrl(u"https://www.korvane.example/navelo"_s)}));
    }

    void choix() {
        clsPopupMenu sous;
        sous.setCaption(u"&Plus"_s);
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
        QCOMPARE(std::pair(actions[5]->menu(), actions[5]->text()),
                 std::pair(sous.menu(), u"&Plus"_s));
        // The numeric item appended nothing but disabled item 4 and made it the default.
        QCOMPARE(menu.menu()->defaultAction(), actions[4]);

        QuandOuvert<QMenu>([](QMenu* popup) { Choisit(popup, u"Coché"_s); });
        QCOMPARE(menu.TrackPopup(&fenêtre, 100, 100), 2);
        // A picked checked item stays checked for the next time.
        QVERIFY(actions[2]->isChecked());
    }

    // One item starting a column opens the whole tree in columns, walked through with the
    // arrows (past separators and greyed items, round the ends), access keys, the mouse.
    void colonnes_data() {
        QTest::addColumn<QList<int>>("touches");
        QTest::addColumn<int>("attendu");
        const int bas = Qt::Key_Down, haut = Qt::Key_Up, gauche = Qt::Key_Left,
                  droite = Qt::Key_Right, entrée = Qt::Key_Return, échap = Qt::Key_Escape,
                  t = Qt::Key_T;
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
    }

private:
    // Types `touches` one at a time into the column menus `ouvre` shows, so that a submenu's
    // own loop gets the next ones, then closes any popup left. `vue`: where the first showed.
    qint32 Parcourt(const clsPopupMenu& menu, QList<int> touches,
                    const std::function<qint32()>& ouvre) {
        const QList<QAction*> actions = menu.menu()->actions();
        QObject contexte;
        vue = {};
        std::function<void()> tape = [&] {
            QTimer::singleShot(20, &contexte, tape);
            QWidget* ouvert = QApplication::activePopupWidget();
            auto* popup = dynamic_cast<MenuEnColonnes*>(ouvert);
            if (ouvert && (!popup || touches.isEmpty()))
                ouvert->close();
            if (!popup || touches.isEmpty())
                return;
            if (vue.isNull())
                vue = popup->geometry();
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

    QRect vue;
    QWidget fenêtre; // the menus' owner
};

QTEST_MAIN(TestFenetresNavelo)
#include "tst_fenetres_navelo.moc"
