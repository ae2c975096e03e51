#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTcpServer>

#include <functional>
#include <utility>

class QTcpSocket;

// An HTTP server on 127.0.0.1 whose answers the test writes byte for byte, for what a ready-made
// server cannot do: a custom status line, a late answer or none, a proxy's 407 challenge.
// It records every request as it arrived, the target in the form the client sent it (absolute
// when the client takes the server for a proxy).
class ServeurScripté {
public:
    struct Requête {
        QByteArray méthode;
        QByteArray cible;
        QList<std::pair<QByteArray, QByteArray>> champs;
        QByteArray corps;

        // A header's value, the name compared without regard to case; empty when absent.
        QByteArray champ(QByteArrayView nom) const;
    };

    struct Réponse {
        // Sent as they are, then the connection is closed.
        QByteArray octets;
        int délaiMs = 0;
        // Never answer; the connection stays open until the server goes.
        bool silence = false;
        // Answer with a reset (RST) instead, after the delay.
        bool coupure = false;
    };

    using Script = std::function<Réponse(const Requête&)>;

    // Without a script every request gets an empty "200 OK".
    explicit ServeurScripté(Script script = {});
    ServeurScripté(const ServeurScripté&) = delete;
    ServeurScripté& operator=(const ServeurScripté&) = delete;

    void setScript(Script script);

    quint16 port() const;
    // "http://127.0.0.1:<port>" followed by the path.
    QString url(QStringView chemin = u"/") const;
    const QList<Requête>& requêtes() const;

    // A whole answer: "HTTP/1.1 " and the status, Content-Length, Connection: close, the
    // extra header lines given (without their CR LF), an empty line and the body.
    static QByteArray réponse(QByteArrayView statut, QByteArrayView corps = {},
                              const QList<QByteArray>& champs = {});

private:
    void lit(QTcpSocket* connexion, QByteArray& tampon);

    QTcpServer serveur;
    Script script;
    QList<Requête> reçues;
};
