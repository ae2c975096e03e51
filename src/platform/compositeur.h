#pragma once

// Whether a compositing manager draws the desktop. Only then can a window have pixels that are
// partly transparent; without one they show black, and a window is cut out with a mask.
bool CompositeurActif();
