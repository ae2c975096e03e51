#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

// An HTTP server on 127.0.0.1 giving every request the same answer, written byte for byte,
// for what a ready-made server cannot do: a free status line, a body cut short, a late answer
// or none, a reset. Requests carry no body.
class ServeurScripté {
public:
    struct Réponse {
        // Sent as they are, then the connection is closed.
        QByteArray octets;
        int délaiMs = 0;
        // Never answer; the connection stays open until the server goes.
        bool silence = false;
        // A reset (RST) instead, after the delay.
        bool coupure = false;
        // The bytes sent, the connection stays open and silent.
        bool resteOuverte = false;
        // Then these bytes over and over, every `intervalleMs`, while the client stays.
        QByteArray suite = {};
        int intervalleMs = 0;
    };

    // "HTTP/1.1 " and the status, Content-Length, Connection: close, an empty line, the body.
    static QByteArray réponse(QByteArrayView statut, QByteArrayView corps = {});

    explicit ServeurScripté(const Réponse& prévue);

    QString url() const;
    int requêtes() const { return reçues; }

    Réponse prévue;

private:
    void lit(QTcpSocket* connexion);

    QTcpServer serveur;
    int reçues = 0;
};
