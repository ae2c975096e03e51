#pragma once

#include <QString>

class QWidget;

// The folder browser, opened on `départ`, with `consigne` written above the folders and a
// short title, which a window manager would otherwise cut; empty when cancelled.
QString ChoisitDossier(QWidget* parent, const QString& titre, const QString& consigne,
                       const QString& départ);
