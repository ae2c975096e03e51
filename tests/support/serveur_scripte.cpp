#include "serveur_scripte.h"

#include <QTcpSocket>
#include <QTimer>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

using namespace Qt::Literals::StringLiterals;

QByteArray ServeurScripté::réponse(QByteArrayView statut, QByteArrayView corps) {
    return "HTTP/1.1 " + statut.toByteArray() +
           "\r\nContent-Length: " + QByteArray::number(corps.size()) +
           "\r\nConnection: close\r\n\r\n" + corps.toByteArray();
}

ServeurScripté::ServeurScripté(const Réponse& prévue)
    : prévue(prévue) {
    serveur.listen(QHostAddress::LocalHost);
    QObject::connect(&serveur, &QTcpServer::newConnection, &serveur, [this] {
        while (QTcpSocket* connexion = serveur.nextPendingConnection()) {
            QObject::connect(connexion, &QTcpSocket::readyRead, connexion,
                             [this, connexion] { lit(connexion); });
            QObject::connect(connexion, &QTcpSocket::disconnected, connexion,
                             &QObject::deleteLater);
        }
    });
}

QString ServeurScripté::url() const {
    return u"http://127.0.0.1:"_s + QString::number(serveur.serverPort()) + u"/"_s;
}

void ServeurScripté::lit(QTcpSocket* connexion) {
    // The empty line ends a request's header.
    while (connexion->canReadLine()) {
        if (connexion->readLine() != "\r\n")
            continue;
        ++reçues;
        if (prévue.silence)
            return;
        QTimer::singleShot(prévue.délaiMs, connexion, [connexion, r = prévue] {
            if (r.coupure) {
                // With no time to linger, closing sends RST rather than FIN.
                const linger immédiat{1, 0};
                setsockopt(connexion->socketDescriptor(), SOL_SOCKET, SO_LINGER,
                           reinterpret_cast<const char*>(&immédiat), sizeof immédiat);
                connexion->abort();
                return;
            }
            connexion->write(r.octets);
            if (!r.suite.isEmpty()) {
                auto* suite = new QTimer(connexion);
                QObject::connect(suite, &QTimer::timeout, connexion, [connexion, r] {
                    // No faster than the client reads.
                    if (connexion->bytesToWrite() < 4 * r.suite.size())
                        connexion->write(r.suite);
                });
                suite->start(r.intervalleMs);
            } else if (!r.resteOuverte) {
                connexion->disconnectFromHost();
            }
        });
    }
}
