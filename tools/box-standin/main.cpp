#include "boitier_simule.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// One line per request, flushed at once so that a script reading the pipe sees it.
void Affiche(QTextStream& sortie, const RequeteRecue& requête) {
    sortie << requête.heure.toString(u"hh:mm:ss.zzz"_s);
    if (requête.chemin == u"/pub/remote_control")
        sortie << u" key="_s << requête.touche << u" long="_s
               << (requête.longue ? u"true"_s : u"false"_s) << u" repeat="_s << requête.répétition;
    else
        sortie << u" path="_s << requête.chemin;
    sortie << u" status="_s << requête.statut << Qt::endl;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCommandLineParser options;
    options.setApplicationDescription(
        u"Local stand-in for the set-top box: answers /pub/remote_control and /pub/channels "
        u"on 127.0.0.1, for any host name, so that it can serve as an HTTP proxy."_s);
    options.addHelpOption();
    const QCommandLineOption port(u"port"_s, u"Port to listen on; 0 takes any free port."_s,
                                  u"port"_s, u"0"_s);
    const QCommandLineOption code(u"code"_s, u"Remote code that the box accepts."_s, u"code"_s,
                                  u"12345678"_s);
    const QCommandLineOption chaînes(u"channels"_s, u"Channel document served as is."_s, u"file"_s);
    const QCommandLineOption délai(u"delay-ms"_s, u"Delay before each answer."_s, u"milliseconds"_s,
                                   u"0"_s);
    options.addOptions({port, code, chaînes, délai});
    options.process(application);

    QTextStream erreurs(stderr);
    bool portLisible = false;
    const uint portVoulu = options.value(port).toUInt(&portLisible);
    bool délaiLisible = false;
    const int délaiVoulu = options.value(délai).toInt(&délaiLisible);
    if (!portLisible || portVoulu > 65535 || !délaiLisible || délaiVoulu < 0) {
        erreurs << u"box-standin: bad --port or --delay-ms"_s << Qt::endl;
        return 2;
    }

    BoitierSimule boitier;
    boitier.définitCode(options.value(code));
    boitier.définitFichierChaînes(options.value(chaînes));
    boitier.définitDélai(délaiVoulu);
    if (boitier.écoute(static_cast<quint16>(portVoulu)) == 0) {
        erreurs << u"box-standin: cannot listen on 127.0.0.1 port "_s << portVoulu << Qt::endl;
        return 1;
    }

    QTextStream sortie(stdout);
    sortie << u"PORT "_s << boitier.port() << Qt::endl;
    QObject::connect(&boitier, &BoitierSimule::requestReceived, &boitier,
                     [&sortie](const RequeteRecue& requête) { Affiche(sortie, requête); });
    return application.exec();
}
