#include "boite_message.h"

#include "centrage.h"

#include <QAbstractButton>
#include <QShowEvent>

namespace {

QList<QMessageBox::StandardButton> réponsesEnAttente;
QList<MessageAffiché> messages;

// Its size is known only once it is about to show.
class BoîteMessage : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* évènement) override {
        QMessageBox::showEvent(évènement);
        if (!évènement->spontaneous())
            CentreFenêtre(this, parentWidget());
    }
};

} // namespace

QMessageBox::StandardButton AfficheMessage(QWidget* parent, QMessageBox::Icon icône,
                                           const QString& titre, const QString& texte,
                                           QMessageBox::StandardButtons boutons,
                                           QMessageBox::StandardButton défaut) {
    if (!réponsesEnAttente.isEmpty()) {
        messages.append({icône, titre, texte, boutons});
        return réponsesEnAttente.takeFirst();
    }
    BoîteMessage boîte(icône, titre, texte, boutons, parent);
    // The desktop's style may put icons on the buttons; these boxes have none.
    const QList<QAbstractButton*> lesBoutons = boîte.buttons();
    for (QAbstractButton* bouton : lesBoutons)
        bouton->setIcon({});
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
