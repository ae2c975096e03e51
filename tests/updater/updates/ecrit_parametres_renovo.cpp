#include "settings/parametres_renovo.h"

#include <QCoreApplication>

#include <cstdio>

using namespace Qt::StringLiterals;

// Writes Renovo's settings as its exit sequence does, over and over, alternating between two
// states; "ready" once the first round is written. The test kills it at random moments.
// Usage: ecrit_parametres_renovo FILE [first|second]: writes that state once and ends.
int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2)
        return 2;
    const auto écrit = [fichier = arguments.at(1)](bool second) {
        ParamètresRenovo p;
        p.FichierParamètres = fichier;
        p.Langue = second ? u"English"_s : u"Français"_s;
        p.RechercherMaJOuvertureSession = second;
        p.RechercherMaJFréquence = second ? 2 : 0;
        p.ProxyType = second ? 2 : 1;
        p.ProxyAdresse = second ? u"proxy.example"_s : QString();
        p.ProxyPort = second ? u"3128"_s : u"8080"_s;
        p.ProxyLogin = second ? u"utilisateur"_s : u"moi"_s;
        p.ProxyPassword = second ? u"secret"_s : u"autre"_s;
        p.ProxySiErreurTesterAussiAccèsDirect = second;
        p.RépertoireTéléchargement = second ? u"/home/moi/Téléchargements"_s : u"/tmp"_s;
        EcritParamètres(p);
        EcritRépertoireTéléchargement(p);
    };
    if (arguments.size() == 3) {
        écrit(arguments.at(2) == u"second"_s);
        return 0;
    }
    écrit(false);
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (bool second = true;; second = !second)
        écrit(second);
}
