#pragma once

#include "infos_chaine.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

// Decodes the channel cache (the box's document as stored on disk) into channels in
// document order. Any fault in the document gives no channel at all.
// `aprèsChaqueObjet` runs after each object read, so that a window can let its events run.
QList<InfosChaîne> DécodeChaînes(QByteArrayView document,
                                 const std::function<void()>& aprèsChaqueObjet = {});

// Reads the cache file whole into `Chaînes` and returns the number of channels; 0, with
// `Chaînes` empty, when the file cannot be read or holds a fault.
int ChargeChaînes(const QString& fichier, QList<InfosChaîne>& Chaînes,
                  const std::function<void()>& aprèsChaqueObjet = {});
