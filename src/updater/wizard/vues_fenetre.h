#pragma once

#include "etape_installations.h"
#include "etape_recherche.h"
#include "etape_telechargements.h"
#include "frmKorvaneUpdate.h"

#include <QApplication>
#include <QTreeWidget>

// The steps' views drawn on the wizard's controls. Each lives as long as its step's work.

class VueRechercheFenêtre : public VueRecherche {
public:
    explicit VueRechercheFenêtre(frmKorvaneUpdate& fenêtre)
        : fenêtre(fenêtre) {}
    void MontreTexte(const QString& texte) override;
    void MontreAttente(bool attente) override;
    void RemplitListe(const ListeLogiciels& liste) override;
    void MontreListe() override { fenêtre.lvwLogicielsInstallés->show(); }
    bool Déchargée() const override { return fenêtre.Déchargée(); }
    void Ferme() override { fenêtre.close(); }

private:
    frmKorvaneUpdate& fenêtre;
};

// The items of the list of programs, for the steps that download and install them.
LogicielDeLaListe LogicielDeLÉlément(const frmKorvaneUpdate& fenêtre, int logiciel);
void ChangeÉlément(frmKorvaneUpdate& fenêtre, int logiciel, const LogicielDeLaListe& état,
                   const QString& statut);

template <class Vue> class VueLogicielsFenêtre : public Vue {
public:
    explicit VueLogicielsFenêtre(frmKorvaneUpdate& fenêtre)
        : fenêtre(fenêtre) {}
    int NombreLogiciels() const override {
        return fenêtre.lvwLogicielsInstallés->topLevelItemCount();
    }
    LogicielDeLaListe Logiciel(int logiciel) const override {
        return LogicielDeLÉlément(fenêtre, logiciel);
    }
    void ChangeLogiciel(int logiciel, const LogicielDeLaListe& état,
                        const QString& statut) override {
        ChangeÉlément(fenêtre, logiciel, état, statut);
    }

protected:
    frmKorvaneUpdate& fenêtre;
};

class VueTéléchargementsFenêtre : public VueLogicielsFenêtre<VueTéléchargements> {
public:
    using VueLogicielsFenêtre::VueLogicielsFenêtre;
    void AjouteLigne(const QString& ligne) override;
    void ChangeDernièreLigne(const QString& ligne) override;
    void Prépare() override;
    void Commence(const QString& ligne, qint64 total) override;
    void Avance(qint64 faits, const QString& texte) override;
    bool Interrompu() const override { return fenêtre.Déchargée(); }
    void Bip() override { QApplication::beep(); }
    void CacheProgression() override;

private:
    // The progress bar counts in units of this many bytes, so that any size fits.
    qint64 octetsParPas = 1;
};

class VueInstallationsFenêtre : public VueLogicielsFenêtre<VueInstallations> {
public:
    // Stops once `arrêt` is set.
    VueInstallationsFenêtre(frmKorvaneUpdate& fenêtre, const bool& arrêt)
        : VueLogicielsFenêtre(fenêtre)
        , arrêt(arrêt) {}
    void AjouteLigne(const QString& ligne) override;
    void ChangeDernièreLigne(const QString& ligne) override;
    bool Arrêtée() const override { return arrêt; }

private:
    const bool& arrêt;
    int ligneEnCours = -1;
};
