// Download throughput of the file mode with its progress shown on the wizard (offscreen),
// against curl fetching the same 256 MiB from the same update server stand-in in the same run.
// Target: at least 0.9 times curl's throughput. Also the CPU time each spends per MiB.
#include "mediane.h"
#include "serveur_genere.h"
#include "translation/traductions.h"
#include "updates/telechargement.h"
#include "wizard/frmKorvaneUpdate.h"
#include "wizard/vues_fenetre.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QListWidget>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 Taille = 256LL << 20;
constexpr int Essais = 3;
constexpr double Cible = 0.9;

double SecondesCpu(int qui) {
    rusage usage{};
    getrusage(qui, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Mesure {
    double secondes = 0;
    double cpu = 0;
};

// Qt's own HTTP client as plainly as it can be used: each arrival read whole and written.
bool TéléchargeQt(QNetworkAccessManager& gestionnaire, const QString& url, const QString& chemin) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return false;
    QNetworkReply* réponse = gestionnaire.get(QNetworkRequest(QUrl(url)));
    QEventLoop boucle;
    QObject::connect(réponse, &QNetworkReply::readyRead, &boucle,
                     [&] { fichier.write(réponse->readAll()); });
    QObject::connect(réponse, &QNetworkReply::finished, &boucle, &QEventLoop::quit);
    boucle.exec();
    fichier.write(réponse->readAll());
    réponse->deleteLater();
    return réponse->error() == QNetworkReply::NoError && fichier.size() == Taille;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QProcess serveur;
    const QString url = LanceServeurGénéré(serveur, Taille);
    if (url.isEmpty())
        return 1;
    QTemporaryDir dossier;
    const QString cheminCurl = dossier.filePath(u"curl.exe"_s);
    const QString cheminRenovo = dossier.filePath(u"Gros100_setup.exe"_s);

    colTraductions traductions;
    ChargeTraductions(traductions, QString());
    frmKorvaneUpdate fenêtre;
    fenêtre.lstTéléchargements->addItem(u"Téléchargement de Gros100_setup.exe..."_s);
    fenêtre.show();
    VueTéléchargementsFenêtre progression(fenêtre);

    QNetworkAccessManager gestionnaire;
    QList<double> débitsCurl, débitsRenovo, débitsQt, cpuCurl, cpuRenovo, cpuQt;
    bool complet = true;
    for (int essai = 0; essai < Essais; ++essai) {
        QElapsedTimer chrono;
        chrono.start();
        const double cpuEnfantsAvant = SecondesCpu(RUSAGE_CHILDREN);
        QProcess curl;
        curl.start(u"curl"_s, {u"-s"_s, u"-o"_s, cheminCurl, url});
        curl.waitForFinished(-1);
        débitsCurl.append(Taille / 1048576.0 / (chrono.nsecsElapsed() / 1e9));
        cpuCurl.append((SecondesCpu(RUSAGE_CHILDREN) - cpuEnfantsAvant) * 1000 / (Taille >> 20));
        complet = complet && curl.exitCode() == 0 && QFileInfo(cheminCurl).size() == Taille;

        const double cpuAvant = SecondesCpu(RUSAGE_SELF);
        chrono.restart();
        complet = Télécharge(ParamètresRenovo{}, url, dossier.path(), u"Gros100_setup.exe"_s,
                             progression, traductions) &&
                  complet && QFileInfo(cheminRenovo).size() == Taille;
        débitsRenovo.append(Taille / 1048576.0 / (chrono.nsecsElapsed() / 1e9));
        cpuRenovo.append((SecondesCpu(RUSAGE_SELF) - cpuAvant) * 1000 / (Taille >> 20));
        QFile::remove(cheminRenovo);

        const double cpuQtAvant = SecondesCpu(RUSAGE_SELF);
        chrono.restart();
        complet = TéléchargeQt(gestionnaire, url, cheminCurl) && complet;
        débitsQt.append(Taille / 1048576.0 / (chrono.nsecsElapsed() / 1e9));
        cpuQt.append((SecondesCpu(RUSAGE_SELF) - cpuQtAvant) * 1000 / (Taille >> 20));
        QFile::remove(cheminCurl);
    }
    serveur.kill();
    serveur.waitForFinished();

    const double renovo = Médiane(débitsRenovo), référence = Médiane(débitsCurl);
    std::printf("Download of 256 MiB from the local update server, progress shown on the wizard "
                "(offscreen),\nagainst curl -o on the same server; median of %d; target ratio "
                ">= %.1f\n",
                Essais, Cible);
    std::printf("%-10s %12s %16s\n", "", "MiB/s", "CPU ms per MiB");
    std::printf("%-10s %12.0f %16.2f\n", "Renovo", renovo, Médiane(cpuRenovo));
    std::printf("%-10s %12.0f %16.2f\n", "curl", référence, Médiane(cpuCurl));
    std::printf("%-10s %12.0f %16.2f  (QNetworkAccessManager alone, for comparison)\n", "Qt",
                Médiane(débitsQt), Médiane(cpuQt));
    std::printf("ratio %.2f, target %s%s\n", renovo / référence,
                renovo / référence >= Cible ? "met" : "MISSED", complet ? "" : " (INCOMPLETE)");
    return complet ? 0 : 1;
}
