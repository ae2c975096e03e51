#pragma once

#include <QColor>

class QPainter;
class QRectF;
class QString;

// The keys of each remote, drawn on their zones of the key table, in design pixels.
void DessineTouchesV5(QPainter& peintre);
void DessineTouchesV6(QPainter& peintre);

// A key of the virtual keyboard in the remote's look, filling `touche` (logical pixels).
// Its caption is sized from the key, so that it scales with it and always fits whole; the
// arrows "←↑→↓" are drawn as the remote's arrows.
enum class ÉtatTouche { Repos, Survol, Enfoncée };
void DessineToucheClavier(QPainter& peintre, const QRectF& touche, const QString& légende,
                          bool spéciale, ÉtatTouche état);

// The keyboard's body, the silver of the model 5 remote.
QColor CouleurFondClavier();
