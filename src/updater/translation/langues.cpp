#include "langues.h"

#include "fichiers.h"
#include "ini.h"
#include "nombres.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString extension = u".lng"_s;

QStringList FichiersLangues(const QString& dossier) {
    QStringList fichiers = QDir(dossier).entryList({u'*' + extension}, QDir::Files);
    std::sort(fichiers.begin(), fichiers.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return fichiers;
}

// Each language once, with its file: the first folder's, in name order.
QList<std::pair<QString, QString>> LanguesEtFichiers(const QStringList& dossiers) {
    QList<std::pair<QString, QString>> langues;
    QStringList noms;
    for (const QString& dossier : dossiers) {
        for (const QString& fichier : FichiersLangues(dossier)) {
            const QString langue = fichier.chopped(extension.size());
            if (noms.contains(langue, Qt::CaseInsensitive))
                continue;
            noms.append(langue);
            // Not QDir::filePath, which takes a name beginning with ":" for a resource.
            langues.append({langue, AjouteAntiSlash(dossier) + fichier});
        }
    }
    return langues;
}

} // namespace

QStringList DossiersLangues(const QString& dossierProgramme) {
    QStringList dossiers{dossierProgramme};
    const QDir programme(dossierProgramme);
    const QString partagé = QDir::cleanPath(programme.filePath(u"../share/renovo"_s));
    if (programme.dirName() == u"bin"_s && QFileInfo(partagé).isDir())
        dossiers.append(partagé);
    return dossiers;
}

QStringList ListeLangues(const QStringList& dossiers) {
    QStringList langues;
    for (const auto& [langue, fichier] : LanguesEtFichiers(dossiers))
        langues.append(langue);
    return langues;
}

QString CheminLangue(const QStringList& dossiers, const QString& langue) {
    for (const QString& dossier : dossiers) {
        for (const QString& fichier : FichiersLangues(dossier)) {
            if (fichier.chopped(extension.size()).compare(langue, Qt::CaseInsensitive) == 0)
                // Not QDir::filePath, which takes a name beginning with ":" for a resource.
                return AjouteAntiSlash(dossier) + fichier;
        }
    }
    return {};
}

QString LangueDuCode(const QStringList& dossiers, qint16 code) {
    // A language without a number, and a file without one, both read 0: no match.
    if (code == 0)
        return {};
    // The folders are listed once, not again for each language.
    for (const auto& [langue, fichier] : LanguesEtFichiers(dossiers)) {
        if (ValeurNumérique(LitIni(fichier, u"Traduction"_s, u"CodeLangue"_s, u"0"_s)) == code)
            return langue;
    }
    return {};
}
