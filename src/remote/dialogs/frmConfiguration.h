#pragma once

#include "core/parametres.h"
#include "saisie_configuration.h"

#include <QDialog>
#include <QMap>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The remote's settings, shown modally. The settings and the flags ParamètresModifiés and
// RedémarrageNécessaire change only when OK is accepted, which also writes the settings.
class frmConfiguration : public QDialog {
    Q_OBJECT

public:
    explicit frmConfiguration(ParamètresNavelo& paramètres, QWidget* parent = nullptr);

    QLineEdit* txtCodeTélécommande;
    QMap<int, QRadioButton*> optVersion; // indexed 5 and 6
    QMap<int, QRadioButton*> optHd;      // indexed 1 and 2
    QLineEdit* txtTailleFenêtrePrincipale;
    QLineEdit* txtTailleClavier;
    QLineEdit* txtTailleLogos;
    QCheckBox* chkMémoriserPositionFenêtre;
    QCheckBox* chkFenêtreToujoursAuDessus;
    QPushButton* btnOK;
    QPushButton* btnAnnuler;

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Construit();
    void btnOK_Click();
    void TailleQuittée(QLineEdit* boîte);
    void Refuse(QLineEdit* boîte, const QString& message);
    QLineEdit* Boîte(ChampConfiguration champ) const;
    SaisieConfiguration Saisie() const;

    ParamètresNavelo& paramètres;
    std::array<std::pair<ChampConfiguration, QLineEdit*>, 4> boîtes;
    qint16 versionChoisie;
    qint16 boîteChoisie;
    // Set while a refusal is shown and the focus goes back, so that the box left on the
    // way is not checked in turn.
    bool refusEnCours = false;
};
