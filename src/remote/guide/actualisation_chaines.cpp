#include "actualisation_chaines.h"

#include "boite_message.h"
#include "cache_chaines.h"
#include "core/parametres.h"

#include <QApplication>

using namespace Qt::StringLiterals;

SuiteDémarrage ActualiseChaînes(QWidget* parent, const ParamètresNavelo& paramètres,
                                Inet& netConnexion, QDate aujourdhui,
                                const std::function<bool()>& finDemandée) {
    const auto fin = [&] { return finDemandée && finDemandée(); };
    SupprimeAncienCache(paramètres.FichierChaînes);
    if (fin() || !RapatriementDû(paramètres.Version, paramètres.FichierChaînes, aujourdhui))
        return SuiteDémarrage::Continuer;

    const QString url = UrlListeChaînes(paramètres.Hd);
    const QString corps = RapatrieListeChaînes(netConnexion, url);
    // A logout must not wait for an answer that nobody will give.
    if (fin())
        return SuiteDémarrage::Continuer;
    if (!corps.isEmpty()) {
        // An unwritable folder only means the window reads the previous cache, if any.
        EcritCacheChaînes(paramètres.FichierChaînes, corps);
        return SuiteDémarrage::Continuer;
    }

    // The start-up's busy pointer would tell the user to wait, not to answer.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const QMessageBox::StandardButton réponse =
        AfficheMessage(parent, QMessageBox::Warning, u"Attention"_s, TexteÉchecRapatriement(url),
                       QMessageBox::Yes | QMessageBox::No);
    QApplication::restoreOverrideCursor();
    return réponse == QMessageBox::No ? SuiteDémarrage::Quitter : SuiteDémarrage::Continuer;
}
