#include "langues.h"

#include "fichiers.h"
#include "ini.h"
#include "nombres.h"
#include "traductions.h"

#include <QDir>
#include <QFile>
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

PremièreLangue LanguePremierDémarrage(const QStringList& dossiers, qint16 codeSystème) {
    if (codeSystème == 12)
        return {u"Français"_s};
    const QString langue = LangueDuCode(dossiers, codeSystème);
    if (langue.isEmpty())
        return {u"Français"_s, true};
    return {langue};
}

QString AvisSansFichierDeLangue(const QString& titre) {
    return u"First, thank you for having installed "_s + titre +
           u".\n\nNo translation file corresponding to the language of your system has been "
           u"found. French is selected by default, you can change this setting in the "
           u"configuration window accessible through the 'options' menu.\n\nYou can also write "
           u"the translation and send it to the author of this software so that other users can "
           u"benefit. Thank you in advance!\n\n-----------------------\n\nTout d'abord, merci "
           u"d'avoir installé "_s +
           titre +
           u".\n\nAucun fichier de traduction correspondant à la langue de votre système n'a "
           u"été trouvé. Le français est sélectionné par défaut, vous pouvez modifier ce réglage "
           u"dans la fenêtre de configuration accessible par le menu 'options'.\n\nVous pouvez "
           u"aussi créer la traduction manquante et la transmettre à l'auteur de ce logiciel pour "
           u"qu'il l'ajoute au package d'installation. D'autres utilisateurs pourront ainsi en "
           u"bénéficier. Merci d'avance !"_s;
}

QString FichierDeLaLangue(const QStringList& dossiers, const QString& langue) {
    if (langue.compare(u"Français"_s, Qt::CaseInsensitive) == 0)
        return {};
    const QString fichier = CheminLangue(dossiers, langue);
    if (QFile lu(fichier); fichier.isEmpty() || !lu.open(QIODevice::ReadOnly))
        return {};
    return fichier;
}

QLocale::Language LangueDuFichier(const QString& fichierLangue) {
    if (fichierLangue.isEmpty())
        return QLocale::French;
    const double code =
        ValeurNumérique(LitIni(fichierLangue, u"Traduction"_s, u"CodeLangue"_s, u"0"_s));
    return LangueQt(qint16(ArrondiEntier(code, 0, 255).value_or(0)));
}
