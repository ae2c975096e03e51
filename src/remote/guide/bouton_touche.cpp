#include "bouton_touche.h"

#include "core/dessin_touches.h"

#include <QMouseEvent>
#include <QPainter>

BoutonTouche::BoutonTouche(const QString& tag, bool spéciale, QWidget* parent)
    : QPushButton(parent)
    , Tag(tag)
    , Spéciale(spéciale) {
    // The keyboard's window takes every key event, to pass it on to the PC keyboard's handlers.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
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

void BoutonTouche::paintEvent(QPaintEvent*) {
    QPainter peintre(this);
    peintre.setRenderHint(QPainter::Antialiasing);
    const ÉtatTouche état = isDown()       ? ÉtatTouche::Enfoncée
                            : underMouse() ? ÉtatTouche::Survol
                                           : ÉtatTouche::Repos;
    DessineToucheClavier(peintre, rect(), text(), Spéciale, état);
}
