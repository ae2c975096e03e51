#include "frmConfiguration.h"

#include "fenetres.h"
#include "raccourci.h"
#include "texte.h"
#include "translation/traduction_fenetres.h"
#include "translation/traductions.h"
#include "verification_proxy.h"
#include "widgets/boite_message.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString français = u"Français"_s;

template <typename Contrôle> Contrôle* Nommé(Contrôle* contrôle, const QString& nom) {
    contrôle->setObjectName(nom);
    return contrôle;
}

} // namespace

frmConfiguration::frmConfiguration(ParamètresRenovo& paramètres, const colTraductions& traductions,
                                   const QString& fichierLangue, const QStringList& langues,
                                   QWidget* parent)
    : QDialog(parent)
    , paramètres(paramètres)
    , traductions(traductions) {
    setObjectName(u"frmConfiguration"_s);
    setWindowTitle(u"Configuration"_s);
    Construit();
    TraduitFeuille(this, fichierLangue);
    Remplit(fichierLangue, langues);
    paramètres.RedémarrageNécessaire = false;
    paramètres.ConfigurationAnnulée = true;
}

void frmConfiguration::Construit() {
    lblLangue = Nommé(new QLabel(u"Langue"_s, this), u"lblLangue"_s);
    cboLangue = Nommé(new QComboBox(this), u"cboLangue"_s);
    lblRequiertRedémarrage = Nommé(new QLabel(u"(requiert un redémarrage du logiciel)"_s, this),
                                   u"lblRequiertRedémarrage"_s);
    chkRechercherMaJOuvertureSession =
        Nommé(new QCheckBox(u"&Rechercher les mises à jour à l'ouverture de session"_s, this),
              u"chkRechercherMaJOuvertureSession"_s);
    lblRechercherMaJFréquence =
        Nommé(new QLabel(u"Fréquence"_s, this), u"lblRechercherMaJFréquence"_s);
    cboRechercherMaJFréquence = Nommé(new QComboBox(this), u"cboRechercherMaJFréquence"_s);

    fraProxy = Nommé(new QGroupBox(u" Configuration proxy HTTP "_s, this), u"fraProxy"_s);
    lblProxyType = Nommé(new QLabel(u"Accès"_s, fraProxy), u"lblProxyType"_s);
    cboProxyType = Nommé(new QComboBox(fraProxy), u"cboProxyType"_s);
    lblProxyAdresse = Nommé(new QLabel(u"Adresse"_s, fraProxy), u"lblProxyAdresse"_s);
    txtProxyAdresse = Nommé(new QLineEdit(fraProxy), u"txtProxyAdresse"_s);
    lblProxyPort = Nommé(new QLabel(u"Port"_s, fraProxy), u"lblProxyPort"_s);
    txtProxyPort = Nommé(new QLineEdit(fraProxy), u"txtProxyPort"_s);
    lblProxyLogin = Nommé(new QLabel(u"Login"_s, fraProxy), u"lblProxyLogin"_s);
    txtProxyLogin = Nommé(new QLineEdit(fraProxy), u"txtProxyLogin"_s);
    lblProxyPassword = Nommé(new QLabel(u"Password"_s, fraProxy), u"lblProxyPassword"_s);
    txtProxyPassword = Nommé(new QLineEdit(fraProxy), u"txtProxyPassword"_s);
    txtProxyPassword->setEchoMode(QLineEdit::Password);
    chkProxySiErreurTesterAussiAccèsDirect = Nommé(
        new QCheckBox(
            u"&En cas d'échec de connexion à internet, tester aussi le mode \"connexion directe\""_s,
            fraProxy),
        u"chkProxySiErreurTesterAussiAccèsDirect"_s);

    picBoutons = Nommé(new QWidget(this), u"picBoutons"_s);
    btnOK = Nommé(new QPushButton(u"&OK"_s, picBoutons), u"btnOK"_s);
    btnAnnuler = Nommé(new QPushButton(u"A&nnuler"_s, picBoutons), u"btnAnnuler"_s);
    btnOK->setDefault(true);

    auto* langue = new QHBoxLayout;
    langue->addWidget(lblLangue);
    langue->addWidget(cboLangue);
    langue->addWidget(lblRequiertRedémarrage);
    langue->addStretch();
    auto* fréquence = new QHBoxLayout;
    fréquence->addSpacing(20);
    fréquence->addWidget(lblRechercherMaJFréquence);
    fréquence->addWidget(cboRechercherMaJFréquence);
    fréquence->addStretch();

    // Address and port share a row, as login and password do.
    auto* grille = new QGridLayout(fraProxy);
    grille->addWidget(lblProxyType, 0, 0);
    grille->addWidget(cboProxyType, 0, 1);
    grille->addWidget(lblProxyAdresse, 1, 0);
    grille->addWidget(txtProxyAdresse, 1, 1);
    grille->addWidget(lblProxyPort, 1, 2);
    grille->addWidget(txtProxyPort, 1, 3);
    grille->addWidget(lblProxyLogin, 2, 0);
    grille->addWidget(txtProxyLogin, 2, 1);
    grille->addWidget(lblProxyPassword, 2, 2);
    grille->addWidget(txtProxyPassword, 2, 3);
    grille->addWidget(chkProxySiErreurTesterAussiAccèsDirect, 3, 0, 1, 4);
    grille->setColumnStretch(1, 3);
    grille->setColumnStretch(3, 2);

    auto* boutons = new QHBoxLayout(picBoutons);
    boutons->setContentsMargins(0, 0, 0, 0);
    boutons->addStretch();
    boutons->addWidget(btnOK);
    boutons->addWidget(btnAnnuler);

    auto* disposition = new QVBoxLayout(this);
    disposition->setSizeConstraint(QLayout::SetFixedSize);
    disposition->addLayout(langue);
    disposition->addWidget(chkRechercherMaJOuvertureSession);
    disposition->addLayout(fréquence);
    disposition->addWidget(fraProxy);
    disposition->addWidget(picBoutons);

    connect(chkRechercherMaJOuvertureSession, &QCheckBox::clicked, this,
            &frmConfiguration::chkRechercherMaJOuvertureSession_Click);
    connect(cboProxyType, &QComboBox::activated, this, &frmConfiguration::cboProxyType_Click);
    connect(btnOK, &QPushButton::clicked, this, &frmConfiguration::btnOK_Click);
    connect(btnAnnuler, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit* boîte : {txtProxyAdresse, txtProxyPort, txtProxyLogin, txtProxyPassword})
        boîte->installEventFilter(this);
}

void frmConfiguration::Remplit(const QString& fichierLangue, const QStringList& langues) {
    cboRechercherMaJFréquence->addItems({Texte(u"TXT_MAJ_FREQUENCE_JOUR"_s),
                                         Texte(u"TXT_MAJ_FREQUENCE_SEMAINE"_s),
                                         Texte(u"TXT_MAJ_FREQUENCE_MOIS"_s)});
    cboProxyType->addItems({Texte(u"TXT_ACCES_DEFAUT_IE"_s), Texte(u"TXT_ACCES_DIRECT"_s),
                            Texte(u"TXT_ACCES_PROXY"_s)});

    cboLangue->addItem(français);
    cboLangue->addItems(langues);
    QString langue = paramètres.Langue;
    if (fichierLangue.isEmpty() || !QFileInfo(fichierLangue).isFile() || cboLangue->count() < 2) {
        langue = français;
        cboLangue->setEnabled(cboLangue->count() >= 2);
    }
    // A name written in other letter case is still that language.
    cboLangue->setCurrentIndex(std::max(0, cboLangue->findText(langue, Qt::MatchFixedString)));
    langueAffichée = cboLangue->currentIndex();

    chkRechercherMaJOuvertureSession->setChecked(paramètres.RechercherMaJOuvertureSession);
    chkRechercherMaJOuvertureSession_Click();
    cboRechercherMaJFréquence->setCurrentIndex(paramètres.RechercherMaJFréquence);
    cboProxyType->setCurrentIndex(paramètres.ProxyType);
    txtProxyAdresse->setText(paramètres.ProxyAdresse);
    txtProxyPort->setText(paramètres.ProxyPort);
    txtProxyLogin->setText(paramètres.ProxyLogin);
    txtProxyPassword->setText(paramètres.ProxyPassword);
    chkProxySiErreurTesterAussiAccèsDirect->setChecked(
        paramètres.ProxySiErreurTesterAussiAccèsDirect);
    cboProxyType_Click();
}

QString frmConfiguration::Texte(const QString& clé) const {
    return TexteÀAfficher(traductions.Item(clé));
}

void frmConfiguration::chkRechercherMaJOuvertureSession_Click() {
    ActiveContrôle(cboRechercherMaJFréquence, chkRechercherMaJOuvertureSession->isChecked());
}

void frmConfiguration::cboProxyType_Click() {
    const int type = cboProxyType->currentIndex();
    const bool parProxy = type == AccèsParProxy;
    const bool identifiants = type != 1;
    ActiveContrôle(txtProxyAdresse, parProxy);
    ActiveContrôle(txtProxyPort, parProxy);
    ActiveContrôle(txtProxyLogin, identifiants);
    ActiveContrôle(txtProxyPassword, identifiants);
    chkProxySiErreurTesterAussiAccèsDirect->setEnabled(identifiants);
    if (parProxy)
        DonneFocus(txtProxyAdresse);
}

bool frmConfiguration::eventFilter(QObject* objet, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* boîte = qobject_cast<QLineEdit*>(objet))
            SélectionneTexte(boîte, true);
    }
    return QDialog::eventFilter(objet, event);
}

void frmConfiguration::Avertit(const QString& clé) {
    AfficheMessage(this, QMessageBox::Warning, QCoreApplication::applicationName(), Texte(clé),
                   QMessageBox::Ok);
}

void frmConfiguration::btnOK_Click() {
    const qint32 type = cboProxyType->currentIndex();
    if (const auto refus = VérifieProxy(type, txtProxyAdresse->text(), txtProxyPort->text())) {
        Avertit(refus->cléMessage);
        DonneFocus(refus->champ == ChampProxy::Adresse ? txtProxyAdresse : txtProxyPort);
        return;
    }
    // What the settings file cannot hold would come back as "?" at the next start.
    for (QLineEdit* boîte : {txtProxyAdresse, txtProxyPort, txtProxyLogin, txtProxyPassword}) {
        if (const auto caractère = CaractèreNonEnregistrable(boîte->text())) {
            AfficheMessage(this, QMessageBox::Warning, QCoreApplication::applicationName(),
                           FormateTexte(Texte(u"MSG_ERREUR_PROXY_CARACTERE"_s), {*caractère}),
                           QMessageBox::Ok);
            DonneFocus(boîte);
            return;
        }
    }

    // Only a choice of the user's changes the language: the list may show French for a
    // language whose file is missing.
    if (cboLangue->currentIndex() != langueAffichée) {
        paramètres.Langue = cboLangue->currentText();
        Avertit(u"MSG_CHANGEMENT_LANGUE"_s);
        paramètres.RedémarrageNécessaire = true;
    }
    paramètres.RechercherMaJOuvertureSession = chkRechercherMaJOuvertureSession->isChecked();
    InscritDémarrage(u"KorvaneUpdate"_s,
                     paramètres.RechercherMaJOuvertureSession
                         ? QCoreApplication::applicationFilePath()
                         : QString(),
                     u"/startup"_s);
    paramètres.RechercherMaJFréquence =
        static_cast<qint16>(cboRechercherMaJFréquence->currentIndex());
    paramètres.ProxyType = type;
    paramètres.ProxyAdresse = txtProxyAdresse->text();
    paramètres.ProxyPort = txtProxyPort->text();
    paramètres.ProxyLogin = txtProxyLogin->text();
    paramètres.ProxyPassword = txtProxyPassword->text();
    paramètres.ProxySiErreurTesterAussiAccèsDirect =
        chkProxySiErreurTesterAussiAccèsDirect->isChecked();
    paramètres.ConfigurationAnnulée = false;
    accept();
}
