#pragma once

#include "updates/telechargement_signe.h"

#include <QString>

class QTreeWidgetItem;

// What an item of the list of installed programs keeps beside its three cells. Each lives in
// a role of the item's first column, all of them in this file.

// A program the update server does not know: drawn greyed, and never checkable.
void GriseÉlément(QTreeWidgetItem* élément);
bool ÉlémentGrisé(const QTreeWidgetItem* élément);

// "marker|display version|file-name version"; empty for a greyed item.
QString TagÉlément(const QTreeWidgetItem* élément);
void DéfinitTagÉlément(QTreeWidgetItem* élément, const QString& tag);

// The installer that step 3 wrote for the item, for step 4; empty for an item not downloaded
// in this run.
InstallateurTéléchargé InstallateurÉlément(const QTreeWidgetItem* élément);
void DéfinitInstallateurÉlément(QTreeWidgetItem* élément,
                                const InstallateurTéléchargé& installateur);

// True when the item's check state is not the one this last saw, which it keeps from then on:
// a change of the item's texts or data is no check.
bool CocheChangée(QTreeWidgetItem* élément);
