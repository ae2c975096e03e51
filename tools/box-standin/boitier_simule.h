#pragma once

#include "requete_recue.h"

#include <QAbstractHttpServer>
#include <QList>
#include <QString>

// A local stand-in for the set-top box's HTTP interface: remote-control keys checked against a
// remote code, and the channel document served from a file. It answers whatever host the
// request names, so a client can reach it as its HTTP proxy with the box's real URLs.
// Every request is recorded, and announced by requestReceived once its answer is decided.
class BoitierSimule : public QAbstractHttpServer {
    Q_OBJECT

public:
    explicit BoitierSimule(QObject* parent = nullptr);

    // Listens on 127.0.0.1; port 0 takes any free port. Returns the port, 0 on failure.
    quint16 écoute(quint16 port = 0);
    quint16 port() const { return m_port; }

    void définitCode(const QString& code) { m_code = code; }
    // The file served as is for /pub/channels; none (or unreadable) answers 404.
    void définitFichierChaînes(const QString& chemin) { m_fichierChaînes = chemin; }
    // Answers are held back this long, as a slow box would.
    void définitDélai(int millisecondes) { m_délai = millisecondes; }

    const QList<RequeteRecue>& requêtes() const { return m_requêtes; }
    void oublieRequêtes() { m_requêtes.clear(); }

Q_SIGNALS:
    void requestReceived(const RequeteRecue& requete);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    // Only écoute's sockets note the raw request targets.
    using QAbstractHttpServer::bind;
    using QAbstractHttpServer::listen;

    struct Réponse {
        int statut;
        QByteArray typeContenu;
        QByteArray corps;
    };
    Réponse répondsTouche(RequeteRecue& requête) const;
    Réponse répondsChaînes() const;
    void enregistreEtRéponds(const QHttpServerRequest& request, QTcpSocket* socket,
                             RequeteRecue requête, const Réponse& réponse);

    quint16 m_port = 0;
    QString m_code;
    QString m_fichierChaînes;
    int m_délai = 0;
    QList<RequeteRecue> m_requêtes;
};
