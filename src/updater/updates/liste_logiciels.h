#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TableVersions;
class colTraductions;

// First field of an item's tag: where the item stands in this run.
namespace Marqueur {
inline constexpr auto Téléchargé = u"TOK";
inline constexpr auto ÉchecTéléchargement = u"TKO";
inline constexpr auto Installé = u"IOK";
inline constexpr auto ÉchecInstallation = u"IKO";
} // namespace Marqueur

// A tag is "marker|display version|file-name version"; fields count from 0.
QString ChampTag(const QString& tag, int champ);
// The new marker in place of the old, the version fields kept.
QString RemplaceMarqueur(const QString& tag, QStringView marqueur);

// One row of the list of installed programs, as the version check leaves it.
struct LigneLogiciel {
    QString nom;
    QString versionInstallée; // display form
    QString statut;
    bool cochée = false;
    bool grisée = false; // unknown to the server: never checkable, no tag
    QString tag;
};

struct ListeLogiciels {
    QList<LigneLogiciel> lignes;
    int misesÀJour = 0;
};

// One row per "name=version" entry, in order, against the server's latest versions. Throws
// ErreurRenovo for a version that is no 16-bit number.
ListeLogiciels RemplitListe(const QStringList& logicielsInstallés, const TableVersions& dernières,
                            const colTraductions& traductions);

// Status cells after a download or an installation: "v1.6 téléchargée", "v1.6 installée",
// "v1.6 erreur (téléchargement)"; `versionAffichée` is the tag's second field.
QString StatutTéléchargé(const QString& versionAffichée, const colTraductions& traductions);
QString StatutInstallé(const QString& versionAffichée, const colTraductions& traductions);
QString StatutÉchec(const QString& versionAffichée, const QString& cléOpération,
                    const colTraductions& traductions);

// A line of the download or installation list: "Téléchargement de X_setup.exe... en cours".
QString LigneTraitement(const QString& cléOpération, const QString& fichier, const QString& cléÉtat,
                        const colTraductions& traductions);

// The stem of an installer's names: the program's name, "_" when it ends with a digit, the
// file-name version ("Prog2" and "152" give "Prog2_152").
QString RacineInstallateur(const QString& nom, const QString& tag);
// Where the server keeps it: the stem percent-encoded, then ".exe".
QString AdresseInstallateur(const QString& adresseServeur, const QString& racine);
// The local name, "_setup.exe" after the stem; characters no file name may hold (folder
// separators included) become "_", so that no name leads out of the download folder.
QString NomFichierInstallateur(const QString& racine);
