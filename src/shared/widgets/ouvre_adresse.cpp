#include "ouvre_adresse.h"

#include <QDesktopServices>

namespace {

bool enregistrer = false;
QList<QUrl> adresses;

} // namespace

void OuvreAdresse(const QUrl& adresse) {
    if (enregistrer) {
        adresses.append(adresse);
        return;
    }
    QDesktopServices::openUrl(adresse);
}

void EnregistreAdressesSansOuvrir() {
    enregistrer = true;
}

QList<QUrl> AdressesOuvertes() {
    return adresses;
}
