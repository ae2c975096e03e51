#pragma once

#include <QMessageBox>
#include <QString>

// Every message of both programs goes through here, so that tests can answer them. The box is
// centred on its parent's window, or on the screen while that one is hidden; its buttons
// carry no icon.
QMessageBox::StandardButton
AfficheMessage(QWidget* parent, QMessageBox::Icon icône, const QString& titre, const QString& texte,
               QMessageBox::StandardButtons boutons,
               QMessageBox::StandardButton défaut = QMessageBox::NoButton);

// Test hook: the next messages are not shown; each is answered with the next queued
// button and recorded.
struct MessageAffiché {
    QMessageBox::Icon icône;
    QString titre;
    QString texte;
    QMessageBox::StandardButtons boutons;
};
void RéponsesSuivantes(const QList<QMessageBox::StandardButton>& réponses);
QList<MessageAffiché> MessagesAffichés();
void OublieMessages();
