#include "boitier_simule.h"

#include "ecoute_brute.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray PageInterdite =
    "<html><head><title>403 Forbidden</title></head><body><h1>Forbidden</h1></body></html>"_ba;
const QByteArray PageAbsente =
    "<html><head><title>404 Not Found</title></head><body><h1>Not Found</h1></body></html>"_ba;

// The first value of a query parameter, percent-decoded; nothing when the name is absent.
std::optional<QByteArray> Paramètre(const QByteArray& requête, QByteArrayView nom) {
    for (const QByteArray& paire : requête.split('&')) {
        const qsizetype égal = paire.indexOf('=');
        if (QByteArrayView(paire).first(égal < 0 ? paire.size() : égal) == nom)
            return QByteArray::fromPercentEncoding(égal < 0 ? QByteArray() : paire.mid(égal + 1));
    }
    return std::nullopt;
}

RequeteRecue DébutRequête(const QHttpServerRequest& request, QTcpSocket* socket) {
    RequeteRecue requête;
    requête.heure = QDateTime::currentDateTime();
    requête.hôte = request.url().host();
    requête.chemin = request.url().path();
    if (auto* notant = qobject_cast<SocketNotant*>(socket))
        requête.cible = notant->prendCible();
    const qsizetype point = requête.cible.indexOf('?');
    if (point >= 0)
        requête.requête = requête.cible.mid(point + 1);
    return requête;
}

} // namespace

BoitierSimule::BoitierSimule(QObject* parent)
    : QAbstractHttpServer(parent) {}

quint16 BoitierSimule::écoute(quint16 port) {
    auto* serveur = new ServeurNotant(this);
    if (!serveur->listen(QHostAddress::LocalHost, port)) {
        delete serveur;
        return 0;
    }
    bind(serveur);
    m_port = serveur->serverPort();
    return m_port;
}

bool BoitierSimule::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    if (request.method() != QHttpServerRequest::Method::Get)
        return false;
    RequeteRecue requête = DébutRequête(request, socket);
    if (requête.chemin == u"/pub/remote_control") {
        const Réponse réponse = répondsTouche(requête);
        enregistreEtRéponds(request, socket, std::move(requête), réponse);
        return true;
    }
    if (requête.chemin == u"/pub/channels") {
        enregistreEtRéponds(request, socket, std::move(requête), répondsChaînes());
        return true;
    }
    return false;
}

void BoitierSimule::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    enregistreEtRéponds(request, socket, DébutRequête(request, socket),
                        {404, "text/html"_ba, PageAbsente});
}

BoitierSimule::Réponse BoitierSimule::répondsTouche(RequeteRecue& requête) const {
    requête.touche = QString::fromUtf8(Paramètre(requête.requête, "key").value_or(QByteArray()));
    requête.longue = Paramètre(requête.requête, "long") == "true"_ba;
    if (const auto répétition = Paramètre(requête.requête, "repeat"))
        requête.répétition = répétition->toInt();

    const auto code = Paramètre(requête.requête, "code");
    if (!code || QString::fromUtf8(*code) != m_code)
        return {403, "text/html"_ba, PageInterdite};
    return {200, "text/html"_ba, {}};
}

BoitierSimule::Réponse BoitierSimule::répondsChaînes() const {
    QFile fichier(m_fichierChaînes);
    if (m_fichierChaînes.isEmpty() || !fichier.open(QIODevice::ReadOnly))
        return {404, "text/html"_ba, PageAbsente};
    return {200, "application/json"_ba, fichier.readAll()};
}

void BoitierSimule::enregistreEtRéponds(const QHttpServerRequest& request, QTcpSocket* socket,
                                        RequeteRecue requête, const Réponse& réponse) {
    requête.statut = réponse.statut;
    m_requêtes.append(requête);
    Q_EMIT requestReceived(requête);

    // The client may give up while a delayed answer waits: its socket is then gone.
    auto répondeur = std::make_shared<QHttpServerResponder>(makeResponder(request, socket));
    auto envoie = [répondeur, socket = QPointer<QTcpSocket>(socket), réponse] {
        if (socket && socket->state() == QAbstractSocket::ConnectedState)
            répondeur->write(réponse.corps, réponse.typeContenu,
                             static_cast<QHttpServerResponder::StatusCode>(réponse.statut));
    };
    if (m_délai > 0)
        QTimer::singleShot(m_délai, this, envoie);
    else
        envoie();
}
