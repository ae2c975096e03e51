#pragma once

#include <QDate>

class Inet;
class QWidget;
struct ParamètresNavelo;

enum class SuiteDémarrage { Continuer, Quitter };

// The start-up's channel list step: drops the obsolete cache, fetches the list when it is due
// and, when that fails, asks whether to go on without it. Quitter when the user declines:
// the program then ends before its main window shows.
SuiteDémarrage ActualiseChaînes(QWidget* parent, const ParamètresNavelo& paramètres,
                                Inet& netConnexion, QDate aujourdhui = QDate::currentDate());
