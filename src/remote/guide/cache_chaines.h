#pragma once

#include <QDate>
#include <QString>

class Inet;

// The box's channel list as the start-up keeps it: fetched at most once a day into a cache
// file that the channel list window reads.

// An older name of the cache, deleted at every start.
void SupprimeAncienCache(const QString& fichierChaînes);

// Model 6 never fetches. Otherwise a missing cache is fetched, and an existing one when its
// last change falls on a day before `aujourdhui`; one dated in the future is kept.
bool RapatriementDû(qint16 version, const QString& fichierChaînes, QDate aujourdhui);

QString UrlListeChaînes(qint16 hd);

// Blocks, letting window events run, for at most 8 seconds in all. The body as text (one
// character per byte), or empty on any failure, a body beyond any real list's size included.
QString RapatrieListeChaînes(Inet& netConnexion, const QString& url);

// Replaces the cache with the body and a line break, in one step: a failed write leaves the
// previous cache whole. False when the file could not be written.
bool EcritCacheChaînes(const QString& fichierChaînes, const QString& corps);

// The warning shown when the list could not be fetched.
QString TexteÉchecRapatriement(const QString& url);
