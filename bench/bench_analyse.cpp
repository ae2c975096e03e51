// Version answer parsing and discovery of installed programs at growing sizes: the time per
// line and per entry must stay flat (linear work).
#include "mediane.h"
#include "updates/logiciels_installes.h"
#include "updates/versions.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Microseconds per unit of the median of a few runs, fewer runs for the larger sizes.
template <typename Travail> double MicrosecondesPar(qsizetype unités, Travail travail) {
    QList<double> mesures;
    const int essais = unités >= 10000 ? 3 : 7;
    for (int i = 0; i < essais; ++i) {
        QElapsedTimer chrono;
        chrono.start();
        travail();
        mesures.append(chrono.nsecsElapsed() / 1000.0 / double(unités));
    }
    return Médiane(mesures);
}

// An answer as a PHP page gives it: CR LF line ends, a blank line and a warning now and then.
QString Réponse(int lignes) {
    QString texte;
    for (int i = 0; i < lignes; ++i) {
        if (i % 50 == 49)
            texte += u"<b>Warning</b>: something<br />\r\n\r\n"_s;
        else
            texte += u"Logiciel"_s + QString::number(i) + u"=1."_s + QString::number(i % 100) +
                     u".0\r\n"_s;
    }
    return texte;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    std::printf("Version answer parsing (CR LF lines, a PHP warning every 50):\n");
    std::printf("%10s %16s\n", "lines", "µs per line");
    for (int lignes : {10, 1000, 100000}) {
        const QString réponse = Réponse(lignes);
        qsizetype lues = 0;
        const double us =
            MicrosecondesPar(lignes, [&] { lues = LitRéponseVersions(réponse).taille(); });
        std::printf("%10d %16.3f%s\n", lignes, us, lues > 0 ? "" : "  (NOTHING READ)");
    }

    std::printf("\nDiscovery of the user's uninstall entries (one INI file each):\n");
    std::printf("%10s %16s\n", "entries", "µs per entry");
    for (int entrées : {10, 100, 1000, 10000}) {
        QTemporaryDir données;
        const QString dossier = données.filePath(u"korvane/uninstall"_s);
        QDir().mkpath(dossier);
        for (int i = 0; i < entrées; ++i) {
            QFile entrée(dossier + u"/Logiciel"_s + QString::number(i) + u".ini"_s);
            if (!entrée.open(QIODevice::WriteOnly))
                return 1;
            entrée.write("[Uninstall]\r\nPublisher=Korvane\r\nDisplayName=Logiciel v1.0\r\n"
                         "DisplayVersion=1.0\r\n");
        }
        qputenv("XDG_DATA_HOME", QFile::encodeName(données.path()));
        qsizetype trouvés = 0;
        const double us = MicrosecondesPar(entrées, [&] {
            QStringList liste;
            RechercheLogicielsInstallés(*RegistreSystème(), RacineRegistre::HKEY_CURRENT_USER,
                                        CléDésinstallation, liste);
            trouvés = liste.size();
        });
        std::printf("%10d %16.2f%s\n", entrées, us, trouvés == entrées ? "" : "  (ENTRIES MISSED)");
    }
    return 0;
}
