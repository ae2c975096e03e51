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
// inserted replacement.
QString Remplace(const QString& texte, const QString& cherché, const QString& remplacement,
                 int début = 1, Comparaison comparaison = Comparaison::Binaire);

// Pieces between separators; with a positive `limite` the last piece holds the rest of the
// text. -1 means no limit; 0 is invalid and gives no piece.
QStringList Découpe(const QString& texte, const QString& séparateur, qint16 limite = -1,
                    Comparaison comparaison = Comparaison::Binaire);

QString Joint(const QStringList& morceaux, const QString& séparateur);

QString PremièreMajuscule(const QString& texte);
