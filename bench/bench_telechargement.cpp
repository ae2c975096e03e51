// Resident memory and speed of one 1 GiB installer download, the body served by the update
// server stand-in in a process of its own. The target: the resident memory after the download
// stays within 16 MiB of what it was before.
#include "serveur_genere.h"
#include "settings/parametres_renovo.h"
#include "translation/traductions.h"
#include "updates/telechargement.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 Taille = 1LL << 30;

// A field of /proc/self/status in KiB.
qint64 ÉtatKo(const QByteArray& champ) {
    QFile état(u"/proc/self/status"_s);
    if (!état.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& ligne : état.readAll().split('\n')) {
        if (ligne.startsWith(QByteArray(champ + ':')))
            return ligne.mid(champ.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

struct Silencieuse : AffichageProgression {
    int affichages = 0;
    void Prépare() override {}
    void Commence(const QString&, qint64) override {}
    void Avance(qint64, const QString&) override { ++affichages; }
    bool Interrompu() const override { return false; }
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QProcess serveur;
    const QString url = LanceServeurGénéré(serveur, Taille);
    if (url.isEmpty())
        return 1;

    colTraductions traductions;
    ChargeTraductions(traductions, QString());
    QTemporaryDir dossier;
    Silencieuse progression;
    const qint64 avant = ÉtatKo("VmRSS");
    QElapsedTimer chrono;
    chrono.start();
    const bool réussi = Télécharge(ParamètresRenovo{}, url, dossier.path(), u"Gros100_setup.exe"_s,
                                   progression, traductions);
    const qint64 ms = chrono.elapsed();
    const qint64 après = ÉtatKo("VmRSS");
    const qint64 pic = ÉtatKo("VmHWM");
    serveur.kill();
    serveur.waitForFinished();

    const qint64 reçus = QFileInfo(dossier.filePath(u"Gros100_setup.exe"_s)).size();
    std::printf("1 GiB download: %s, %lld bytes in %.1f s (%.0f MiB/s), %d progress displays\n",
                réussi ? "complete" : "FAILED", static_cast<long long>(reçus), ms / 1000.0,
                Taille / 1048576.0 / (ms / 1000.0), progression.affichages);
    std::printf("Resident memory: %.1f MiB before, %.1f MiB after (%+.1f MiB), peak %.1f MiB; "
                "target: within 16 MiB\n",
                avant / 1024.0, après / 1024.0, (après - avant) / 1024.0, pic / 1024.0);
    return réussi && reçus == Taille && après - avant <= 16 * 1024 ? 0 : 1;
}
