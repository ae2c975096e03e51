#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <type_traits>

// Runs `action` on the modal window of that type about to be waited for, once it shows.
template <typename Fenêtre = QWidget>
void QuandOuvert(const std::type_identity_t<std::function<void(Fenêtre*)>>& action) {
    auto* attente = new QTimer;
    attente->setInterval(20);
    QObject::connect(attente, &QTimer::timeout, [attente, action] {
        auto* fenêtre = qobject_cast<Fenêtre*>(QApplication::activeModalWidget());
        if (fenêtre && fenêtre->isVisible()) {
            attente->deleteLater();
            attente->stop();
            action(fenêtre);
        }
    });
    attente->start();
}
