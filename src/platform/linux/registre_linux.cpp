#include "ini.h"
#include "registre.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString cléDésinstallation = u"software\\microsoft\\windows\\currentversion\\uninstall"_s;
const QString dossierEntrées = u"korvane/uninstall"_s;
const QString extension = u".ini"_s;

class RegistreFichiers : public Registre {
public:
    QStringList SousClés(RacineRegistre racine, const QString& clé) const override {
        if (clé.compare(cléDésinstallation, Qt::CaseInsensitive) != 0)
            return {};
        QStringList noms;
        QSet<QString> vus;
        for (const QString& dossier : Dossiers(racine)) {
            const QStringList fichiers = QDir(dossier).entryList(
                {u'*' + extension}, QDir::Files | QDir::Readable | QDir::Hidden);
            for (const QString& fichier : fichiers) {
                const QString nom = fichier.chopped(extension.size());
                if (!vus.contains(nom.toCaseFolded())) {
                    vus.insert(nom.toCaseFolded());
                    noms.append(nom);
                }
            }
        }
        std::sort(noms.begin(), noms.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        return noms;
    }

    QString LitChaîne(RacineRegistre racine, const QString& clé,
                      const QString& nom) const override {
        // The subkey is all that follows the uninstall key: a file name may hold a backslash.
        const qsizetype longueur = cléDésinstallation.size();
        if (clé.size() <= longueur + 1 || clé.at(longueur) != u'\\' ||
            !clé.startsWith(cléDésinstallation, Qt::CaseInsensitive))
            return {};
        const QString sousClé = clé.mid(longueur + 1);
        for (const QString& dossier : Dossiers(racine)) {
            const QDir entrées(dossier);
            // The name as listed is the file's own, so most lookups need no listing of the
            // folder, which would make discovery grow with the square of the entries.
            // Joined by hand: QDir would take a name beginning with ":" for a resource.
            const QString exact = dossier + u'/' + sousClé + extension;
            if (QFileInfo(exact).isFile())
                return LitIni(exact, u"Uninstall"_s, nom, QString());
            for (const QString& fichier :
                 entrées.entryList({u'*' + extension}, QDir::Files | QDir::Hidden)) {
                if (fichier.chopped(extension.size()).compare(sousClé, Qt::CaseInsensitive) == 0)
                    return LitIni(dossier + u'/' + fichier, u"Uninstall"_s, nom, QString());
            }
        }
        return {};
    }

private:
    static QStringList Dossiers(RacineRegistre racine) {
        const QString utilisateur =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        QStringList racines;
        if (racine == RacineRegistre::HKEY_CURRENT_USER) {
            racines.append(utilisateur);
        } else if (racine == RacineRegistre::HKEY_LOCAL_MACHINE) {
            racines = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
            racines.removeAll(utilisateur);
        }
        QStringList dossiers;
        for (const QString& dossier : racines)
            dossiers.append(QDir(dossier).filePath(dossierEntrées));
        return dossiers;
    }
};

} // namespace

std::unique_ptr<Registre> RegistreSystème() {
    return std::make_unique<RegistreFichiers>();
}
