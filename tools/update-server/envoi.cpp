#include "envoi.h"

#include <QTimer>

namespace {

constexpr qint64 Bloc = 64 * 1024;
// A trickle sends a tenth of its rate ten times a second.
constexpr int PasFiletMs = 100;

} // namespace

void Envoi::Lance(QTcpSocket* connexion, QByteArray entête, Source source, qint64 àEnvoyer,
                  int octetsParSeconde) {
    connexion->write(entête);
    auto* envoi = new Envoi(connexion, std::move(source), àEnvoyer, octetsParSeconde);
    envoi->pompe();
}

Envoi::Envoi(QTcpSocket* connexion, Source source, qint64 àEnvoyer, int octetsParSeconde)
    : QObject(connexion)
    , m_connexion(connexion)
    , m_source(std::move(source))
    , m_fin(àEnvoyer)
    , m_débit(octetsParSeconde) {
    if (m_débit == 0)
        connect(connexion, &QTcpSocket::bytesWritten, this, &Envoi::pompe);
}

void Envoi::pompe() {
    if (!m_connexion || m_connexion->state() != QAbstractSocket::ConnectedState)
        return;
    if (m_débit > 0) {
        const qint64 pas = qMax<qint64>(1, m_débit / (1000 / PasFiletMs));
        const QByteArray morceau = m_source(m_position, qMin(pas, m_fin - m_position));
        m_position += morceau.size();
        m_connexion->write(morceau);
        if (m_position < m_fin && !morceau.isEmpty()) {
            QTimer::singleShot(PasFiletMs, this, &Envoi::pompe);
            return;
        }
    }
    while (m_débit == 0 && m_position < m_fin && m_connexion->bytesToWrite() < Bloc) {
        const QByteArray morceau = m_source(m_position, qMin(Bloc, m_fin - m_position));
        if (morceau.isEmpty())
            break;
        m_position += morceau.size();
        m_connexion->write(morceau);
    }
    if (m_position >= m_fin || m_connexion->bytesToWrite() == 0) {
        disconnect(m_connexion, nullptr, this, nullptr);
        m_connexion->disconnectFromHost();
        deleteLater();
    }
}
