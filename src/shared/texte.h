#pragma once

#include <QString>
#include <QStringList>

enum class Comparaison { Binaire, Texte };

// Fills the "%v" placeholders (any letter case) one after the other. Every search starts
// again from the beginning, so a value that itself holds "%v" is filled by the next
// argument; missing arguments give empty texts, surplus ones are ignored.
QString FormateTexte(const QString& modèle, const QStringList& arguments);

// The piece written `nombre` times; nothing for a count of 0 or less.
QString RépèteTexte(qint16 nombre, const QString& morceau);

// Replaces every occurrence from the 1-based `début` on; the search resumes after each
// inserted replacement. The text before `début` is kept; a start below 1 counts as 1, and
// an empty text or an empty searched text gives the text back unchanged.
QString Remplace(const QString& texte, const QString& cherché, const QString& remplacement,
                 int début = 1, Comparaison comparaison = Comparaison::Binaire);

// Pieces between separators; with a positive `limite` the last piece holds the rest of the
// text. -1 means no limit; 0 or another negative count is invalid and gives no piece. An
// empty text gives no piece, an empty separator the whole text as the only piece.
QStringList Découpe(const QString& texte, const QString& séparateur, qint16 limite = -1,
                    Comparaison comparaison = Comparaison::Binaire);

// The pieces with the separator between them, none before the first or after the last.
QString Joint(const QStringList& morceaux, const QString& séparateur);

// The text with its first character in capitals, the rest as it is.
QString PremièreMajuscule(const QString& texte);
