#include "ecran_virtuel.h"
#include "navelo_pret.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr double cible = 1.5;
constexpr int reposMs = 2'000;

// The peak resident memory of the program, left idle a while after its window showed.
qint64 Pic(ÉcranVirtuel& écran, const QString& programme, const QStringList& arguments,
           const QProcessEnvironment& environnement, const QByteArray& titre) {
    QProcess processus;
    if (écran.Lance(processus, programme, arguments, environnement, titre) < 0)
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
    const QString minimale = QStringLiteral(FENETRE_MINIMALE);
    const qint64 référence = Pic(écran, minimale, {}, navelo.environnement(), "Minimale");
    const qint64 texte = Pic(écran, minimale, {u"--text"_s}, navelo.environnement(), "Minimale");
    const qint64 nôtre = Pic(écran, navelo.programme(), {}, navelo.environnement(), "Navelo");
    if (nôtre == 0 || référence == 0 || texte == 0) {
        std::fprintf(stderr, "bench_memoire: a window never showed\n");
        return 1;
    }
    const auto ligne = [&](const char* nom, qint64 ko) {
        const double rapport = static_cast<double>(ko) / static_cast<double>(référence);
        std::printf("%-24s %10.1f %8.2f\n", nom, static_cast<double>(ko) / 1024, rapport);
        return rapport;
    };
    std::printf("Memory: peak resident memory (VmHWM) %d s after the window showed, on Xvfb,\n"
                "against a Qt Widgets program showing one empty window; target ratio <= %.1f\n",
                reposMs / 1'000, cible);
    std::printf("%-24s %10s %8s\n", "", "MiB", "ratio");
    ligne("minimal program", référence);
    ligne("  with a line of text", texte);
    const double rapport = ligne("Navelo", nôtre);
    std::printf("target %s\n", rapport <= cible ? "met" : "MISSED");
    return 0;
}
