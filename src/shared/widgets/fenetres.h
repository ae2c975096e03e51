#pragma once

#include <QColor>

class QLineEdit;
class QWidget;

// Gives the focus to the control; a hidden or disabled control is silently skipped.
void DonneFocus(QWidget* contrôle);

// Selects the whole text (toutSélectionner) or puts the caret at its end.
void SélectionneTexte(QLineEdit* contrôle, bool toutSélectionner);

// Keeps the window above all others or puts it back among them, without moving it.
void PremierPlan(QWidget* fenêtre, bool toujoursAuDessus);

// Makes every pixel of the window's picture that has exactly the colour key transparent to
// sight and to the mouse (a mask), optionally with the whole window at the given opacity.
// The picture is rendered at the window's logical size. False, and no mask, when the
// picture has no pixel of the key or nothing else.
bool RendTransparent(QWidget* fenêtre, QColor cléCouleur, quint8 alpha, bool utiliseAlpha);

// Enabled controls take the window background colour, disabled ones the button face.
void ActiveContrôle(QWidget* contrôle, bool actif);
