#pragma once

#include <QDialog>
#include <QIcon>
#include <QPixmap>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// What differs between the programs' About boxes.
struct OptionsAPropos {
    QString titre;
    QString description;
    QString siteBrouillé; // scrambled, as every address of the box
    QIcon icône;
    QPixmap imageDonnerFR;
    QPixmap imageDonnerEN;
    std::optional<bool> toujoursAuDessus; // applied at load when set
    bool focusSurOK = false;              // focus on OK when the box opens
    bool lienSouligné = false;            // the link under the mouse is also underlined
    QString traduitPar;                   // translator credit, under the description
    bool ajusteHauteur = false;           // the window ends just below the credit
    // Runs first at load, e.g. to translate the controls found by their object names.
    std::function<void(QDialog*)> traduit;
};

// The About box of both programs: icon, description, author, site and e-mail links, a
// donation button alternating French and English, and OK.
class frmAPropos : public QDialog {
    Q_OBJECT

public:
    explicit frmAPropos(const OptionsAPropos& options, QWidget* parent = nullptr);

    // Switches the donation picture; runs every 3 seconds and once at load.
    void timDonner_Timer();

    QLabel* picIcône;
    QPlainTextEdit* txtDescription;
    QLabel* lblAuteur;
    std::array<QLabel*, 2> lbl;
    QLabel* lblSite;
    QLabel* lblEmail;
    QLabel* lblTraduitPar;
    QLabel* imgDonner;
    QPushButton* btnOK;
    QTimer timDonner;

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Dispose(bool ajusteHauteur);
    void ColoreLiens(const QLabel* survolé);

    QPixmap imgDonnerFR;
    QPixmap imgDonnerEN;
    bool imageFR = false;
    bool imageEnfoncée = false;
    bool lienSouligné;
    bool focusSurOK;
};
