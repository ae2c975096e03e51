#include "reception.h"

#include "liste_logiciels.h"
#include "net/inet.h"
#include "telechargement.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSaveFile>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 Morceau = 1024;
constexpr qint64 IntervalleAffichageMs = 100;

class Réception {
public:
    Réception(Inet& inet, const QString& chemin, const QString& nomFichier,
              AffichageProgression& progression, const colTraductions& traductions)
        : inet(inet)
        , chemin(chemin)
        , nomFichier(nomFichier)
        , progression(progression)
        , traductions(traductions) {}

    IssueRéception attends() {
        QObject::connect(&inet, &Inet::StateChanged, &attente, [this] { avance(); });
        avance();
        while (enCours) {
            // The application is quitting.
            if (attente.exec() < 0)
                termine(IssueRéception::Échouée);
        }
        return issue;
    }

private:
    void avance() {
        if (!enCours)
            return;
        if (!fichier) {
            if (inet.StillExecuting() && !progression.Interrompu())
                return;
            if (progression.Interrompu())
                return termine(IssueRéception::Échouée);
            if (StatutRéponse(inet.GetHeader()) != u"200 OK")
                return termine(IssueRéception::Refusée);
            if (!commence())
                return termine(IssueRéception::Échouée);
        }
        while (restant > 0) {
            const qint64 voulus = qMin(Morceau, restant);
            if (inet.OctetsDisponibles() < voulus && !inet.CorpsTerminé())
                return;
            const QByteArray morceau = inet.GetChunkOctets(static_cast<int>(voulus));
            if (morceau.isEmpty() || progression.Interrompu() ||
                fichier->write(morceau) != morceau.size())
                return termine(IssueRéception::Échouée);
            restant -= morceau.size();
            const qint64 écoulé = chrono.elapsed();
            // Painting at every chunk would slow a fast transfer down.
            if (restant == 0 || écoulé - dernierAffichage >= IntervalleAffichageMs) {
                dernierAffichage = écoulé;
                progression.Avance(total - restant,
                                   TexteAvancement(total - restant, total, écoulé, traductions));
            }
        }
        termine(!progression.Interrompu() && fichier->commit() ? IssueRéception::Réussie
                                                               : IssueRéception::Échouée);
    }

    // The header says "200 OK": the file, and the progress up to Content-Length.
    bool commence() {
        bool nombre = false;
        total = inet.GetHeader(u"Content-Length"_s).trimmed().toLongLong(&nombre);
        if (!nombre || total < 0)
            return false;
        restant = total;
        progression.Commence(LigneTraitement(u"TXT_TRAITEMENT_TELECHARGEMENT"_s, nomFichier,
                                             u"TXT_STATUT_EN_COURS"_s, traductions),
                             total);
        fichier = std::make_unique<QSaveFile>(chemin);
        chrono.start();
        return fichier->open(QIODevice::WriteOnly);
    }

    void termine(IssueRéception fin) {
        enCours = false;
        issue = fin;
        attente.quit();
    }

    Inet& inet;
    const QString& chemin;
    const QString& nomFichier;
    AffichageProgression& progression;
    const colTraductions& traductions;
    std::unique_ptr<QSaveFile> fichier;
    QElapsedTimer chrono;
    qint64 total = 0;
    qint64 restant = 0;
    qint64 dernierAffichage = -IntervalleAffichageMs;
    bool enCours = true;
    IssueRéception issue = IssueRéception::Échouée;
    QEventLoop attente;
};

} // namespace

IssueRéception Reçoit(Inet& inet, const QString& chemin, const QString& nomFichier,
                      AffichageProgression& progression, const colTraductions& traductions) {
    return Réception(inet, chemin, nomFichier, progression, traductions).attends();
}
