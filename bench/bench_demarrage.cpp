#include "ecran_virtuel.h"
#include "navelo_pret.h"

#include <QCoreApplication>
#include <QList>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int démarrages = 15;
constexpr double cible = 1.3;
// The start-up sequence sleeps this long before anything else.
constexpr double pauseMs = 100;

double Médiane(QList<double> valeurs) {
    std::sort(valeurs.begin(), valeurs.end());
    return valeurs.at(valeurs.size() / 2);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    ÉcranVirtuel écran;
    NaveloPrêt navelo;
    if (!écran.démarre() || !navelo.prépare()) {
        std::fprintf(stderr, "bench_demarrage: cannot start Xvfb or copy Navelo\n");
        return 1;
    }

    QList<double> nôtre;
    QList<double> minimale;
    // The first start of each only fills the file cache.
    for (int i = 0; i <= démarrages; ++i) {
        QProcess processus;
        navelo.oublieInstance();
        const double tNavelo =
            écran.Lance(processus, navelo.programme(), navelo.environnement(), "Navelo");
        Arrête(processus);
        const double tMinimale = écran.Lance(processus, QStringLiteral(FENETRE_MINIMALE),
                                             navelo.environnement(), "Minimale");
        Arrête(processus);
        if (tNavelo < 0 || tMinimale < 0) {
            std::fprintf(stderr, "bench_demarrage: a window never showed\n");
            return 1;
        }
        if (i > 0) {
            nôtre.append(tNavelo);
            minimale.append(tMinimale);
        }
    }

    const double m = Médiane(minimale);
    const double avec = Médiane(nôtre);
    const double sans = avec - pauseMs;
    std::printf("Start-up: process start to the main window mapped on Xvfb, warm channel cache,\n"
                "against a Qt Widgets program showing one window; median of %d;\n"
                "without the pause = measured - %.0f ms (a fixed sleep); target ratio <= %.1f\n",
                démarrages, pauseMs, cible);
    std::printf("%-28s %10s %8s\n", "", "ms", "ratio");
    std::printf("%-28s %10.1f %8s\n", "minimal program", m, "");
    std::printf("%-28s %10.1f %8.2f\n", "Navelo, with the pause", avec, avec / m);
    std::printf("%-28s %10.1f %8.2f\n", "Navelo, without the pause", sans, sans / m);
    std::printf("target %s\n", sans / m <= cible ? "met" : "MISSED");
    return 0;
}
