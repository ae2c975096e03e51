#pragma once

#include "core/bouton_accessible.h"

#include <QPushButton>
#include <QString>

#include <functional>

class QMouseEvent;

// A key of the virtual keyboard, drawn like the remote's keys: a push button carrying its key
// text, told about presses and releases of every mouse button, where a plain push button only
// reacts to the left one. Assistive technology presses it through its own actions, which send
// the key as a click does.
class BoutonTouche : public QPushButton, public BoutonAccessible {
    Q_OBJECT
public:
    BoutonTouche(const QString& tag, bool spéciale, QWidget* parent);

    const QString Tag;
    // A box key rather than a character: drawn darker.
    const bool Spéciale;
    std::function<void(BoutonTouche*, const QMouseEvent&)> MouseDown;
    std::function<void(BoutonTouche*, const QMouseEvent&)> MouseUp;

protected:
    void mousePressEvent(QMouseEvent* évènement) override;
    void mouseReleaseEvent(QMouseEvent* évènement) override;
    void paintEvent(QPaintEvent* évènement) override;
};
