#pragma once

#include "updates/telechargement_signe.h"

class QTreeWidgetItem;

// The installer that step 3 wrote for an item of the list of programs, kept in the item for
// step 4; empty for an item not downloaded in this run.
InstallateurTéléchargé InstallateurÉlément(const QTreeWidgetItem* élément);
void DéfinitInstallateurÉlément(QTreeWidgetItem* élément,
                                const InstallateurTéléchargé& installateur);
