#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// One request as the box stand-in received it and answered it.
struct RequeteRecue {
    QDateTime heure;
    QString hôte;        // from the absolute target when reached as a proxy, else the Host header
    QString chemin;      // decoded path, as routed
    QByteArray cible;    // the request target exactly as received (absolute when through a proxy)
    QByteArray requête;  // the query string of the target exactly as received, without the "?"
    QString touche;      // "key", percent-decoded as UTF-8
    bool longue = false; // "long=true"
    int répétition = 1;  // "repeat", 1 when absent
    int statut = 0;
};
