#include "choix_dossier.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QVBoxLayout>

QString ChoisitDossier(QWidget* parent, const QString& titre, const QString& consigne,
                       const QString& départ) {
    QDialog fenêtre(parent);
    fenêtre.setWindowTitle(titre);
    auto* texte = new QLabel(consigne, &fenêtre);
    texte->setWordWrap(true);
    // Qt's own browser, which a dialog can hold; a native one could not show the sentence.
    auto* navigateur = new QFileDialog(&fenêtre, QString(), départ);
    navigateur->setWindowFlags(Qt::Widget);
    navigateur->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
    navigateur->setFileMode(QFileDialog::Directory);
    QObject::connect(navigateur, &QDialog::finished, &fenêtre, &QDialog::done);
    // The sentence lines up with the browser's own controls.
    QMargins marges = navigateur->layout()->contentsMargins();
    marges.setBottom(0);
    texte->setContentsMargins(marges);
    auto* disposition = new QVBoxLayout(&fenêtre);
    disposition->setContentsMargins({});
    disposition->addWidget(texte);
    disposition->addWidget(navigateur);
    if (fenêtre.exec() != QDialog::Accepted)
        return {};
    const QStringList choisis = navigateur->selectedFiles();
    return choisis.isEmpty() ? QString() : QDir::toNativeSeparators(choisis.constFirst());
}
