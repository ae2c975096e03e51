#include "ecran_virtuel.h"
#include "navelo_pret.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

namespace {

constexpr double cible = 1.5;
constexpr int reposMs = 2'000;

// The peak resident memory of the program, left idle a while after its window showed.
qint64 Pic(ÉcranVirtuel& écran, const QString& programme, const QProcessEnvironment& environnement,
           const QByteArray& titre) {
    QProcess processus;
    if (écran.Lance(processus, programme, environnement, titre) < 0)
        return 0;
    QThread::msleep(reposMs);
    const qint64 pic = PicMémoireKo(processus.processId());
    Arrête(processus);
    return pic;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    ÉcranVirtuel écran;
    NaveloPrêt navelo;
    if (!écran.démarre() || !navelo.prépare()) {
        std::fprintf(stderr, "bench_memoire: cannot start Xvfb or copy Navelo\n");
        return 1;
    }
    const qint64 nôtre = Pic(écran, navelo.programme(), navelo.environnement(), "Navelo");
    const qint64 minimale =
        Pic(écran, QStringLiteral(FENETRE_MINIMALE), navelo.environnement(), "Minimale");
    if (nôtre == 0 || minimale == 0) {
        std::fprintf(stderr, "bench_memoire: a window never showed\n");
        return 1;
    }
    const double rapport = static_cast<double>(nôtre) / static_cast<double>(minimale);
    std::printf("Memory: peak resident memory (VmHWM) %d s after the window showed, on Xvfb,\n"
                "against a Qt Widgets program showing one window; target ratio <= %.1f\n",
                reposMs / 1'000, cible);
    std::printf("%-20s %10s %8s\n", "", "MiB", "ratio");
    std::printf("%-20s %10.1f %8s\n", "minimal program", static_cast<double>(minimale) / 1024, "");
    std::printf("%-20s %10.1f %8.2f\n", "Navelo", static_cast<double>(nôtre) / 1024, rapport);
    std::printf("target %s\n", rapport <= cible ? "met" : "MISSED");
    return 0;
}
