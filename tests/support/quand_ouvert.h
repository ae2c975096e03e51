#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>
#include <type_traits>

// Closes a modal window that holds the test, and fails the test.
inline void FermeBloquante(QWidget* fenêtre, const char* pourquoi) {
    if (auto* dialogue = qobject_cast<QDialog*>(fenêtre))
        dialogue->done(QDialog::Rejected);
    else
        fenêtre->close();
    QTest::qFail(pourquoi, __FILE__, __LINE__);
}

// Runs `action` on the modal window, or the popup menu, of that type about to be waited for,
// once it shows. Past a guard of 10 s, a modal window still waiting (of another type, or one
// the action left open) is closed and the test fails, rather than waiting for good.
template <typename Fenêtre = QWidget>
void QuandOuvert(const std::type_identity_t<std::function<void(Fenêtre*)>>& action) {
    constexpr int Garde = 10'000;
    auto* attente = new QTimer;
    attente->setInterval(20);
    QObject::connect(attente, &QTimer::timeout, [attente, action, limite = QDeadlineTimer(Garde)] {
        QWidget* ouverte = std::is_base_of_v<QMenu, Fenêtre> ? QApplication::activePopupWidget()
                                                             : QApplication::activeModalWidget();
        auto* fenêtre = qobject_cast<Fenêtre*>(ouverte);
        if (fenêtre && fenêtre->isVisible()) {
            attente->deleteLater();
            attente->stop();
            action(fenêtre);
            QTimer::singleShot(Garde, fenêtre, [fenêtre] {
                if (fenêtre->isVisible())
                    FermeBloquante(fenêtre, "the window stayed open after the test's action");
            });
        } else if (limite.hasExpired()) {
            attente->deleteLater();
            attente->stop();
            if (ouverte)
                FermeBloquante(ouverte, "another window than the one awaited holds the test");
        }
    });
    attente->start();
}

// Picks an item the way a user does, so that the menu returns it; closes the menu without one.
inline void Choisit(QMenu* menu, const QString& texte) {
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        if (action->text() == texte) {
            menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
            return;
        }
    }
    menu->close();
}
