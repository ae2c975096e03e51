#include "zone_souris.h"

#include <QMouseEvent>
#include <QPainter>

ZoneSouris::ZoneSouris(QWidget* parent)
    : QWidget(parent) {}

void ZoneSouris::setImage(const QPixmap& nouvelle) {
    if (nouvelle.cacheKey() == image.cacheKey())
        return;
    image = nouvelle;
    update();
}

void ZoneSouris::mousePressEvent(QMouseEvent* évènement) {
    évènement->accept();
    if (appui)
        appui(évènement->button());
}

void ZoneSouris::mouseReleaseEvent(QMouseEvent* évènement) {
    évènement->accept();
    if (relâche)
        relâche(évènement->button());
    if (clic && évènement->button() == Qt::LeftButton &&
        rect().contains(évènement->position().toPoint()))
        clic();
}

void ZoneSouris::paintEvent(QPaintEvent*) {
    if (image.isNull())
        return;
    QPainter peintre(this);
    peintre.drawPixmap(0, 0, image);
}
