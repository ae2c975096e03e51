#pragma once

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>
#include <type_traits>

// Runs `action` on the modal window, or the popup menu, of that type about to be waited for,
// once it shows.
template <typename Fenêtre = QWidget>
void QuandOuvert(const std::type_identity_t<std::function<void(Fenêtre*)>>& action) {
    auto* attente = new QTimer;
    attente->setInterval(20);
    QObject::connect(attente, &QTimer::timeout, [attente, action] {
        QWidget* ouverte = std::is_base_of_v<QMenu, Fenêtre> ? QApplication::activePopupWidget()
                                                             : QApplication::activeModalWidget();
        auto* fenêtre = qobject_cast<Fenêtre*>(ouverte);
        if (fenêtre && fenêtre->isVisible()) {
            attente->deleteLater();
            attente->stop();
            action(fenêtre);
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
