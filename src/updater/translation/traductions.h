#pragma once

#include <QHash>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

// Every text of the updater, by key: the built-in French text, or its translation from the
// active language file. Keys compare without regard to letter case.
class colTraductions {
public:
    // Adding a key already present raises ErreurRenovo::CléEnDouble.
    void Add(const QString& Code, const QString& Valeur);
    // Empty for a missing key or a position outside 1..Count.
    QString Item(const QString& clé) const;
    QString Item(int position) const;
    int Count() const { return static_cast<int>(valeurs.size()); }
    bool Contains(const QString& clé) const;

private:
    QStringList valeurs;
    QHash<QString, qsizetype> positions; // by folded key
};

// The text of one key: the line of section "Traduction" (or of the key a "{name}" alias
// names), else the "<key>...</key>" block, else the default; then "§" becomes a line
// break and "'§'" a bare "§". An empty path gives the default. A path to a missing file
// raises ErreurRenovo::FichierIntrouvable when the block search has to open it.
QString LitTraduction(const QString& fichierLangue, const QString& clé, const QString& défaut);

// A language file read once for many lookups, each as LitTraduction gives it.
class LangueLue {
public:
    explicit LangueLue(const QString& fichierLangue);
    QString Traduction(const QString& clé, const QString& défaut) const;
    // The file named could be read.
    bool Lue() const { return contenu.has_value(); }

private:
    QString chemin;
    std::optional<QByteArray> contenu; // none when the file cannot be read
};

void AjouteTraduction(colTraductions& traductions, const QString& fichierLangue, const QString& clé,
                      const QString& défaut);
void AjouteTraduction(colTraductions& traductions, const LangueLue& langue, const QString& clé,
                      const QString& défaut);

// Every key of the catalogue with its built-in text, in table order.
void ChargeTraductions(colTraductions& traductions, const QString& fichierLangue);

// The built-in text of a catalogue key, markup applied; empty for a key it does not hold.
QString TexteIntégré(const QString& clé);

// The primary language number Windows gives the locale's language (12 French, 9 English,
// 7 German...); 0 for a language it has no number for. The C locale speaks English.
qint16 CodeLangue(const QLocale& locale);
qint16 CodeLangueSystème();
// The language of such a number; QLocale::AnyLanguage for one it does not know.
QLocale::Language LangueQt(qint16 code);

// Texts with line breaks as the widgets want them: "\n" alone.
QString TexteÀAfficher(QString texte);
