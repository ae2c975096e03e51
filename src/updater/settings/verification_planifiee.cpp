#include "verification_planifiee.h"

namespace {

QDate LundiDeLaSemaine(const QDate& jour) {
    return jour.addDays(1 - jour.dayOfWeek());
}

qint64 Mois(const QDate& jour) {
    return qint64(jour.year()) * 12 + jour.month();
}

} // namespace

bool VérificationDue(qint16 fréquence, const QDate& dernière, const QDateTime& maintenant) {
    const QDate aujourdhui = maintenant.date();
    if (dernière > aujourdhui)
        return true;
    switch (fréquence) {
    case 0:
        return dernière < aujourdhui;
    case 2:
        return Mois(dernière) < Mois(aujourdhui);
    default:
        return LundiDeLaSemaine(dernière) < LundiDeLaSemaine(aujourdhui);
    }
}
