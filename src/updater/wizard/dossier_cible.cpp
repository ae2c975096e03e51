#include "dossier_cible.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

bool DossierCibleValide(const QString& dossier) {
    if (dossier.trimmed().isEmpty() || !QFileInfo(dossier).isDir())
        return false;
    // Permission bits say nothing of a read-only mount: try it.
    QTemporaryFile essai(QDir(dossier).filePath(u"renovo-XXXXXX"_s));
    return essai.open();
}
