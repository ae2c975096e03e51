#include "bouton_touche.h"

#include <QMouseEvent>

BoutonTouche::BoutonTouche(const QString& tag, QWidget* parent)
    : QPushButton(parent)
    , Tag(tag) {
    // The keyboard's window takes every key event, to pass it on to the PC keyboard's handlers.
    setFocusPolicy(Qt::NoFocus);
}

// Accepted whatever the button, so that the release comes back to this key.
void BoutonTouche::mousePressEvent(QMouseEvent* évènement) {
    QPushButton::mousePressEvent(évènement);
    évènement->accept();
    if (MouseDown)
        MouseDown(this, *évènement);
}

void BoutonTouche::mouseReleaseEvent(QMouseEvent* évènement) {
    QPushButton::mouseReleaseEvent(évènement);
    évènement->accept();
    if (MouseUp)
        MouseUp(this, *évènement);
}
