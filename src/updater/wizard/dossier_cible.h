#pragma once

#include <QString>

// The download folder can receive the installers: an existing folder that can be written.
// An empty text or a file does not pass.
bool DossierCibleValide(const QString& dossier);
