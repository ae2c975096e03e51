#pragma once

#include <QPixmap>
#include <QWidget>

#include <functional>

// A part of the remote's window that hears the mouse buttons: an invisible key zone over
// the picture, or a window button showing its own picture.
class ZoneSouris : public QWidget {
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
