#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// Language files: "<name>.lng", an INI file whose section "Traduction" holds the texts and
// its language's number under "CodeLangue".

// Where they are looked for: beside the program, then in share/renovo on an install.
QStringList DossiersLangues(const QString& dossierProgramme);

// The language names (file names without ".lng"), each folder's sorted by name without
// regard to case; a name found in an earlier folder hides the later ones.
QStringList ListeLangues(const QStringList& dossiers);

// The file of a language name; empty when none of the folders holds it.
QString CheminLangue(const QStringList& dossiers, const QString& langue);

// The first language, in list order, whose "CodeLangue" is the given number; empty when
// none is, and for 0, which names no language.
QString LangueDuCode(const QStringList& dossiers, qint16 code);

// The language of a first start: French on a French system (12), else the first language of
// the system's number, else French, and then `sansFichier`: the user is to be told that no
// file speaks the system's language.
struct PremièreLangue {
    QString langue;
    bool sansFichier = false;
};
PremièreLangue LanguePremierDémarrage(const QStringList& dossiers, qint16 codeSystème);

// That notice, in English and in French, for the program `titre`.
QString AvisSansFichierDeLangue(const QString& titre);

// The file of the language in use; empty for French, and for a language whose file is missing
// or cannot be read, which then speaks French rather than keep the program from starting.
QString FichierDeLaLangue(const QStringList& dossiers, const QString& langue);

// The language a file says it holds (its "CodeLangue"): French without a file,
// QLocale::AnyLanguage for a number no language has.
QLocale::Language LangueDuFichier(const QString& fichierLangue);
