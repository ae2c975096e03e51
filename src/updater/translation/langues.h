#pragma once

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
