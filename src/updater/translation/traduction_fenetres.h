#pragma once

#include <QString>

class QObject;
class QTreeWidget;
class QWidget;

// Captions from the active language file, each looked up under its control's object name
// with the current caption as default; nothing happens without a language file that can be
// read.

// The window's title (under the window's name), then the captions of labels, frames,
// buttons, check boxes, option buttons and menu items and the text of text boxes, in the
// order the controls were created. A label that shows a picture is left alone.
void TraduitFeuille(QWidget* fenêtre, const QString& fichierLangue);

// The column titles, each under the key its header item holds (ClésColonne).
void TraduitColonnes(QTreeWidget* liste, const QString& fichierLangue);

// Creates the columns with their catalogue keys and built-in titles.
void CréeColonnes(QTreeWidget* liste, const QList<std::pair<QString, QString>>& colonnes);

// A member of a control array: its "Index" property holds 0 or more. Its key is then
// its name followed by the index between brackets.
bool EstMembreDeGroupe(const QObject* contrôle);
