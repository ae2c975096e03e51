#include "compositeur.h"

// Since Windows 8 the desktop window manager composites every window and cannot be turned off.
bool CompositeurActif() {
    return true;
}
