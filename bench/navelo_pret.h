#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// A copy of Navelo in a folder of its own, as a user who has run it before has it: settings
// with a remote code, today's channel list in the cache, the sample logos beside it.
class NaveloPrêt {
public:
    bool prépare();
    QString programme() const;
    // No other program's variables: its own temporary folder, home and an unreachable box.
    QProcessEnvironment environnement() const;
    // Forgets the name a killed instance leaves behind, as a fresh session would.
    void oublieInstance() const;

private:
    QTemporaryDir dossier;
};
