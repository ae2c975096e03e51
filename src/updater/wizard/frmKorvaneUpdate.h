#pragma once

#include "instance_unique.h"
#include "lanceur.h"
#include "mise_en_page.h"
#include "settings/parametres_renovo.h"
#include "translation/traductions.h"
#include "updates/versions.h"

#include <QDateTime>
#include <QMessageBox>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

class QTreeWidgetItem;

// The mouse pointer is busy or normal, one state for the whole program however many
// routines asked for it.
void CurseurOccupé();
void CurseurNormal();

// What the start-up takes from outside, so that tests can run it in folders of their own.
struct OptionsRenovo {
    // Where the program lives (language files, portable settings); empty: this program's.
    QString dossierProgramme;
    // The user's own settings folder on an install; empty: the system's.
    QString dossierUtilisateur;
    // The command line after the program's name.
    QStringList arguments;
    std::function<qint16()> codeLangueSystème = CodeLangueSystème;
    std::function<QDateTime()> horloge = [] { return QDateTime::currentDateTime(); };
    // What a restart starts: the program's full path; empty: this one.
    QString programme;
    std::function<bool(const QString&, const QStringList&, ModeAffichage)> lanceur = LanceProgramme;
    // Where the running wizard of this user listens; empty: no single instance.
    QString nomInstance = NomInstance(QStringLiteral("Renovo"), QStringLiteral("WakeUp!"));
};

// The wizard: its controls, the step engine that shows each step's panel and runs its work,
// Back, Next and Quit, and two links. Its start-up and its exit are the program's own.
class frmKorvaneUpdate : public QWidget, public MiseEnPageAssistant {
    Q_OBJECT
public:
    explicit frmKorvaneUpdate(OptionsRenovo options = {});
    ~frmKorvaneUpdate() override;

    // The start-up sequence. False when the program must end at once: an error, no program
    // of the maker installed, a scheduled check that is not due, or a wizard already running.
    bool Form_Load();

    // The system asks the program to end: every box and dialog waited for closes, then the
    // window as Quit does, without the restart a change of language asked for.
    void Termine();

    // The step engine: shows the panel of Etape and does its work, then sets the buttons. An
    // error on a step shows MSG_ERREUR and goes back one step (never below step 0).
    void AfficheEtape();
    void MetAJourBoutons();

    // Each step's work, run by the engine; errors are raised as ErreurRenovo. Steps 1, 3 and 4
    // run their unit (etape_*.h) on a view of this window (vues_fenetre.h).
    virtual void ÉtapeIntroduction();
    virtual void ÉtapeRecherche();
    virtual void ÉtapeDossier();
    virtual void ÉtapeTéléchargements();
    virtual void ÉtapeInstallations();

    void btnSuivant_Click();
    void btnPrécédent_Click();
    void btnQuitter_Click();
    void btnRépertoireParcourir_Click();
    void lblConfigurer_Click();
    void lblAProposDe_Click();
    void lvwLogicielsInstallés_ItemCheck(QTreeWidgetItem* item);
    void tmrAttente_Timer();

    ParamètresRenovo& Paramètres() { return paramètres; }
    const colTraductions& Traductions() const { return traductions; }
    // Set once the exit sequence has run: a step still at work should stop.
    bool Déchargée() const { return déchargée; }

    qint16 Etape = 0;
    bool ModeAutomatique = false;
    QStringList LogicielsInstallés;
    bool TéléchargementRéussi = false;
    // The latest versions from the update server; empty until an exchange succeeded.
    TableVersions DernièresVersions;

    QTimer tmrAttente;

Q_SIGNALS:
    // The exit sequence has run; nothing of the program should run any more.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* évènement) override;

private:
    // A catalogue text; the built-in one when the catalogue does not hold it (yet).
    QString Texte(const QString& clé) const;
    bool SuivantPermis() const;
    // Next and the folder notice of step 2, without moving the focus.
    void MetAJourSuivant();
    bool Démarre();
    bool PrendInstance();
    void Réveil();
    void ChoisitLangue();
    void ChargeLangue();
    // Shows the window, then the notices that waited for it.
    void Montre();
    void Message(QMessageBox::Icon icône, const QString& texte);
    void Form_Unload();

    OptionsRenovo options;
    InstanceUnique instance;
    ParamètresRenovo paramètres;
    colTraductions traductions;
    QString fichierLangue;
    QStringList dossiersLangues;
    std::array<QPixmap, 9> imagesAttente;
    // Frame of the waiting animation shown last; kept for the whole run.
    int imageAttente = 0;
    // Notices of the start-up: a silent check that ends without a window shows none.
    QList<std::pair<QMessageBox::Icon, QString>> avis;
    bool montrée = false;
    bool démarrée = false;
    bool déchargée = false;
    bool finDemandée = false;
    // Set while a step's work runs.
    bool dansÉtape = false;
    // An installer is running; closing waits for its end.
    bool installationEnCours = false;
    bool fermetureDemandée = false;
};
