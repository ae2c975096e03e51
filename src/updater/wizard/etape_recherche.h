#pragma once

#include <QString>
#include <QStringList>

class TableVersions;
class colTraductions;
struct ListeLogiciels;
struct ParamètresRenovo;

// What the version check shows on the window.
class VueRecherche {
public:
    virtual ~VueRecherche() = default;
    // The step's sentence, shown above the list.
    virtual void MontreTexte(const QString& texte) = 0;
    // The waiting animation and the busy pointer, while the server is asked.
    virtual void MontreAttente(bool attente) = 0;
    // The list of programs filled from the answer, still hidden; then shown.
    virtual void RemplitListe(const ListeLogiciels& liste) = 0;
    virtual void MontreListe() = 0;
    // True once the window is closing: the step stops there.
    virtual bool Déchargée() const = 0;
    // Closes the window, which ends the program.
    virtual void Ferme() = 0;
};

// Step 1. Unless an exchange already succeeded, asks the update server for the latest versions
// of the installed programs ("name=version" entries) and fills the list from its answer. A
// failed exchange says so and keeps the window of an automatic start open; an automatic start
// with nothing to update ends the program. Throws ErreurRenovo for an answer or a version that
// cannot be read: `dernièresVersions` then stays empty, so that the next visit asks again.
void RechercheVersions(VueRecherche& vue, const QStringList& logicielsInstallés,
                       TableVersions& dernièresVersions, bool& modeAutomatique,
                       const ParamètresRenovo& paramètres, const colTraductions& traductions);
