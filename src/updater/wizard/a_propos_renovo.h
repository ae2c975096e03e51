#pragma once

#include "widgets/frmAPropos.h"

class colTraductions;

// Renovo's About box: its translatable title and captions, the introduction as its
// description, the translator's credit and the link under the mouse underlined.
OptionsAPropos OptionsAProposRenovo(const colTraductions& traductions, const QString& fichierLangue,
                                    qreal dpr);
