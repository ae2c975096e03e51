#include "frmKorvaneUpdate.h"

#include "a_propos_renovo.h"
#include "boite_message.h"
#include "choix_dossier.h"
#include "dessins_renovo.h"
#include "dossier_cible.h"
#include "elements_logiciels.h"
#include "erreur_renovo.h"
#include "fenetres.h"
#include "ini.h"
#include "liens_assistant.h"
#include "settings/frmConfiguration.h"
#include "settings/verification_planifiee.h"
#include "texte.h"
#include "traductions_qt.h"
#include "translation/langues.h"
#include "translation/traduction_fenetres.h"
#include "updates/cles_confiance.h"
#include "updates/logiciels_installes.h"
#include "version.h"
#include "vues_fenetre.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalSocket>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

QString TitreProgramme() {
    return QCoreApplication::applicationName();
}

// Whether a wizard listens under that name, without waking it up.
bool InstanceEnCours(const QString& nom) {
    QLocalSocket essai;
    essai.connectToServer(nom);
    return essai.waitForConnected(1000);
}

} // namespace

void CurseurOccupé() {
    if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(Qt::WaitCursor);
    else
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CurseurNormal() {
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

frmKorvaneUpdate::frmKorvaneUpdate(OptionsRenovo options)
    : options(std::move(options))
    , instance(this->options.nomInstance) {
    setObjectName(u"frmKorvaneUpdate"_s);
    setWindowIcon(IcôneRenovo());
    CréeContrôles(this);
    setWindowState(windowState() & ~Qt::WindowMinimized);

    const qreal dpr = qApp->devicePixelRatio();
    for (int i = 0; i < int(imagesAttente.size()); ++i)
        imagesAttente[i] = ImageAttente(i, dpr);
    imgAttente->setPixmap(imagesAttente[0]);
    imgPar->setPixmap(ImagePar(dpr));
    tmrAttente.setInterval(200);
    connect(&tmrAttente, &QTimer::timeout, this, &frmKorvaneUpdate::tmrAttente_Timer);

    connect(btnSuivant, &QPushButton::clicked, this, &frmKorvaneUpdate::btnSuivant_Click);
    connect(btnPrécédent, &QPushButton::clicked, this, &frmKorvaneUpdate::btnPrécédent_Click);
    connect(btnQuitter, &QPushButton::clicked, this, &frmKorvaneUpdate::btnQuitter_Click);
    connect(btnRépertoireParcourir, &QPushButton::clicked, this,
            &frmKorvaneUpdate::btnRépertoireParcourir_Click);
    connect(lvwLogicielsInstallés, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* élément) { lvwLogicielsInstallés_ItemCheck(élément); });
    // The folder typed is the folder used, and Next follows it as it is typed.
    connect(txtRépertoire, &QLineEdit::textChanged, this, [this](const QString& texte) {
        paramètres.RépertoireTéléchargement = texte;
        if (Etape == 2)
            MetAJourSuivant();
    });

    QList<QWidget*> ailleurs{this, imgPar, btnPrécédent, btnSuivant, btnQuitter};
    ailleurs.append(QList<QWidget*>(picEtape.begin(), picEtape.end()));
    new LiensAssistant(this, {lblConfigurer, lblAProposDe}, ailleurs, [this](QLabel* lien) {
        if (lien == lblAProposDe)
            lblAProposDe_Click();
        else
            lblConfigurer_Click();
    });
}

frmKorvaneUpdate::~frmKorvaneUpdate() = default;

QString frmKorvaneUpdate::Texte(const QString& clé) const {
    return traductions.Contains(clé) ? traductions.Item(clé) : TexteIntégré(clé);
}

bool frmKorvaneUpdate::Form_Load() {
    CurseurOccupé();
    QCoreApplication::processEvents();
    try {
        const bool continuer = Démarre();
        CurseurNormal();
        return continuer;
    } catch (const ErreurRenovo& erreur) {
        CurseurNormal();
        démarrée = false;
        Message(QMessageBox::Critical,
                FormateTexte(Texte(u"MSG_ERREUR_INITIALISATION"_s),
                             {QString::number(erreur.numéro), erreur.description}));
        return false;
    }
}

bool frmKorvaneUpdate::Démarre() {
    setWindowTitle(TitreEtVersion());
    ModeAutomatique = ModeAutomatiqueDemandé(options.arguments);
    if (!PrendInstance())
        return false;
    const QString dossierProgramme = options.dossierProgramme.isEmpty()
                                         ? QCoreApplication::applicationDirPath()
                                         : options.dossierProgramme;
    const QString dossierUtilisateur =
        options.dossierUtilisateur.isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
            : options.dossierUtilisateur;
    dossiersLangues = ::DossiersLangues(dossierProgramme);

    const EmplacementRenovo emplacement =
        DétermineEmplacement(dossierProgramme, dossierUtilisateur);
    paramètres.DossierParamètres = emplacement.DossierParamètres;
    paramètres.FichierParamètres = emplacement.FichierParamètres;
    // An older file is moved first: its language is the user's, no first start's.
    PrépareDossierParamètres(emplacement);
    paramètres.Langue = LitIni(paramètres.FichierParamètres, u"Config"_s, u"Langue"_s, QString());
    if (paramètres.Langue.isEmpty())
        ChoisitLangue();
    ChargeLangue();

    QDate dernièreVérification;
    LitParamètres(paramètres, dernièreVérification);
    txtRépertoire->setText(paramètres.RépertoireTéléchargement);
    AjusteLiens();
    if (!ModeAutomatique)
        AfficheEtape();
    for (QWidget* contrôle :
         {static_cast<QWidget*>(lblAProposDe), static_cast<QWidget*>(lblConfigurer),
          static_cast<QWidget*>(btnSuivant), static_cast<QWidget*>(btnQuitter)})
        contrôle->setEnabled(false);
    if (!ModeAutomatique)
        Montre();
    QCoreApplication::processEvents();

    const std::unique_ptr<Registre> registre = RegistreSystème();
    RechercheLogicielsInstallés(*registre, RacineRegistre::HKEY_LOCAL_MACHINE, CléDésinstallation,
                                LogicielsInstallés);
    RechercheLogicielsInstallés(*registre, RacineRegistre::HKEY_CURRENT_USER, CléDésinstallation,
                                LogicielsInstallés);
    if (finDemandée)
        return false;

    if (!LogicielsInstallés.isEmpty() && ModeAutomatique) {
        const QDateTime maintenant = options.horloge();
        if (!VérificationDue(paramètres.RechercherMaJFréquence, dernièreVérification, maintenant))
            return false;
        EcritDernièreVérification(paramètres, maintenant.date());
        démarrée = true;
        Etape = 1;
        AfficheEtape();
        // The step ends the program itself when there is nothing to show.
        if (!déchargée)
            Montre();
        return !déchargée;
    }

    CurseurNormal();
    if (LogicielsInstallés.isEmpty()) {
        // A logon check left behind by programs since removed ends without a word.
        if (!ModeAutomatique)
            Message(QMessageBox::Warning, Texte(u"MSG_ERREUR_AUCUN_LOGICIEL_INSTALLE"_s));
        return false;
    }
    // A silent check that a start of the user's woke up: the wizard shows as for that start.
    if (!montrée) {
        AfficheEtape();
        Montre();
    }
    // Closed by the user while the programs were searched: nothing to run nor to write.
    if (!isVisible() || finDemandée)
        return false;
    démarrée = true;
    MetAJourBoutons();
    return true;
}

// One wizard per user session: a second start brings the running one to the front, a second
// logon check ends without a word. Without a place to listen, wizards run side by side.
bool frmKorvaneUpdate::PrendInstance() {
    if (ModeAutomatique ? InstanceEnCours(options.nomInstance) : instance.RéveilleInstance())
        return false;
    instance.Écoute([this] { Réveil(); });
    return true;
}

void frmKorvaneUpdate::Réveil() {
    if (déchargée || finDemandée)
        return;
    if (montrée) {
        showNormal();
        raise();
        activateWindow();
        return;
    }
    // A silent check not shown yet: the user now waits for the wizard.
    ModeAutomatique = false;
}

void frmKorvaneUpdate::Montre() {
    if (finDemandée)
        return;
    show();
    montrée = true;
    for (const auto& [icône, texte] : std::exchange(avis, {}))
        Message(icône, texte);
}

void frmKorvaneUpdate::Message(QMessageBox::Icon icône, const QString& texte) {
    if (!finDemandée)
        AfficheMessage(this, icône, TitreProgramme(), TexteÀAfficher(texte), QMessageBox::Ok);
}

void frmKorvaneUpdate::Termine() {
    finDemandée = true;
    paramètres.RedémarrageNécessaire = false;
    // A message over a dialog included.
    while (QWidget* modale = QApplication::activeModalWidget()) {
        if (!modale->close())
            break;
    }
    close();
}

// A first start's notice waits for the window.
void frmKorvaneUpdate::ChoisitLangue() {
    const PremièreLangue choix =
        LanguePremierDémarrage(dossiersLangues, options.codeLangueSystème());
    paramètres.Langue = choix.langue;
    if (choix.sansFichier)
        avis.append({QMessageBox::Information, AvisSansFichierDeLangue(TitreProgramme())});
    paramètres.ParamètresModifiés = true;
}

void frmKorvaneUpdate::ChargeLangue() {
    fichierLangue = FichierDeLaLangue(dossiersLangues, paramètres.Langue);
    ChargeTraductions(traductions, fichierLangue);
    TraduitFeuille(this, fichierLangue);
    TraduitColonnes(lvwLogicielsInstallés, fichierLangue);
    AjusteColonnes();
    if (const QLocale::Language langue = LangueDuFichier(fichierLangue);
        langue != QLocale::AnyLanguage)
        ChargeTraductionsQt(QLocale::languageToCode(langue));
    const QString incomplète = traductions.Item(u"TraductionIncomplète"_s);
    if (!incomplète.isEmpty())
        avis.append({QMessageBox::Warning, incomplète});
}

void frmKorvaneUpdate::AfficheEtape() {
    for (;;) {
        try {
            for (QWidget* panneau : picEtape)
                panneau->hide();
            if (Etape >= 0 && Etape < qint16(picEtape.size()))
                picEtape[Etape]->show();
            for (QWidget* contrôle :
                 {static_cast<QWidget*>(lblConfigurer), static_cast<QWidget*>(btnPrécédent),
                  static_cast<QWidget*>(btnSuivant), static_cast<QWidget*>(btnQuitter)})
                contrôle->setEnabled(false);
            QCoreApplication::processEvents();
            const QScopedValueRollback étapeEnCours(dansÉtape, true);
            switch (Etape) {
            case 0:
                ÉtapeIntroduction();
                break;
            case 1:
                ÉtapeRecherche();
                break;
            case 2:
                ÉtapeDossier();
                break;
            case 3:
                ÉtapeTéléchargements();
                break;
            case 4:
                ÉtapeInstallations();
                break;
            default:
                break;
            }
            QCoreApplication::processEvents();
            MetAJourBoutons();
            return;
        } catch (const ErreurRenovo& erreur) {
            CurseurNormal();
            Message(QMessageBox::Warning,
                    FormateTexte(Texte(u"MSG_ERREUR"_s),
                                 {QString::number(erreur.numéro), erreur.description}));
            // Ended while the message waited: no other step runs.
            if (déchargée)
                return;
            // Step 0 has no step before it: it stays, without running its work again.
            if (Etape <= 0) {
                Etape = 0;
                MetAJourBoutons();
                return;
            }
            --Etape;
        }
    }
}

void frmKorvaneUpdate::ÉtapeIntroduction() {
    txtIntro->setPlainText(
        TexteÀAfficher(Texte(u"TXT_INTRO"_s) + u' ' + Texte(u"TXT_INTRO_SUITE"_s)));
}

void frmKorvaneUpdate::ÉtapeRecherche() {
    VueRechercheFenêtre vue(*this);
    RechercheVersions(vue, LogicielsInstallés, DernièresVersions, ModeAutomatique, paramètres,
                      traductions);
}

void frmKorvaneUpdate::ÉtapeDossier() {
    lblEtape2a->setText(TexteÀAfficher(Texte(u"TXT_SELECTION_CIBLE"_s) + u' ' +
                                       Texte(u"TXT_SELECTION_CIBLE_ATTENTION"_s)));
    lblEtape2b->setText(TexteÀAfficher(Texte(u"TXT_SELECTION_CIBLE_SUITE"_s)));
}

void frmKorvaneUpdate::ÉtapeTéléchargements() {
    CurseurOccupé();
    lblEtape3b->hide();
    VueTéléchargementsFenêtre vue(*this);
    TéléchargeLogiciels(vue, TéléchargementRéussi, paramètres,
                        ClésDuProgramme(options.dossierProgramme), traductions);
    if (déchargée)
        return;
    lstTéléchargements->setCurrentRow(-1);
    lblEtape3b->setText(TexteÀAfficher(traductions.Item(u"TXT_TELECHARGEMENT_EFFECTUE"_s)));
    lblEtape3b->setVisible(TéléchargementRéussi);
    CurseurNormal();
}

// The window stays out of the installers' way, minimised; its events keep running, and a
// close asked for meanwhile waits for the running installer.
void frmKorvaneUpdate::ÉtapeInstallations() {
    CurseurOccupé();
    setWindowState(windowState() | Qt::WindowMinimized);
    VueInstallationsFenêtre vue(*this, fermetureDemandée);
    installationEnCours = true;
    InstalleLogiciels(vue, paramètres.RépertoireTéléchargement,
                      chkSupprimerFichiersAprèsInstallation->checkState() == Qt::Checked,
                      ClésDuProgramme(options.dossierProgramme), paramètres.DossierParamètres,
                      traductions);
    installationEnCours = false;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    CurseurNormal();
    if (fermetureDemandée)
        close();
}

bool frmKorvaneUpdate::SuivantPermis() const {
    switch (Etape) {
    case 0:
        return true;
    case 1:
        if (TéléchargementRéussi)
            return true;
        for (int i = 0; i < lvwLogicielsInstallés->topLevelItemCount(); ++i) {
            if (lvwLogicielsInstallés->topLevelItem(i)->checkState(0) == Qt::Checked)
                return true;
        }
        return false;
    case 2:
        return DossierCibleValide(txtRépertoire->text());
    case 3:
        return TéléchargementRéussi;
    default:
        return false;
    }
}

void frmKorvaneUpdate::MetAJourSuivant() {
    const bool permis = SuivantPermis();
    btnSuivant->setEnabled(permis);
    lblDossierIncorrect->setVisible(Etape == 2 && !permis);
}

void frmKorvaneUpdate::MetAJourBoutons() {
    lblAProposDe->setEnabled(true);
    lblConfigurer->setEnabled(Etape == 0);
    lblDossierIncorrect->hide();
    btnPrécédent->setEnabled(Etape >= 1);
    btnQuitter->setEnabled(true);
    MetAJourSuivant();
    QCoreApplication::processEvents();
    DonneFocus(btnQuitter);
    DonneFocus(btnSuivant);
}

void frmKorvaneUpdate::btnSuivant_Click() {
    ++Etape;
    AfficheEtape();
}

void frmKorvaneUpdate::btnPrécédent_Click() {
    --Etape;
    AfficheEtape();
}

void frmKorvaneUpdate::btnQuitter_Click() {
    close();
}

void frmKorvaneUpdate::btnRépertoireParcourir_Click() {
    const QString choisi =
        ChoisitDossier(this, lblRépertoire->text(), TexteÀAfficher(Texte(u"TXT_SELECTION_CIBLE"_s)),
                       txtRépertoire->text());
    if (choisi.isEmpty())
        return;
    paramètres.RépertoireTéléchargement = choisi;
    txtRépertoire->setText(choisi);
    MetAJourBoutons();
}

void frmKorvaneUpdate::lblConfigurer_Click() {
    frmConfiguration dialogue(paramètres, traductions, fichierLangue, ListeLangues(dossiersLangues),
                              this);
    dialogue.exec();
    if (!paramètres.ConfigurationAnnulée)
        paramètres.ParamètresModifiés = true;
    if (paramètres.RedémarrageNécessaire)
        close();
}

void frmKorvaneUpdate::lblAProposDe_Click() {
    frmAPropos boîte(OptionsAProposRenovo(traductions, fichierLangue, devicePixelRatio()), this);
    boîte.exec();
}

void frmKorvaneUpdate::lvwLogicielsInstallés_ItemCheck(QTreeWidgetItem* élément) {
    if (!CocheChangée(élément))
        return;
    if (ÉlémentGrisé(élément) && élément->checkState(0) != Qt::Unchecked) {
        élément->setCheckState(0, Qt::Unchecked);
        return;
    }
    // A step filling the list sets the buttons once it is done.
    if (!dansÉtape)
        MetAJourBoutons();
}

void frmKorvaneUpdate::tmrAttente_Timer() {
    imageAttente = imageAttente == 8 ? 1 : imageAttente + 1;
    imgAttente->setPixmap(imagesAttente[imageAttente]);
}

void frmKorvaneUpdate::closeEvent(QCloseEvent* évènement) {
    // An installer is never left half done: the window closes once it has ended.
    if (installationEnCours) {
        if (!std::exchange(fermetureDemandée, true)) {
            lstInstallations->addItem(TexteÀAfficher(Texte(u"TXT_FERMETURE_APRES_INSTALLATION"_s)));
            lstInstallations->scrollToBottom();
        }
        évènement->ignore();
        return;
    }
    Form_Unload();
    évènement->accept();
}

// The exit sequence: the settings when they changed, the download folder always, then
// the restart a change of language asked for.
void frmKorvaneUpdate::Form_Unload() {
    if (!démarrée || déchargée)
        return;
    déchargée = true;
    tmrAttente.stop();
    // A first start's choice is written once a window has shown its notice.
    if (paramètres.ParamètresModifiés && montrée)
        EcritParamètres(paramètres);
    EcritRépertoireTéléchargement(paramètres);
    // The new process must not find this one still answering as the running wizard.
    instance.ArrêteÉcoute();
    if (paramètres.RedémarrageNécessaire) {
        const QString programme = options.programme.isEmpty()
                                      ? QCoreApplication::applicationFilePath()
                                      : options.programme;
        options.lanceur(programme, {}, ModeAffichage::RéduitAvecFocus);
    }
    Q_EMIT programEnded();
}
