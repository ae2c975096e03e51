#include "ecran_virtuel.h"
#include "mediane.h"
#include "navelo_pret.h"

#include <QCoreApplication>
#include <QList>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int démarrages = 15;
constexpr double cible = 1.3;
// The start-up sequence sleeps this long before anything else.
constexpr double pauseMs = 100;

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    ÉcranVirtuel écran;
    NaveloPrêt navelo;
    if (!écran.démarre() || !navelo.prépare()) {
        std::fprintf(stderr, "bench_demarrage: cannot start Xvfb or copy Navelo\n");
        return 1;
    }

    const QString minimale = QStringLiteral(FENETRE_MINIMALE);
    struct Programme {
        const char* nom;
        QString chemin;
        QStringList arguments;
        QByteArray titre;
        QList<double> temps;
    };
    Programme programmes[] = {
        {"minimal program", minimale, {}, "Minimale", {}},
        {"  with a line of text", minimale, {u"--text"_s}, "Minimale", {}},
        {"Navelo, with the pause", navelo.programme(), {}, "Navelo", {}},
    };
    // The first start of each only fills the file cache.
    for (int i = 0; i <= démarrages; ++i) {
        for (Programme& programme : programmes) {
            QProcess processus;
            navelo.oublieInstance();
            const double temps = écran.Lance(processus, programme.chemin, programme.arguments,
                                             navelo.environnement(), programme.titre);
            Arrête(processus);
            if (temps < 0) {
                std::fprintf(stderr, "bench_demarrage: %s never showed its window\n",
                             programme.nom);
                return 1;
            }
            if (i > 0)
                programme.temps.append(temps);
        }
    }

    const double référence = Médiane(programmes[0].temps);
    const double avec = Médiane(programmes[2].temps);
    const double sans = avec - pauseMs;
    std::printf("Start-up: process start to the main window mapped on Xvfb, warm channel cache,\n"
                "against a Qt Widgets program showing one empty window; median of %d;\n"
                "without the pause = measured - %.0f ms (a fixed sleep); target ratio <= %.1f\n",
                démarrages, pauseMs, cible);
    std::printf("%-28s %10s %8s\n", "", "ms", "ratio");
    for (const Programme& programme : programmes) {
        const double m = Médiane(programme.temps);
        std::printf("%-28s %10.1f %8.2f\n", programme.nom, m, m / référence);
    }
    std::printf("%-28s %10.1f %8.2f\n", "Navelo, without the pause", sans, sans / référence);
    std::printf("target %s\n", sans / référence <= cible ? "met" : "MISSED");
    return 0;
}
