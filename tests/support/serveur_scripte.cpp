#include "serveur_scripte.h"

#include <QTcpSocket>
#include <QTimer>

#include <memory>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

using namespace Qt::Literals::StringLiterals;

QByteArray ServeurScripté::Requête::champ(QByteArrayView nom) const {
    for (const auto& [nomChamp, valeur] : champs) {
        if (QByteArrayView(nomChamp).compare(nom, Qt::CaseInsensitive) == 0)
            return valeur;
    }
    return {};
}

ServeurScripté::ServeurScripté(Script script)
    : script(std::move(script)) {
    serveur.listen(QHostAddress::LocalHost);
    QObject::connect(&serveur, &QTcpServer::newConnection, &serveur, [this] {
        while (QTcpSocket* connexion = serveur.nextPendingConnection()) {
            auto tampon = std::make_shared<QByteArray>();
            QObject::connect(connexion, &QTcpSocket::readyRead, connexion,
                             [this, connexion, tampon] {
                                 *tampon += connexion->readAll();
                                 lit(connexion, *tampon);
                             });
            QObject::connect(connexion, &QTcpSocket::disconnected, connexion,
                             &QObject::deleteLater);
        }
    });
}

void ServeurScripté::setScript(Script nouveau) {
    script = std::move(nouveau);
}

quint16 ServeurScripté::port() const {
    return serveur.serverPort();
}

QString ServeurScripté::url(QStringView chemin) const {
    return u"http://127.0.0.1:"_s + QString::number(port()) + chemin;
}

const QList<ServeurScripté::Requête>& ServeurScripté::requêtes() const {
    return reçues;
}

QByteArray ServeurScripté::réponse(QByteArrayView statut, QByteArrayView corps,
                                   const QList<QByteArray>& champs) {
    QByteArray octets = "HTTP/1.1 " + statut.toByteArray() +
                        "\r\nContent-Length: " + QByteArray::number(corps.size()) +
                        "\r\nConnection: close\r\n";
    for (const QByteArray& champ : champs)
        octets += champ + "\r\n";
    return octets + "\r\n" + corps.toByteArray();
}

void ServeurScripté::lit(QTcpSocket* connexion, QByteArray& tampon) {
    const qsizetype finEnTête = tampon.indexOf("\r\n\r\n");
    if (finEnTête < 0)
        return;
    QList<QByteArray> lignes = tampon.left(finEnTête).split('\n');
    for (QByteArray& ligne : lignes)
        ligne = ligne.trimmed();

    Requête requête;
    const QList<QByteArray> premièreLigne = lignes.takeFirst().split(' ');
    requête.méthode = premièreLigne.value(0);
    requête.cible = premièreLigne.value(1);
    for (const QByteArray& ligne : std::as_const(lignes)) {
        const qsizetype deuxPoints = ligne.indexOf(':');
        if (deuxPoints > 0)
            requête.champs.append({ligne.left(deuxPoints), ligne.mid(deuxPoints + 1).trimmed()});
    }
    const qsizetype longueur = requête.champ("Content-Length").toLongLong();
    const qsizetype fin = finEnTête + 4 + longueur;
    if (tampon.size() < fin)
        return;
    requête.corps = tampon.mid(finEnTête + 4, longueur);
    tampon.remove(0, fin);

    reçues.append(requête);
    const Réponse prévue = script ? script(requête) : Réponse{réponse("200 OK")};
    if (prévue.silence)
        return;
    auto envoie = [connexion, octets = prévue.octets, coupure = prévue.coupure] {
        if (coupure) {
            // With no time to linger, closing sends RST rather than FIN.
            const linger immédiat{1, 0};
            setsockopt(connexion->socketDescriptor(), SOL_SOCKET, SO_LINGER,
                       reinterpret_cast<const char*>(&immédiat), sizeof immédiat);
            connexion->abort();
            return;
        }
        connexion->write(octets);
        connexion->disconnectFromHost();
    };
    if (prévue.délaiMs > 0)
        QTimer::singleShot(prévue.délaiMs, connexion, envoie);
    else
        envoie();
}
