#include "glissement.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

FiltreGlissement::FiltreGlissement(QWidget* poignée, std::function<void(QPoint)> suivre)
    : QObject(poignée)
    , poignée(poignée)
    , suivre(std::move(suivre)) {
    poignée->installEventFilter(this);
}

bool FiltreGlissement::eventFilter(QObject* objet, QEvent* évènement) {
    if (objet != poignée)
        return false;
    switch (évènement->type()) {
    case QEvent::MouseButtonPress: {
        const auto* souris = static_cast<QMouseEvent*>(évènement);
        if (souris->button() == Qt::LeftButton) {
            origine = souris->position();
            enCours = true;
        }
        break;
    }
    case QEvent::MouseMove: {
        const auto* souris = static_cast<QMouseEvent*>(évènement);
        if (!enCours || !(souris->buttons() & Qt::LeftButton))
            break;
        const QPoint décalage = (souris->position() - origine).toPoint();
        if (décalage.isNull())
            break;
        QWidget* fenêtre = poignée->window();
        // Wayland lets no program move its windows: the compositor moves it, with the pointer,
        // and the windows that follow stay where they are.
        if (QGuiApplication::platformName().startsWith(u"wayland") && fenêtre->windowHandle() &&
            fenêtre->windowHandle()->startSystemMove()) {
            enCours = false;
            return true;
        }
        fenêtre->move(fenêtre->pos() + décalage);
        if (suivre)
            suivre(décalage);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(évènement)->button() == Qt::LeftButton)
            enCours = false;
        break;
    default:
        break;
    }
    return false;
}
