#pragma once

#include <QSize>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QWidget;

// The wizard's controls and their layout, apart from what the window does with them: five step
// panels stacked in one place beside the picture, the links and buttons below them. (An ASCII
// name: moc reads it among the window's bases.)
struct MiseEnPageAssistant {
    // Creates every control on `fenêtre`, with its built-in French caption.
    void CréeContrôles(QWidget* fenêtre);
    // Once the captions are translated: each link as wide as its caption, each column title
    // whole.
    void AjusteLiens();
    void AjusteColonnes();

    // The panels' place, the same for every step.
    static constexpr QSize TaillePanneau{440, 300};

    // Sub-items of the three columns of lvwLogicielsInstallés.
    int ColonneNom = 0;
    int ColonneVersion = 1;
    int ColonneStatut = 2;

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
};
