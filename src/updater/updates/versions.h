#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The three forms of a version: what the user reads, what sorts, what names the installer.
enum class FormeVersion : qint16 { Affichage = 1, Comparaison = 2, NomFichier = 3 };

// A major of -1 stands for the running program's own version. A revision above 99 encodes a
// pre-release in its digits: major, minor, revision (0 for three digits), then the beta number
// in the last digit, so (1, 0, 1203) is "v1.2 beta 3".
QString FormateVersion(qint16 majeur, qint16 mineur, qint16 révision, qint16 forme);

struct NumérosVersion {
    qint16 majeur = 0;
    qint16 mineur = 0;
    qint16 révision = 0;
};

// "1.5.2" into its numbers: missing or empty fields count as 0, fields beyond the third are
// ignored. Throws ErreurRenovo for a field that is no whole number or leaves the 16-bit range.
NumérosVersion NumérosDeVersion(const QString& texte);

// The forms of versions read from the update server or from uninstall entries, where -1 is a
// number like any other.
QString FormateVersion(const NumérosVersion& version, FormeVersion forme);

// Whether the latest version is newer than the installed one: major, minor and revision as
// numbers, then a pre-release before the release of the same numbers, then the beta number.
bool VersionPlusRécente(const NumérosVersion& publiée, const NumérosVersion& installée);

// The latest versions the update server knows: program names compared without regard to
// letter case, in the order received.
class TableVersions {
public:
    // Throws ErreurRenovo::CléEnDouble when the name is already there, in any letter case.
    void Ajoute(const QString& nom, const QString& version);
    // Empty when the name is unknown.
    QString Version(const QString& nom) const;
    bool estVide() const { return m_noms.isEmpty(); }
    qsizetype taille() const { return m_noms.size(); }

private:
    QStringList m_noms;
    QStringList m_versions;
    QHash<QString, qsizetype> m_positions; // by folded name
};

// The answer of the version script: lines "name=version" whatever their line ends; blank
// lines, lines holding "<br />" (PHP warnings) and lines without exactly one "=" are skipped.
// Throws ErreurRenovo::CléEnDouble for a name given twice: no partial table comes out.
TableVersions LitRéponseVersions(const QString& corps);

// The version script's address for the installed programs ("name=version" entries), each
// entry percent-encoded as UTF-8 but for its first "=", entries joined by "|".
QString AdresseRequêteVersions(const QString& adresseServeur, const QStringList& logiciels);
