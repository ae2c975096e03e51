#include "core/expediteur_touches.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int touches = 2'000;
constexpr int rodage = 50;
constexpr double cible = 1.5;

QElapsedTimer horloge;

// The box, in a thread of its own as it would be in a device of its own: it notes the time at
// which each request line is complete, then answers and closes the connection.
class BoiteLocale : public QObject {
    Q_OBJECT
public:
    quint16 écoute() {
        serveur.listen(QHostAddress::LocalHost);
        connect(&serveur, &QTcpServer::newConnection, this, [this] { accepte(); });
        return serveur.serverPort();
    }

Q_SIGNALS:
    void requestLineRead(qint64 nanosecondes, QByteArray ligne);
    void closed();

private:
    void accepte() {
        while (QTcpSocket* connexion = serveur.nextPendingConnection()) {
            auto reçu = std::make_shared<QByteArray>();
            connect(connexion, &QTcpSocket::readyRead, this, [this, connexion, reçu] {
                const bool déjàLue = reçu->contains("\r\n");
                *reçu += connexion->readAll();
                const qsizetype fin = reçu->indexOf("\r\n");
                if (déjàLue || fin < 0)
                    return;
                const qint64 instant = horloge.nsecsElapsed();
                Q_EMIT requestLineRead(instant, reçu->left(fin));
                connexion->write(
                    "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nOK");
                connexion->disconnectFromHost();
            });
            connect(connexion, &QTcpSocket::disconnected, this, [this, connexion] {
                connexion->deleteLater();
                Q_EMIT closed();
            });
        }
    }

    QTcpServer serveur{this};
};

struct Mesure {
    QList<double> microsecondes;
    QByteArray ligne;
};

// Starts one request with `envoie`, then waits until the box has read its request line and
// closed the connection, so that every request finds the client at rest.
void Mesure1(BoiteLocale& boîtier, const std::function<void()>& envoie, Mesure& mesure,
             bool compte) {
    QEventLoop boucle;
    qint64 lue = -1;
    bool fermée = false;
    const auto a = QObject::connect(&boîtier, &BoiteLocale::requestLineRead, &boucle,
                                    [&](qint64 instant, const QByteArray& ligne) {
                                        lue = instant;
                                        mesure.ligne = ligne;
                                    });
    const auto b = QObject::connect(&boîtier, &BoiteLocale::closed, &boucle, [&] {
        fermée = true;
        boucle.quit();
    });
    QTimer::singleShot(5'000, &boucle, &QEventLoop::quit);
    const qint64 départ = horloge.nsecsElapsed();
    envoie();
    if (!fermée)
        boucle.exec();
    QObject::disconnect(a);
    QObject::disconnect(b);
    // Lets the client take the answer in before the next request.
    QTimer::singleShot(1, &boucle, &QEventLoop::quit);
    boucle.exec();
    if (compte && lue >= 0)
        mesure.microsecondes.append(static_cast<double>(lue - départ) / 1'000.0);
}

double Centile(QList<double> valeurs, double centile) {
    std::sort(valeurs.begin(), valeurs.end());
    const auto rang = static_cast<qsizetype>(centile / 100.0 * static_cast<double>(valeurs.size()));
    return valeurs.at(std::min(rang, valeurs.size() - 1));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    horloge.start();

    QThread fil;
    BoiteLocale boîtier;
    boîtier.moveToThread(&fil);
    fil.start();
    quint16 port = 0;
    QMetaObject::invokeMethod(
        &boîtier, [&] { port = boîtier.écoute(); }, Qt::BlockingQueuedConnection);
    // Navelo reaches the box the way it is configured to: here, the box as its HTTP proxy.
    qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(port));
    qunsetenv("no_proxy");

    ParamètresNavelo paramètres;
    paramètres.CodeTélécommande = u"12345678"_s;
    ExpéditeurTouches expéditeur(paramètres);
    const QByteArray url = UrlTouche(paramètres, u"vol_inc"_s, false, 1).toLatin1();
    const auto navelo = [&] { expéditeur.TraiteTouche(u"vol_inc"_s); };
    // The floor: one new connection and the same request, absolute URL included, written
    // straight to the socket.
    QTcpSocket brut;
    const QByteArray requête = "GET " + url + " HTTP/1.1\r\nHost: hd1.freebox.fr\r\n\r\n";
    const auto plancher = [&] {
        brut.abort();
        brut.connectToHost(QHostAddress::LocalHost, port);
        brut.write(requête);
    };

    Mesure nôtre;
    Mesure brute;
    for (int i = 0; i < rodage + touches; ++i) {
        Mesure1(boîtier, navelo, nôtre, i >= rodage);
        Mesure1(boîtier, plancher, brute, i >= rodage);
    }
    fil.quit();
    fil.wait();

    if (nôtre.microsecondes.size() != touches || brute.microsecondes.size() != touches ||
        nôtre.ligne != brute.ligne) {
        std::fprintf(stderr, "bench_touches: %lld and %lld of %d requests, lines\n  %s\n  %s\n",
                     static_cast<long long>(nôtre.microsecondes.size()),
                     static_cast<long long>(brute.microsecondes.size()), touches,
                     nôtre.ligne.constData(), brute.ligne.constData());
        return 1;
    }
    std::printf("Key latency: TraiteTouche to the request line read by a local box, %d keys,\n"
                "against a raw QTcpSocket GET of the same request line (new connection each);\n"
                "target median ratio <= %.1f\n",
                touches, cible);
    std::printf("%-22s %12s %12s\n", "", "median (us)", "99th (us)");
    const double m1 = Centile(nôtre.microsecondes, 50);
    const double m2 = Centile(brute.microsecondes, 50);
    std::printf("%-22s %12.1f %12.1f\n", "TraiteTouche", m1, Centile(nôtre.microsecondes, 99));
    std::printf("%-22s %12.1f %12.1f\n", "raw QTcpSocket", m2, Centile(brute.microsecondes, 99));
    std::printf("%-22s %12.2f %12.2f\n", "ratio", m1 / m2,
                Centile(nôtre.microsecondes, 99) / Centile(brute.microsecondes, 99));
    std::printf("target %s\n", m1 / m2 <= cible ? "met" : "MISSED");
    return 0;
}

#include "bench_touches.moc"
