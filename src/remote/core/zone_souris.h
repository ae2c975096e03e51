#pragma once

#include "bouton_accessible.h"

#include <QPixmap>
#include <QWidget>

#include <functional>

// A part of the remote's window that hears the mouse buttons: an invisible key zone over
// the picture, or a window button showing its own picture. A class of its own for assistive
// technology, which then sees a key as a button.
class ZoneSouris : public QWidget, public BoutonAccessible {
    Q_OBJECT
public:
    explicit ZoneSouris(QWidget* parent);

    void setImage(const QPixmap& image);

    std::function<void(Qt::MouseButton)> appui;
    // Comes to the zone that had the press, wherever the button is released.
    std::function<void(Qt::MouseButton)> relâche;
    // Left button pressed and released over the zone.
    std::function<void()> clic;

protected:
    void mousePressEvent(QMouseEvent* évènement) override;
    void mouseReleaseEvent(QMouseEvent* évènement) override;
    void paintEvent(QPaintEvent* évènement) override;

private:
    QPixmap image;
};
