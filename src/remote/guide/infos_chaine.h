#pragma once

#include <QString>

// One channel of the box's list.
struct InfosChaîne {
    QString id;
    QString name;
    QString short_name;
    QString fav;
    bool available = false;
    QString services;
};
