#pragma once

#include <QObject>
#include <QPoint>
#include <QPointF>

#include <functional>

class QWidget;

// Drags a frameless window by one of its widgets with the left button. Each move is also
// handed to `suivre`, so that other windows can follow by the same offset. On Wayland the
// window system moves the window instead, and nothing follows.
class FiltreGlissement : public QObject {
    Q_OBJECT
public:
    explicit FiltreGlissement(QWidget* poignée, std::function<void(QPoint)> suivre = {});

protected:
    bool eventFilter(QObject* objet, QEvent* évènement) override;

private:
    QWidget* poignée;
    std::function<void(QPoint)> suivre;
    // Where the pointer took hold of the widget; it keeps that place while the window moves.
    QPointF origine;
    bool enCours = false;
};
