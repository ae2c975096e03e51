#pragma once

#include "parametres_renovo.h"

#include <QDialog>

class colTraductions;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The updater's settings, shown modally. The settings change only on a valid OK, which also
// writes or removes the logon entry; ConfigurationAnnulée tells the opener whether it came,
// RedémarrageNécessaire whether the language changed.
class frmConfiguration : public QDialog {
    Q_OBJECT

public:
    // `langues`: the names of the language files beside the program, as listed.
    frmConfiguration(ParamètresRenovo& paramètres, const colTraductions& traductions,
                     const QString& fichierLangue, const QStringList& langues,
                     QWidget* parent = nullptr);

    QLabel* lblLangue;
    QComboBox* cboLangue;
    QLabel* lblRequiertRedémarrage;
    QCheckBox* chkRechercherMaJOuvertureSession;
    QLabel* lblRechercherMaJFréquence;
    QComboBox* cboRechercherMaJFréquence;
    QGroupBox* fraProxy;
    QLabel* lblProxyType;
    QComboBox* cboProxyType;
    QLabel* lblProxyAdresse;
    QLineEdit* txtProxyAdresse;
    QLabel* lblProxyPort;
    QLineEdit* txtProxyPort;
    QLabel* lblProxyLogin;
    QLineEdit* txtProxyLogin;
    QLabel* lblProxyPassword;
    QLineEdit* txtProxyPassword;
    QCheckBox* chkProxySiErreurTesterAussiAccèsDirect;
    QWidget* picBoutons;
    QPushButton* btnOK;
    QPushButton* btnAnnuler;

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void Construit();
    void Remplit(const QString& fichierLangue, const QStringList& langues);
    void chkRechercherMaJOuvertureSession_Click();
    void cboProxyType_Click();
    void btnOK_Click();
    QString Texte(const QString& clé) const;
    void Avertit(const QString& clé);

    ParamètresRenovo& paramètres;
    const colTraductions& traductions;
    int langueAffichée = 0; // the entry of cboLangue shown at load
};
