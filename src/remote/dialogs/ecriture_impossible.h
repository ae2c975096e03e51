#pragma once

#include "core/parametres.h"

class QWidget;

// Tells the user, once per run, that the settings file cannot be written, rather than let the
// changes silently vanish at the next start.
void SignaleÉcritureImpossible(QWidget* parent, ParamètresNavelo& paramètres);
