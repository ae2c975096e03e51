#pragma once

#include <QString>

// An error raised by the start-up or by a wizard step. Its number and description fill the
// error messages; the numbers and texts are those the users of the original runtime know.
struct ErreurRenovo {
    int numéro;
    QString description;

    static ErreurRenovo DépassementDeCapacité() {
        return {6, QStringLiteral("Dépassement de capacité")};
    }
    static ErreurRenovo IncompatibilitéDeType() {
        return {13, QStringLiteral("Incompatibilité de type")};
    }
    static ErreurRenovo FichierIntrouvable() { return {53, QStringLiteral("Fichier introuvable")}; }
    static ErreurRenovo AccèsRefusé() {
        return {75, QStringLiteral("Erreur d'accès au chemin/fichier")};
    }
    static ErreurRenovo CheminIntrouvable() {
        return {76, QStringLiteral("Chemin d'accès introuvable")};
    }
    static ErreurRenovo CléEnDouble() {
        return {457,
                QStringLiteral("Cette clé est déjà associée à un élément de cette collection")};
    }
};
