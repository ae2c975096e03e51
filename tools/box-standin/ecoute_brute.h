#pragma once

#include <QByteArray>
#include <QQueue>
#include <QTcpServer>
#include <QTcpSocket>

// QHttpServer hands requests over with their URL rebuilt by QUrl, which re-encodes the query
// ("%7e" becomes "~", "%zz" becomes "%25zz"). These sockets note each request target as it
// arrives, before the server reads it, so that it can be recorded byte for byte.
class SocketNotant : public QTcpSocket {
    Q_OBJECT

public:
    explicit SocketNotant(QObject* parent = nullptr);

    // The oldest target noted and not yet taken; empty when none is left.
    QByteArray prendCible();

private:
    void noteArrivée();

    QByteArray m_ligneEnCours;
    QQueue<QByteArray> m_cibles;
};

class ServeurNotant : public QTcpServer {
    Q_OBJECT

public:
    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr descripteur) override;
};
