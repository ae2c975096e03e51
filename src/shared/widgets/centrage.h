#pragma once

class QWidget;

// Centres a window about to open on the window `référence` belongs to when that one is shown,
// else on the primary screen; either way it stays on that screen's available area, its top
// left corner first when it is the larger.
void CentreFenêtre(QWidget* fenêtre, const QWidget* référence);
