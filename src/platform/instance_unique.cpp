#include "instance_unique.h"

#include "adresse_locale.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QByteArray commande = "!";
const QByteArray accusé = "OK";

// Waits for `fini` while events run, so that an instance in the same thread can answer.
bool Attends(QLocalSocket& prise, const QDeadlineTimer& échéance,
             const std::function<bool()>& fini) {
    QEventLoop boucle;
    QTimer minuteur;
    minuteur.setSingleShot(true);
    QObject::connect(&minuteur, &QTimer::timeout, &boucle, &QEventLoop::quit);
    QObject::connect(&prise, &QLocalSocket::connected, &boucle, &QEventLoop::quit);
    QObject::connect(&prise, &QLocalSocket::readyRead, &boucle, &QEventLoop::quit);
    QObject::connect(&prise, &QLocalSocket::disconnected, &boucle, &QEventLoop::quit);
    QObject::connect(&prise, &QLocalSocket::errorOccurred, &boucle, &QEventLoop::quit);
    while (!fini()) {
        if (échéance.hasExpired() || prise.state() == QLocalSocket::UnconnectedState)
            return false;
        minuteur.start(static_cast<int>(échéance.remainingTime()));
        boucle.exec();
    }
    return true;
}

// A command line once it is whole, handed to `traitement` with the means to answer it. False
// while it is still coming; a line beyond reason drops the connection.
bool TraiteLigne(QLocalSocket& prise, const QByteArray& reçu,
                 const InstanceUnique::Commande& traitement) {
    const qsizetype fin = reçu.indexOf('\n');
    if (fin < 0) {
        if (reçu.size() > 64 * 1024)
            prise.abort();
        return false;
    }
    traitement(reçu.left(fin), [prise = QPointer<QLocalSocket>(&prise)](const QByteArray& réponse) {
        if (!prise)
            return;
        prise->write(réponse + '\n');
        prise->flush();
        prise->disconnectFromServer();
    });
    return true;
}

} // namespace

QString NomInstance(const QString& service, const QString& sujet) {
    return AdresseLocalePrivée(service + u'.' + sujet);
}

InstanceUnique::InstanceUnique(QString nom)
    : nom(std::move(nom)) {
    serveur.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&serveur, &QLocalServer::newConnection, &serveur, [this] { Connexion(); });
}

bool InstanceUnique::RéveilleInstance(int délaiMs) {
    const QDeadlineTimer échéance(délaiMs);
    QLocalSocket prise;
    prise.connectToServer(nom);
    if (!Attends(prise, échéance, [&] { return prise.state() == QLocalSocket::ConnectedState; }))
        return false;
    prise.write(commande);
    prise.flush();
    QByteArray réponse;
    const bool répondu = Attends(prise, échéance, [&] {
        réponse += prise.readAll();
        return réponse.size() >= accusé.size();
    });
    prise.abort();
    return répondu && réponse.startsWith(accusé);
}

bool InstanceUnique::Écoute(std::function<void()> quandRéveillé) {
    réveil = std::move(quandRéveillé);
    if (nom.isEmpty())
        return false;
    // Listening would replace any socket of the name. One that still takes connections
    // belongs to a running instance, however slow to answer; only one nobody listens on is
    // a leftover.
    QLocalSocket essai;
    essai.connectToServer(nom);
    if (essai.waitForConnected(1000))
        return false;
    QLocalServer::removeServer(nom);
    return serveur.listen(nom);
}

void InstanceUnique::ArrêteÉcoute() {
    serveur.close();
}

void InstanceUnique::Connexion() {
    while (QLocalSocket* prise = serveur.nextPendingConnection()) {
        QObject::connect(prise, &QLocalSocket::disconnected, prise, &QObject::deleteLater);
        // The command's text does not matter; one answer per connection.
        QObject::connect(prise, &QLocalSocket::readyRead, prise,
                         [this, prise, répondu = false, reçu = QByteArray()]() mutable {
                             reçu += prise->readAll();
                             if (!répondu && traitement && !reçu.startsWith(commande)) {
                                 répondu = TraiteLigne(*prise, reçu, traitement);
                                 return;
                             }
                             if (std::exchange(répondu, true))
                                 return;
                             if (réveil)
                                 réveil();
                             prise->write(accusé);
                             prise->flush();
                             prise->disconnectFromServer();
                         });
    }
}

void InstanceUnique::AccepteCommandes(Commande quandCommande) {
    traitement = std::move(quandCommande);
}

std::optional<QByteArray> InstanceUnique::EnvoieCommande(const QByteArray& ligne, int délaiMs) {
    const QDeadlineTimer échéance(délaiMs);
    QLocalSocket prise;
    prise.connectToServer(nom);
    if (!Attends(prise, échéance, [&] { return prise.state() == QLocalSocket::ConnectedState; }))
        return std::nullopt;
    prise.write(ligne + '\n');
    prise.flush();
    QByteArray réponse;
    Attends(prise, échéance, [&] {
        réponse += prise.readAll();
        return réponse.contains('\n');
    });
    prise.abort();
    return réponse.left(qMax<qsizetype>(0, réponse.indexOf('\n')));
}
