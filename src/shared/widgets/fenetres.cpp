#include "fenetres.h"

#include <QApplication>
#include <QBitmap>
#include <QImage>
#include <QLineEdit>
#include <QWidget>

void DonneFocus(QWidget* contrôle) {
    // A hidden control would otherwise take the focus later, when it is shown.
    if (contrôle && contrôle->isVisible() && contrôle->isEnabled())
        contrôle->setFocus();
}

void SélectionneTexte(QLineEdit* contrôle, bool toutSélectionner) {
    if (!contrôle)
        return;
    const int longueur = static_cast<int>(contrôle->text().size());
    if (toutSélectionner)
        contrôle->setSelection(0, longueur);
    else
        contrôle->setCursorPosition(longueur);
}

void PremierPlan(QWidget* fenêtre, bool toujoursAuDessus) {
    if (!fenêtre)
        return;
    QWidget* haut = fenêtre->window();
    if (haut->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == toujoursAuDessus)
        return;
    // Changing the flags re-creates a shown window hidden and may place it anew. A window
    // never placed keeps no place at all, so that it still opens where the system or its
    // dialog code centres it rather than in a corner.
    const bool visible = haut->isVisible();
    const bool placée = visible || haut->testAttribute(Qt::WA_Moved);
    const QRect géométrie = haut->geometry();
    haut->setWindowFlag(Qt::WindowStaysOnTopHint, toujoursAuDessus);
    if (placée)
        haut->setGeometry(géométrie);
    else if (haut->testAttribute(Qt::WA_Resized))
        haut->resize(géométrie.size());
    if (visible)
        haut->show();
}

bool RendTransparent(QWidget* fenêtre, QColor cléCouleur, quint8 alpha, bool utiliseAlpha) {
    if (!fenêtre || fenêtre->size().isEmpty())
        return false;
    if (utiliseAlpha)
        fenêtre->setWindowOpacity(alpha / 255.0);
    // A mask left by an earlier call would hide part of the picture from the rendering.
    fenêtre->clearMask();
    QImage image(fenêtre->size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    image.fill(Qt::black);
    fenêtre->render(&image);
    const QRegion visible(
        QBitmap::fromImage(image.createMaskFromColor(cléCouleur.rgb(), Qt::MaskInColor)));
    if (visible.isEmpty() || visible == QRegion(image.rect()))
        return false;
    fenêtre->setMask(visible);
    return true;
}

void ActiveContrôle(QWidget* contrôle, bool actif) {
    if (!contrôle)
        return;
    contrôle->setEnabled(actif);
    // Text boxes paint their field with the Base colour of the current group, so the
    // disabled group takes the button face to grey it.
    const QPalette système = QApplication::palette(contrôle);
    QPalette palette = contrôle->palette();
    palette.setColor(QPalette::Disabled, QPalette::Base,
                     actif ? système.color(QPalette::Disabled, QPalette::Base)
                           : système.color(QPalette::Active, QPalette::Button));
    contrôle->setPalette(palette);
    contrôle->setBackgroundRole(actif ? QPalette::Base : QPalette::Button);
    contrôle->setAutoFillBackground(true);
}
