#pragma once

#include "widgets/frmAPropos.h"

// Navelo's About box: its title, description and site, on top when the remote is.
OptionsAPropos OptionsAProposNavelo(const QIcon& icône, const QPixmap& imageDonnerFR,
                                    const QPixmap& imageDonnerEN, bool toujoursAuDessus);
