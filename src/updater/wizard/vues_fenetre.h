#pragma once

#include "etape_recherche.h"

class frmKorvaneUpdate;

// The steps' views drawn on the wizard's controls. Each lives as long as its step's work.

class VueRechercheFenêtre : public VueRecherche {
public:
    explicit VueRechercheFenêtre(frmKorvaneUpdate& fenêtre)
        : fenêtre(fenêtre) {}
    void MontreTexte(const QString& texte) override;
    void MontreAttente(bool attente) override;
    void RemplitListe(const ListeLogiciels& liste) override;
    void MontreListe() override;
    bool Déchargée() const override;
    void Ferme() override;

private:
    frmKorvaneUpdate& fenêtre;
};
