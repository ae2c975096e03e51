#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>

#include <functional>

// One answer written on a connection as fast as the client takes it (or at a given pace),
// from a source read piece by piece: a body of any size passes through a small buffer only.
// The connection is closed once the last byte has gone.
class Envoi : public QObject {
    Q_OBJECT

public:
    // `source`(position, size) gives the body's bytes from `position`.
    using Source = std::function<QByteArray(qint64 position, qint64 taille)>;

    // Sends `entête`, then `àEnvoyer` bytes of the body; `octetsParSeconde` 0 is full speed.
    static void Lance(QTcpSocket* connexion, QByteArray entête, Source source, qint64 àEnvoyer,
                      int octetsParSeconde);

private:
    Envoi(QTcpSocket* connexion, Source source, qint64 àEnvoyer, int octetsParSeconde);
    void pompe();

    QPointer<QTcpSocket> m_connexion;
    Source m_source;
    qint64 m_position = 0;
    qint64 m_fin;
    int m_débit;
};
