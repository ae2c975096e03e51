#pragma once

#include <QDate>

#include <functional>

class Inet;
class QWidget;
struct ParamètresNavelo;

enum class SuiteDémarrage { Continuer, Quitter };

// The start-up's channel list step: drops the obsolete cache, fetches the list when it is due
// and, when that fails, asks whether to go on without it. Quitter when the user declines:
// the program then ends before its main window shows. Once `finDemandée` says that the
// system ends the program, nothing is fetched or asked any more (a fetch running then is
// cancelled through `netConnexion`).
SuiteDémarrage ActualiseChaînes(QWidget* parent, const ParamètresNavelo& paramètres,
                                Inet& netConnexion, QDate aujourdhui = QDate::currentDate(),
                                const std::function<bool()>& finDemandée = {});
