#pragma once

#include <QStringList>

// Navelo's command line: keys sent from a desktop shortcut or a script, and its help.

// True when the arguments ask for it rather than for the remote's window.
bool DemandeLigneDeCommande(const QStringList& arguments);

// Runs it as a program without windows; returns the exit status: 0 when the box accepted
// every key, 1 when a key could not be sent, 2 for a wrong command line.
int ExécuteLigneDeCommande(int argc, char* argv[]);
