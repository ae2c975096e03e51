#include "dialogs/clsPopupMenu.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Runs `action` on the popup once it is open, from inside TrackPopup's wait.
void PendantLeMenu(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, qApp, [action] {
        if (QWidget* popup = QApplication::activePopupWidget())
            action(popup);
        else
            PendantLeMenu(action);
    });
}

// Picks an item of an open QMenu with the keyboard.
void Choisit(QWidget* popup, const QString& texte) {
    auto* menu = qobject_cast<QMenu*>(popup);
    QVERIFY(menu);
    for (QAction* action : menu->actions()) {
        if (action->text() == texte)
            menu->setActiveAction(action);
    }
    QTest::keyClick(menu, Qt::Key_Return);
}

} // namespace

class TestPopupMenu : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> fenêtre;

private Q_SLOTS:
    void initTestCase() {
        fenêtre = std::make_unique<QWidget>();
        fenêtre->setGeometry(300, 200, 200, 40);
        fenêtre->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenêtre.get()));
    }

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
        QFETCH(int, attendu);
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

        const QList<QAction*> actions = menu.menu()->actions();
        QCOMPARE(actions.size(), 6);
        QVERIFY(actions[1]->isSeparator());
        QVERIFY(!actions[3]->isEnabled() && !actions[4]->isEnabled());
        QCOMPARE(actions[5]->menu(), sous.menu());
        QCOMPARE(actions[5]->text(), u"&Plus"_s);
        // The numeric item appended nothing but disabled item 4 and made it the default.
        QCOMPARE(menu.menu()->defaultAction(), actions[4]);

        PendantLeMenu([&](QWidget* popup) {
            if (texte.isEmpty()) {
                QTest::keyClick(popup, Qt::Key_Escape);
            } else if (dansSousMenu) {
                qobject_cast<QMenu*>(popup)->setActiveAction(sous.menu()->menuAction());
                QTest::keyClick(popup, Qt::Key_Right);
                PendantLeMenu([&](QWidget* sousPopup) { Choisit(sousPopup, texte); });
            } else {
                Choisit(popup, texte);
            }
        });
        QCOMPARE(menu.TrackPopup(fenêtre.get(), 100, 100), attendu);
        // A picked checked item stays checked for the next time.
        QVERIFY(actions[2]->isChecked());
    }
};

QTEST_MAIN(TestPopupMenu)
#include "tst_popup_menu.moc"
