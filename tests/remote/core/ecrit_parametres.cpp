#include "core/parametres.h"

#include <QCoreApplication>

#include <cstdio>

using namespace Qt::StringLiterals;

// Writes Navelo's settings as its shutdown does, over and over, alternating between two
// states; "ready" once the first round is written. The test kills it at random moments.
// Usage: ecrit_parametres FILE [first|second]: writes that state once and ends.
int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2)
        return 2;
    const auto écrit = [fichier = arguments.at(1)](bool second) {
        ParamètresNavelo p;
        p.FichierIni = fichier;
        p.CodeTélécommande = second ? u"87654321"_s : u"12345678"_s;
        p.Version = second ? 6 : 5;
        p.Hd = second ? 2 : 1;
        p.FenêtreToujoursAuDessus = second;
        p.TailleFenêtrePrincipale = second ? 250 : 100;
        p.TailleClavier = second ? 75 : 100;
        p.TailleLogos = second ? 200 : 50;
        EcritParamètres(p);
        const int d = second ? 1500 : 0;
        EcritPositions(fichier, {QPoint(1200 + d, 900 + d), QPoint(300 + d, 45 + d),
                                 QRect(15 + d, 30, 3735, 6330 + d)});
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
