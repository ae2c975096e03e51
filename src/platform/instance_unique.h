#pragma once

#include <QLocalServer>
#include <QString>

#include <functional>
#include <optional>

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

    // Text that does not begin with the wake-up "!" is then a command: one line, answered
    // through `répond` with one line, once, maybe later. Without it any text wakes.
    using Commande =
        std::function<void(const QByteArray& ligne, std::function<void(const QByteArray&)> répond)>;
    void AccepteCommandes(Commande quandCommande);

    // Sends one command line to the running instance and waits for its answer line, letting
    // events run. Nothing when no instance listens; empty when one took the command but gave
    // no answer within the delay.
    std::optional<QByteArray> EnvoieCommande(const QByteArray& ligne, int délaiMs);

private:
    void Connexion();

    QString nom;
    QLocalServer serveur;
    std::function<void()> réveil;
    Commande traitement;
};
