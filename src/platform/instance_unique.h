#pragma once

#include <QLocalServer>
#include <QString>

#include <functional>

// The name under which the running instance of one user listens, built from a service and a
// topic ("Navelo", "WakeUp!"), in a place only that user can reach; empty when there is none.
QString NomInstance(const QString& service, const QString& sujet);

// Keeps a program to one running instance per user: a second start wakes the first one up
// instead of running beside it.
class InstanceUnique {
public:
    explicit InstanceUnique(QString nom);
    InstanceUnique(const InstanceUnique&) = delete;
    InstanceUnique& operator=(const InstanceUnique&) = delete;

    // Sends the command "!" to the running instance and waits for it to be acknowledged,
    // letting events run meanwhile. False when no instance answered within the delay.
    bool RéveilleInstance(int délaiMs = 2000);

    // Becomes the running instance: réveil runs on each command, before it is acknowledged.
    // A name left behind by an instance that crashed is taken over; one that still takes
    // connections is left to its owner (false).
    bool Écoute(std::function<void()> réveil);

    // From here on a new start no longer finds this instance.
    void ArrêteÉcoute();

private:
    void Connexion();

    QString nom;
    QLocalServer serveur;
    std::function<void()> réveil;
};
