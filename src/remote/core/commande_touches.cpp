#include "commande_touches.h"

#include "net/inet.h"
#include "table_touches.h"

#include <QTimer>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// As long as the start-up gives the channel list.
constexpr int DélaiToucheMs = 8000;

// The keys of one command, on a connection of their own: a click on the remote does not
// cancel them, nor they a click.
class EnvoiTouches : public QObject {
public:
    EnvoiTouches(ExpéditeurTouches& expéditeur, const ParamètresNavelo& paramètres,
                 DemandeTouches demande, QObject& contexte,
                 std::function<void(const RésultatTouches&)> fin)
        : QObject(&contexte)
        , expéditeur(expéditeur)
        , paramètres(paramètres)
        , demande(std::move(demande))
        , fin(std::move(fin)) {
        net.setAccessType(Inet::icUseDefault);
        net.setCorpsIgnoré(true);
        garde.setSingleShot(true);
        garde.setInterval(DélaiToucheMs);
        connect(&garde, &QTimer::timeout, this, [this] {
            net.Cancel();
            Termine(IssueTouches::Injoignable);
        });
        connect(&net, &Inet::StateChanged, this, [this](int état) { Réponse(état); });
    }

    void Suivante() {
        if (paramètres.CodeTélécommande.isEmpty())
            return Termine(IssueTouches::CodeManquant);
        if (suivante == demande.touches.size())
            return Termine(IssueTouches::Acceptées);
        const QString& touche = demande.touches.at(suivante);
        const QString envoyée = touche == u"play"_s ? expéditeur.ChoisitLecture() : touche;
        net.setURL(UrlTouche(paramètres, envoyée, demande.longues && paramètres.Version == 5, 1));
        net.Execute();
        garde.start();
    }

private:
    void Réponse(int état) {
        if (état == Inet::icError)
            return Termine(IssueTouches::Injoignable);
        if (état != Inet::icResponseReceived)
            return;
        garde.stop();
        statut = net.GetHeader().section(u' ', 1, 1).toInt();
        if (statut == 403)
            return Termine(IssueTouches::CodeRefusé);
        if (statut < 200 || statut > 299)
            return Termine(IssueTouches::ToucheRefusée);
        ++suivante;
        // After the answer's own signal has returned.
        QTimer::singleShot(0, this, [this] { Suivante(); });
    }

    void Termine(IssueTouches issue) {
        garde.stop();
        if (!fin)
            return;
        const RésultatTouches résultat{
            issue, issue == IssueTouches::Acceptées ? QString() : demande.touches.value(suivante),
            issue == IssueTouches::ToucheRefusée ? statut : 0};
        std::exchange(fin, nullptr)(résultat);
        deleteLater();
    }

    ExpéditeurTouches& expéditeur;
    const ParamètresNavelo& paramètres;
    const DemandeTouches demande;
    std::function<void(const RésultatTouches&)> fin;
    Inet net;
    QTimer garde;
    qsizetype suivante = 0;
    int statut = 0;
};

} // namespace

QStringList NomsDeTouches() {
    QStringList noms;
    for (const ZoneTouche& touche : TableTouches())
        noms.append(QString::fromLatin1(touche.nomTouche));
    return noms;
}

QByteArray CommandeTouches(const DemandeTouches& demande) {
    return (demande.longues ? "keys-long " : "keys ") + demande.touches.join(u',').toUtf8();
}

std::optional<DemandeTouches> LitCommandeTouches(const QByteArray& ligne) {
    const qsizetype espace = ligne.indexOf(' ');
    const QByteArray verbe = ligne.left(espace);
    if (espace < 0 || (verbe != "keys" && verbe != "keys-long"))
        return std::nullopt;
    DemandeTouches demande{QString::fromUtf8(ligne.mid(espace + 1)).split(u','),
                           verbe == "keys-long"};
    const QStringList noms = NomsDeTouches();
    for (const QString& touche : std::as_const(demande.touches)) {
        if (!noms.contains(touche))
            return std::nullopt;
    }
    return demande;
}

QByteArray RéponseTouches(const RésultatTouches& résultat) {
    return QByteArray::number(static_cast<int>(résultat.issue)) + ' ' +
           QByteArray::number(résultat.statut) + ' ' + résultat.touche.toUtf8();
}

std::optional<RésultatTouches> LitRéponseTouches(const QByteArray& ligne) {
    const QList<QByteArray> parties = ligne.split(' ');
    bool nombres[2] = {};
    const int issue = parties.value(0).toInt(&nombres[0]);
    const int statut = parties.value(1).toInt(&nombres[1]);
    if (parties.size() != 3 || !nombres[0] || !nombres[1] || issue < 0 ||
        issue > static_cast<int>(IssueTouches::ToucheRefusée))
        return std::nullopt;
    return RésultatTouches{static_cast<IssueTouches>(issue), QString::fromUtf8(parties.at(2)),
                           statut};
}

void EnvoieTouches(ExpéditeurTouches& expéditeur, const ParamètresNavelo& paramètres,
                   const DemandeTouches& demande, QObject& contexte,
                   std::function<void(const RésultatTouches&)> fin) {
    auto* envoi = new EnvoiTouches(expéditeur, paramètres, demande, contexte, std::move(fin));
    envoi->Suivante();
}
