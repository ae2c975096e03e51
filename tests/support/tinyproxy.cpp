#include "tinyproxy.h"

#include "fichiers_test.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

quint16 PortLibre() {
    QTcpServer essai;
    essai.listen(QHostAddress::LocalHost);
    return essai.serverPort();
}

} // namespace

Tinyproxy::Tinyproxy(const QString& utilisateur, const QString& motDePasse) {
    const quint16 port = PortLibre();
    const QString configuration = m_dossier.filePath(u"tinyproxy.conf"_s);
    QByteArray texte = "Port " + QByteArray::number(port) +
                       "\nListen 127.0.0.1\nTimeout 30\nMaxClients 20\nAllow 127.0.0.1\n"
                       "LogLevel Connect\nLogFile \"" +
                       m_dossier.filePath(u"journal"_s).toUtf8() + "\"\n";
    if (!utilisateur.isEmpty())
        texte += "BasicAuth " + utilisateur.toUtf8() + ' ' + motDePasse.toUtf8() + '\n';
    if (port == 0 || !ÉcritFichier(configuration, texte))
        return;

    m_processus.start(u"tinyproxy"_s, {u"-d"_s, u"-c"_s, configuration});
    if (!m_processus.waitForStarted())
        return;
    // Ready once it accepts connections.
    for (QDeadlineTimer limite(5000); !limite.hasExpired(); QThread::msleep(20)) {
        QTcpSocket essai;
        essai.connectToHost(QHostAddress::LocalHost, port);
        if (essai.waitForConnected(200)) {
            m_port = port;
            return;
        }
    }
}

Tinyproxy::~Tinyproxy() {
    m_processus.terminate();
    m_processus.waitForFinished(2000);
}

int Tinyproxy::requêtes() const {
    return static_cast<int>(
        LitFichier(m_dossier.filePath(u"journal"_s)).count("]: Request (file descriptor"));
}
