#pragma once

#include "instance_unique.h"
#include "lanceur.h"
#include "settings/parametres_renovo.h"
#include "translation/traductions.h"
#include "updates/liste_logiciels.h"
#include "updates/telechargement.h"
#include "updates/versions.h"

#include <QDateTime>
#include <QMessageBox>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
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

// The wizard: five step panels stacked in one place, Back, Next and Quit below them, and
// two links. Its start-up and its exit are the program's own. It shows the progress of each
// download.
class frmKorvaneUpdate : public QWidget, public AffichageProgression {
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

    // Each step's work, run by the engine; errors are raised as ErreurRenovo.
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

    // A catalogue text; the built-in one when the catalogue does not hold it (yet).
    QString Texte(const QString& clé) const;

    ParamètresRenovo& Paramètres() { return paramètres; }
    const colTraductions& Traductions() const { return traductions; }
    const QString& FichierLangue() const { return fichierLangue; }
    // Folders searched for language files, the program's own first.
    const QStringList& DossiersLangues() const { return dossiersLangues; }
    const OptionsRenovo& Options() const { return options; }
    // Set once the exit sequence has run: a step still at work should stop.
    bool Déchargée() const { return déchargée; }

    // The panels' place, the same for every step.
    static constexpr QSize TaillePanneau{440, 300};

    qint16 Etape = 0;
    bool ModeAutomatique = false;
    QStringList LogicielsInstallés;
    int ColonneNom = 0;
    int ColonneVersion = 1;
    int ColonneStatut = 2;
    bool TéléchargementRéussi = false;
    // The latest versions from the update server; empty until an exchange succeeded.
    TableVersions DernièresVersions;

    std::array<QWidget*, 5> picEtape{};
    QPlainTextEdit* txtIntro = nullptr;
    QLabel* lblEtape1 = nullptr;
    QTreeWidget* lvwLogicielsInstallés = nullptr;
    QLabel* imgAttente = nullptr;
    QLabel* lblEtape2a = nullptr;
    QLabel* lblEtape2b = nullptr;
    QLabel* lblRépertoire = nullptr;
    QLineEdit* txtRépertoire = nullptr;
    QPushButton* btnRépertoireParcourir = nullptr;
    QLabel* lblDossierIncorrect = nullptr;
    QListWidget* lstTéléchargements = nullptr;
    QProgressBar* pgbDownload = nullptr;
    QLabel* lblReste = nullptr;
    QLabel* lblEtape3b = nullptr;
    QListWidget* lstInstallations = nullptr;
    QCheckBox* chkSupprimerFichiersAprèsInstallation = nullptr;
    QPushButton* btnPrécédent = nullptr;
    QPushButton* btnSuivant = nullptr;
    QPushButton* btnQuitter = nullptr;
    QLabel* lblConfigurer = nullptr;
    QLabel* lblAProposDe = nullptr;
    QLabel* imgPar = nullptr;
    QTimer tmrAttente;

Q_SIGNALS:
    // The exit sequence has run; nothing of the program should run any more.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* évènement) override;
    bool eventFilter(QObject* objet, QEvent* évènement) override;

private:
    void Prépare() override;
    void Commence(const QString& ligne, qint64 total) override;
    void Avance(qint64 faits, const QString& texte) override;
    bool Interrompu() const override;
    void RemplitLogiciels(const ListeLogiciels& liste);
    void AttendsUneSeconde();

    void CréeContrôles();
    bool SuivantPermis() const;
    // Next and the folder notice of step 2, without moving the focus.
    void MetAJourSuivant();
    void ColoreLiens(const QLabel* survolé);
    void AjusteLiens();
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
    // The progress bar counts in units of this many bytes, so that any size fits.
    qint64 octetsParPas = 1;
    // An installer is running; closing waits for its end.
    bool installationEnCours = false;
    bool fermetureDemandée = false;
};
