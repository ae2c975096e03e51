#include "ecoute_brute.h"

namespace {

// "GET <target> HTTP/1.1": three words, a method in capitals and a version, which no header
// line can look like.
QByteArray CibleDeLigneRequête(const QByteArray& ligne) {
    const QList<QByteArray> mots = ligne.split(' ');
    if (mots.size() != 3 || !mots[2].startsWith("HTTP/") || mots[0].isEmpty())
        return {};
    for (const char c : mots[0]) {
        if (c < 'A' || c > 'Z')
            return {};
    }
    return mots[1];
}

} // namespace

SocketNotant::SocketNotant(QObject* parent)
    : QTcpSocket(parent) {
    connect(this, &QTcpSocket::readyRead, this, &SocketNotant::noteArrivée);
}

QByteArray SocketNotant::prendCible() {
    return m_cibles.isEmpty() ? QByteArray() : m_cibles.dequeue();
}

// Runs before the server's own reader, which is connected later and reads all that is
// available: a peek therefore sees each byte once.
void SocketNotant::noteArrivée() {
    m_ligneEnCours += peek(bytesAvailable());
    qsizetype fin;
    while ((fin = m_ligneEnCours.indexOf('\n')) >= 0) {
        QByteArray ligne = m_ligneEnCours.left(fin);
        m_ligneEnCours.remove(0, fin + 1);
        if (ligne.endsWith('\r'))
            ligne.chop(1);
        const QByteArray cible = CibleDeLigneRequête(ligne);
        if (!cible.isEmpty())
            m_cibles.enqueue(cible);
    }
}

void ServeurNotant::incomingConnection(qintptr descripteur) {
    auto* socket = new SocketNotant(this);
    if (!socket->setSocketDescriptor(descripteur)) {
        delete socket;
        return;
    }
    addPendingConnection(socket);
}
