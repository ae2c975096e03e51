#pragma once

#include "commande_touches.h"

#include <QString>
#include <QStringList>

// What the command line says, in French for a French-speaking user and in English otherwise,
// each message on one line, named after the command as it was typed.
class TextesLigneCommande {
public:
    explicit TextesLigneCommande(QString commande);

    QString Aide(const QStringList& nomsTouches) const;
    QString OptionInconnue(const QString& option) const;
    QString ValeurManquante() const;
    QString ArgumentInattendu(const QString& argument) const;
    QString LongueSansTouches() const;
    QString ToucheInconnue(const QString& touche) const;
    QString TélécommandeMuette() const;
    QString Échec(const RésultatTouches& résultat) const;

private:
    QString Message(const QString& texte) const;

    QString commande;
    bool français;
};
