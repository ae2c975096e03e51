#include "choix_dossier.h"

#include <QDir>
#include <QFileDialog>

namespace {

QStringList réponsesEnAttente;
QStringList départs;

} // namespace

QString ChoisitDossier(QWidget* parent, const QString& titre, const QString& départ) {
    if (!réponsesEnAttente.isEmpty()) {
        départs.append(départ);
        return réponsesEnAttente.takeFirst();
    }
    return QDir::toNativeSeparators(
        QFileDialog::getExistingDirectory(parent, titre, départ, QFileDialog::ShowDirsOnly));
}

void DossiersSuivants(const QStringList& réponses) {
    réponsesEnAttente = réponses;
    départs.clear();
}

QStringList DossiersDeDépart() {
    return départs;
}
