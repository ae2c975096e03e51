#pragma once

class QPainter;

// The keys of each remote, drawn on their zones of the key table, in design pixels.
void DessineTouchesV5(QPainter& peintre);
void DessineTouchesV6(QPainter& peintre);
