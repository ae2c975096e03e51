#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The system's folder browser, opened on `départ`; empty when cancelled.
QString ChoisitDossier(QWidget* parent, const QString& titre, const QString& départ);

// Test hook: the next browsers are not shown; each answers the next queued folder and
// records its start folder.
void DossiersSuivants(const QStringList& réponses);
QStringList DossiersDeDépart();
