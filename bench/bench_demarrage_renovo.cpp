// Renovo's interactive start with two programs of the maker registered, from the start of the
// process to its wizard window mapped on a display of its own, against a minimal Qt window.
// Target: within 1.3 times the minimal window.
#include "ecran_virtuel.h"
#include "mediane.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QVersionNumber>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int démarrages = 15;
constexpr double cible = 1.3;

bool Écrit(const QString& chemin, const QByteArray& contenu) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::WriteOnly) && fichier.write(contenu) == contenu.size();
}

// A portable Renovo that has run before (its language chosen), two uninstall entries of the
// user, and nothing else of this machine's.
bool Prépare(const QTemporaryDir& dossier) {
    const QString entrées = dossier.filePath(u"donnees/korvane/uninstall"_s);
    return QDir().mkpath(entrées) &&
           QFile::copy(QStringLiteral(PROGRAMME_RENOVO), dossier.filePath(u"Renovo"_s)) &&
           Écrit(dossier.filePath(u"Renovo.ini"_s), "[Config]\r\nLangue=Fran\xE7"
                                                    "ais\r\n") &&
           Écrit(entrées + u"/Navelo.ini"_s,
                 "[Uninstall]\r\nPublisher=Korvane\r\n"
                 "DisplayName=Navelo v1.0.0\r\nDisplayVersion=1.0.0\r\n") &&
           Écrit(entrées + u"/Outil.ini"_s, "[Uninstall]\r\nPublisher=Korvane\r\n"
                                            "DisplayName=Outil v2.1\r\nDisplayVersion=2.1\r\n");
}

// The window's title: the version's revision only when it is not 0.
QByteArray TitreRenovo() {
    const QVersionNumber version = QVersionNumber::fromString(QStringLiteral(VERSION_RENOVO));
    QByteArray titre = "Renovo v" + QByteArray::number(version.majorVersion()) + '.' +
                       QByteArray::number(version.minorVersion());
    if (version.microVersion() > 0)
        titre += '.' + QByteArray::number(version.microVersion());
    return titre;
}

QProcessEnvironment Environnement(const QTemporaryDir& dossier) {
    QProcessEnvironment environnement;
    for (const QString& nom : {u"HOME"_s, u"TMPDIR"_s, u"XDG_RUNTIME_DIR"_s})
        environnement.insert(nom, dossier.path());
    environnement.insert(u"XDG_DATA_HOME"_s, dossier.filePath(u"donnees"_s));
    environnement.insert(u"XDG_DATA_DIRS"_s, dossier.filePath(u"systeme"_s));
    environnement.insert(u"LANG"_s, u"fr_FR.UTF-8"_s);
    environnement.insert(u"PATH"_s, qEnvironmentVariable("PATH"));
    return environnement;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    ÉcranVirtuel écran;
    QTemporaryDir dossier;
    if (!écran.démarre() || !Prépare(dossier)) {
        std::fprintf(stderr, "bench_demarrage_renovo: cannot start Xvfb or copy Renovo\n");
        return 1;
    }
    struct Programme {
        const char* nom;
        QString chemin;
        QByteArray titre;
        QList<double> temps;
    };
    Programme programmes[] = {
        {"minimal program", QStringLiteral(FENETRE_MINIMALE), "Minimale", {}},
        {"Renovo", dossier.filePath(u"Renovo"_s), TitreRenovo(), {}},
    };
    // The first start of each only fills the file cache.
    for (int i = 0; i <= démarrages; ++i) {
        for (Programme& programme : programmes) {
            QProcess processus;
            const double temps = écran.Lance(processus, programme.chemin, {},
                                             Environnement(dossier), programme.titre);
            Arrête(processus);
            if (temps < 0) {
                std::fprintf(stderr, "bench_demarrage_renovo: %s never showed its window\n",
                             programme.nom);
                return 1;
            }
            if (i > 0)
                programme.temps.append(temps);
        }
    }

    const double référence = Médiane(programmes[0].temps);
    const double renovo = Médiane(programmes[1].temps);
    std::printf("Renovo start-up, two programs registered: process start to the wizard mapped on "
                "Xvfb,\nagainst a Qt Widgets program showing one empty window; median of %d; "
                "target ratio <= %.1f\n",
                démarrages, cible);
    std::printf("%-28s %10s %8s\n", "", "ms", "ratio");
    for (const Programme& programme : programmes) {
        const double m = Médiane(programme.temps);
        std::printf("%-28s %10.1f %8.2f\n", programme.nom, m, m / référence);
    }
    std::printf("target %s\n", renovo / référence <= cible ? "met" : "MISSED");
    return 0;
}
