#include "boite_message.h"

namespace {

QList<QMessageBox::StandardButton> réponsesEnAttente;
QList<MessageAffiché> messages;

} // namespace

QMessageBox::StandardButton AfficheMessage(QWidget* parent, QMessageBox::Icon icône,
                                           const QString& titre, const QString& texte,
                                           QMessageBox::StandardButtons boutons,
                                           QMessageBox::StandardButton défaut) {
    if (!réponsesEnAttente.isEmpty()) {
        messages.append({icône, titre, texte, boutons});
        return réponsesEnAttente.takeFirst();
    }
    QMessageBox boîte(icône, titre, texte, boutons, parent);
    if (défaut != QMessageBox::NoButton)
        boîte.setDefaultButton(défaut);
    return static_cast<QMessageBox::StandardButton>(boîte.exec());
}

void RéponsesSuivantes(const QList<QMessageBox::StandardButton>& réponses) {
    réponsesEnAttente = réponses;
}

QList<MessageAffiché> MessagesAffichés() {
    return messages;
}

void OublieMessages() {
    messages.clear();
    réponsesEnAttente.clear();
}
