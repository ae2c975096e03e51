#include "traduction_fenetres.h"

#include "traductions.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr int rôleClé = Qt::UserRole;

QString CléContrôle(const QObject* contrôle) {
    if (!EstMembreDeGroupe(contrôle))
        return contrôle->objectName();
    return u"%1(%2)"_s.arg(contrôle->objectName()).arg(contrôle->property("Index").toInt());
}

} // namespace

bool EstMembreDeGroupe(const QObject* contrôle) {
    bool nombre = false;
    const int index = contrôle->property("Index").toInt(&nombre);
    return nombre && index > -1;
}

void TraduitFeuille(QWidget* fenêtre, const QString& fichierLangue) {
    // A file gone or made unreadable since the start leaves the captions as they are.
    const LangueLue langue(fichierLangue);
    if (!langue.Lue())
        return;
    const auto traduit = [&](const QObject* contrôle, const QString& actuel) {
        return TexteÀAfficher(langue.Traduction(CléContrôle(contrôle), actuel));
    };
    fenêtre->setWindowTitle(
        TexteÀAfficher(langue.Traduction(fenêtre->objectName(), fenêtre->windowTitle())));
    for (QObject* contrôle : fenêtre->findChildren<QObject*>()) {
        if (contrôle->objectName().isEmpty())
            continue;
        if (auto* étiquette = qobject_cast<QLabel*>(contrôle)) {
            if (étiquette->pixmap().isNull())
                étiquette->setText(traduit(étiquette, étiquette->text()));
        } else if (auto* bouton = qobject_cast<QAbstractButton*>(contrôle)) {
            bouton->setText(traduit(bouton, bouton->text()));
        } else if (auto* cadre = qobject_cast<QGroupBox*>(contrôle)) {
            cadre->setTitle(traduit(cadre, cadre->title()));
        } else if (auto* action = qobject_cast<QAction*>(contrôle)) {
            action->setText(traduit(action, action->text()));
        } else if (auto* ligne = qobject_cast<QLineEdit*>(contrôle)) {
            ligne->setText(traduit(ligne, ligne->text()));
        } else if (auto* texte = qobject_cast<QPlainTextEdit*>(contrôle)) {
            texte->setPlainText(traduit(texte, texte->toPlainText()));
        }
    }
}

void CréeColonnes(QTreeWidget* liste, const QList<std::pair<QString, QString>>& colonnes) {
    liste->setColumnCount(static_cast<int>(colonnes.size()));
    QTreeWidgetItem* entête = liste->headerItem();
    for (int i = 0; i < colonnes.size(); ++i) {
        entête->setData(i, rôleClé, colonnes.at(i).first);
        entête->setText(i, colonnes.at(i).second);
    }
}

void TraduitColonnes(QTreeWidget* liste, const QString& fichierLangue) {
    const LangueLue langue(fichierLangue);
    if (!langue.Lue())
        return;
    QTreeWidgetItem* entête = liste->headerItem();
    for (int i = 0; i < liste->columnCount(); ++i) {
        const QString clé = entête->data(i, rôleClé).toString();
        entête->setText(i, TexteÀAfficher(langue.Traduction(clé, entête->text(i))));
    }
}
