#include "frmNavelo.h"

#include "bouton_accessible.h"
#include "centrage.h"
#include "dessin_boutons.h"
#include "dessin_donner.h"
#include "dessin_icone.h"
#include "dessin_telecommande.h"
#include "dialogs/a_propos_navelo.h"
#include "dialogs/clsPopupMenu.h"
#include "dialogs/ecriture_impossible.h"
#include "dialogs/frmConfiguration.h"
#include "dialogs/frmSplashScreen.h"
#include "emplacements.h"
#include "fenetres.h"
#include "glissement.h"
#include "guide/actualisation_chaines.h"
#include "guide/frmClavier.h"
#include "guide/frmListeChaines.h"
#include "guide/multitap.h"
#include "net/inet.h"
#include "positions.h"
#include "table_touches.h"
#include "version.h"
#include "zone_souris.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QSystemTrayIcon>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// The notification icon's mouse messages, as the window system numbers them.
constexpr int BoutonGaucheRelâché = 514;
constexpr int BoutonDroitRelâché = 517;

} // namespace

frmNavelo::frmNavelo(OptionsNavelo options)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , options(std::move(options))
    , expéditeur(paramètres)
    , raccourcis(paramètres, {[this](const QString& touche) { TraiteTouche(touche); },
                              [this] { AfficheAPropos(); }, [this] { Configure(false); },
                              [this] {
                                  if (clavier)
                                      clavier->InverseMajuscules();
                              }})
    , instance(this->options.nomInstance)
    , bureau(expéditeur, paramètres, *this, {[this] { AfficheFenêtres(); }, [this] { close(); }}) {
    InstalleBoutonsAccessibles();
    instance.AccepteCommandes(
        [this](const QByteArray& ligne, std::function<void(const QByteArray&)> répond) {
            bureau.Commande(ligne, std::move(répond));
        });
    setWindowTitle(u"Navelo"_s);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(CouleurTransparente));
    setPalette(palette);
    setAutoFillBackground(true);
    tmrRéduireQuitter.setInterval(100);
    connect(&tmrRéduireQuitter, &QTimer::timeout, this, [this] { tmrRéduireQuitter_Timer(); });
}

frmNavelo::~frmNavelo() = default;

bool frmNavelo::Form_Load() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto curseurNormal = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    QCoreApplication::processEvents();
    QThread::msleep(100);

    if (instance.RéveilleInstance())
        return false;
    instance.Écoute([this] {
        // A start-up still running shows its windows itself when it is done.
        if (démarrée)
            AfficheFenêtres();
    });

    splash = std::make_unique<frmSplashScreen>(IcôneFenêtres(), nullptr);
    splash->show();
    QCoreApplication::processEvents();

    emplacements = EmplacementsProgramme();
    SitueParamètres(paramètres, emplacements, options.dossierParamètres);
    LitParamètres(paramètres);

    DisposeTélécommande();

    if (paramètres.CodeTélécommande.isEmpty() && !finDemandée) {
        frmConfiguration configuration(paramètres, this);
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        configuration.exec();
        QApplication::restoreOverrideCursor();
        if (paramètres.RedémarrageNécessaire && !paramètres.CodeTélécommande.isEmpty()) {
            FermeSplash();
            Form_Unload();
            return false;
        }
    }
    if (paramètres.CodeTélécommande.isEmpty()) {
        FermeSplash();
        return false;
    }
    // Put away while a dialog was open; the start-up goes on.
    splash->show();

    if (!ActualiseListeChaînes()) {
        FermeSplash();
        return false;
    }

    PlaceFenêtres();

    expéditeur.CollectionMultiTap = ChargeTableMultiTap();

    PremierPlan(this, paramètres.FenêtreToujoursAuDessus);
    AjouteIcôneNotification();
    // The outline is known exactly: no need to look for the colour key in a rendering.
    setMask(SilhouetteTélécommande(paramètres.Version, paramètres.TailleFenêtrePrincipale / 100.0,
                                   découpe));

    FermeSplash();
    if (finDemandée) {
        Form_Unload();
        return false;
    }
    tmrRéduireQuitter.start();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    démarrée = true;
    bureau.Ouvre();
    // Unseen until asked for, the channel list reads its logos and channels once the remote
    // is up (or when first shown, should that come sooner).
    QTimer::singleShot(0, listeChaînes.get(), [this] { listeChaînes->Form_Load(); });
    return true;
}

void frmNavelo::DisposeTélécommande() {
    const int modèle = paramètres.Version;
    const float f = paramètres.TailleFenêtrePrincipale / 100.0f;
    const qreal dpr = devicePixelRatioF();

    // Decided before the window exists: its pixel format follows.
    if (options.compositeur && options.compositeur()) {
        découpe = Découpe::Transparence;
        setAttribute(Qt::WA_TranslucentBackground);
        setAutoFillBackground(false);
    }
    imgTelkino = new QLabel(this);
    imgTelkino->setObjectName(u"imgTelkino"_s);
    imgTelkino->setPixmap(QPixmap::fromImage(ImageTélécommande(modèle, f, dpr, découpe)));
    imgTelkino->setGeometry(QRect(QPoint(0, 0), TailleImageTélécommande(modèle, f)));
    imgTelkino->installEventFilter(this);
    new FiltreGlissement(imgTelkino, [this](QPoint décalage) { SuitGlissement(décalage); });
    setFixedSize(imgTelkino->size());

    for (const ZoneTouche& touche : TableTouches()) {
        const std::optional<QRect>& place = modèle == 6 ? touche.zoneV6 : touche.zoneV5;
        if (!place)
            continue;
        const QString nom = QString::fromLatin1(touche.nomTouche);
        const QString libellé = QString::fromUtf16(touche.libellé);
        // Only the configured remote's zones exist, each named after its key's index.
        auto* zone = new ZoneSouris(this);
        zone->setGeometry(ZoneÉchelonnée(*place, f));
        zone->setAccessibleName(libellé);
        zone->setToolTip(libellé);
        if (modèle == 6) {
            zone->setObjectName(u"imgToucheV6[%1]"_s.arg(touche.index));
            zone->appui = [this, nom](Qt::MouseButton bouton) {
                if (bouton == Qt::LeftButton)
                    expéditeur.AppuiToucheV6(nom);
            };
            zone->relâche = [this](Qt::MouseButton) { expéditeur.RelâcheToucheV6(); };
            zone->actionsAccessibles = {{QAccessibleActionInterface::pressAction(), [this, nom] {
                                             expéditeur.AppuiToucheV6(nom);
                                             expéditeur.RelâcheToucheV6();
                                         }}};
        } else {
            zone->setObjectName(u"imgToucheV5[%1]"_s.arg(touche.index));
            zone->appui = [this, nom](Qt::MouseButton bouton) {
                if (bouton == Qt::LeftButton)
                    expéditeur.AppuiToucheV5(nom);
            };
            // Whichever button comes up: a right click sends the key too.
            zone->relâche = [this, nom](Qt::MouseButton) { expéditeur.RelâcheToucheV5(nom); };
            zone->actionsAccessibles = {
                {QAccessibleActionInterface::pressAction(),
                 [this, nom] {
                     expéditeur.AppuiToucheV5(nom);
                     expéditeur.RelâcheToucheV5(nom);
                 }},
                {ActionAppuiLong(), [this, nom] { expéditeur.AppuiLong(nom); }}};
        }
    }

    const auto bouton = [&](BoutonFenêtre quel, const QString& nom, const QString& libellé) {
        const auto indice = static_cast<size_t>(quel);
        imagesBoutons[indice] = {ImageBoutonFenêtre(quel, modèle, false, f, dpr),
                                 ImageBoutonFenêtre(quel, modèle, true, f, dpr)};
        auto* pic = new ZoneSouris(this);
        pic->setObjectName(nom);
        pic->setGeometry(ZoneÉchelonnée(ZoneBoutonFenêtre(quel, modèle), f));
        pic->setImage(imagesBoutons[indice][0]);
        pic->setAccessibleName(libellé);
        pic->setToolTip(libellé);
        // Shown under the mouse only, yet within reach of assistive technology wherever the
        // model shows them.
        if (modèle == 5 || quel == BoutonFenêtre::Réduire || quel == BoutonFenêtre::Quitter)
            pic->actionsAccessibles = {{QAccessibleActionInterface::pressAction(), [pic] {
                                            if (pic->clic)
                                                pic->clic();
                                        }}};
        pic->hide();
        return pic;
    };
    picRéduire = bouton(BoutonFenêtre::Réduire, u"picRéduire"_s, u"Réduire"_s);
    picQuitter = bouton(BoutonFenêtre::Quitter, u"picQuitter"_s, u"Quitter"_s);
    picClavier = bouton(BoutonFenêtre::Clavier, u"picClavier"_s, u"Clavier virtuel"_s);
    picListeChaînes =
        bouton(BoutonFenêtre::ListeChaînes, u"picListeChaînes"_s, u"Liste des chaînes"_s);
    picRéduire->clic = [this] { picRéduire_Click(); };
    picQuitter->clic = [this] { close(); };
    picClavier->clic = [this] { picClavier_Click(); };
    picListeChaînes->clic = [this] { picListeChaînes_Click(); };
}

// False when the list could not be fetched and the user chose not to go on without it.
bool frmNavelo::ActualiseListeChaînes() {
    Inet netChaînes;
    rapatriement = &netChaînes;
    const auto fini = qScopeGuard([this] { rapatriement = nullptr; });
    return ActualiseChaînes(splash.get(), paramètres, netChaînes, QDate::currentDate(),
                            [this] { return finDemandée; }) == SuiteDémarrage::Continuer;
}

void frmNavelo::AjouteIcôneNotification() {
    icône = new QSystemTrayIcon(IcôneFenêtres(), this);
    icône->setObjectName(u"icone"_s);
    // The notification area holds 63 characters of tip.
    icône->setToolTip(TitreEtVersion().left(63));
    connect(icône, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason raison) {
                switch (raison) {
                case QSystemTrayIcon::Trigger:
                    IcôneNotification(BoutonGaucheRelâché);
                    break;
                case QSystemTrayIcon::Context:
                    IcôneNotification(BoutonDroitRelâché);
                    break;
                default:
                    break;
                }
            });
    icône->show();
}

void frmNavelo::RetireIcôneNotification() {
    // Hidden rather than deleted: the shutdown may run from the icon's own menu.
    if (icône)
        icône->hide();
}

void frmNavelo::IcôneNotification(int message) {
    if (dansIcône)
        return;
    dansIcône = true;
    if (message == BoutonGaucheRelâché)
        AfficheFenêtres();
    else if (message == BoutonDroitRelâché)
        MenuPopup();
    dansIcône = false;
}

void frmNavelo::FermeSplash() {
    if (splash)
        splash->close();
    splash.reset();
}

void frmNavelo::TraiteTouche(const QString& touche) {
    expéditeur.TraiteTouche(touche);
}

void frmNavelo::AfficheFenêtres() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
    if (clavier && paramètres.ClavierAffiché)
        MontreVoisine(clavier.get());
    if (listeChaînes && paramètres.ListeChaînesAffichée)
        MontreVoisine(listeChaînes.get());
}

bool frmNavelo::FenêtreCachée() const {
    return !isVisible() || isMinimized();
}

void frmNavelo::MenuPopup() {
    clsPopupMenu menu;
    menu.AddItem(1, u"&A propos de...\tF1"_s, 4);
    menu.AddItem(0, u"-"_s, 0);
    menu.AddItem(2, u"&Configurer...\tF9"_s, 0);
    if (FenêtreCachée())
        menu.AddItem(3, u"&Restaurer"_s, 0);
    menu.AddItem(0, u"-"_s, 0);
    menu.AddItem(4, u"&Quitter"_s, 0);

    switch (menu.TrackPopup()) {
    case 1:
        AfficheAPropos();
        raise();
        break;
    case 2:
        Configure(true);
        break;
    case 3:
        AfficheFenêtres();
        break;
    case 4:
        close();
        break;
    default:
        break;
    }
}

void frmNavelo::AfficheAPropos() {
    const qreal dpr = devicePixelRatioF();
    frmAPropos aPropos(OptionsAProposNavelo(IcôneFenêtres(), ImageDonner(true, dpr),
                                            ImageDonner(false, dpr),
                                            paramètres.FenêtreToujoursAuDessus),
                       this);
    CentreFenêtre(&aPropos, this);
    aPropos.exec();
}

void frmNavelo::Configure(bool depuisMenu) {
    frmConfiguration configuration(paramètres, this);
    configuration.exec();
    if (paramètres.RedémarrageNécessaire) {
        close();
        return;
    }
    if (depuisMenu) {
        raise();
        PremierPlan(this, paramètres.FenêtreToujoursAuDessus);
    }
}

void frmNavelo::Termine() {
    paramètres.RedémarrageNécessaire = false;
    finDemandée = true;
    if (rapatriement)
        rapatriement->Cancel();
    // Every open dialog, and a message over one of them, whether the start-up, the user or
    // the shutdown waits for it; and the menu.
    if (QWidget* menu = QApplication::activePopupWidget())
        menu->close();
    while (QWidget* modale = QApplication::activeModalWidget()) {
        if (!modale->close())
            break;
    }
    if (démarrée) {
        Form_Unload();
        close();
    }
}

bool frmNavelo::eventFilter(QObject* objet, QEvent* évènement) {
    if (objet == imgTelkino && évènement->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(évènement)->button() == Qt::RightButton) {
        MenuPopup();
        return true;
    }
    return QWidget::eventFilter(objet, évènement);
}

void frmNavelo::keyPressEvent(QKeyEvent* évènement) {
    raccourcis.ToucheAppuyée(évènement->key(), évènement->modifiers(), évènement->text());
}

void frmNavelo::changeEvent(QEvent* évènement) {
    // Restored from the task bar: the windows put away with it come back too.
    if (évènement->type() == QEvent::WindowStateChange && démarrée && !isMinimized() &&
        static_cast<QWindowStateChangeEvent*>(évènement)->oldState() & Qt::WindowMinimized) {
        if (paramètres.ClavierAffiché)
            MontreVoisine(clavier.get());
        if (paramètres.ListeChaînesAffichée)
            MontreVoisine(listeChaînes.get());
    }
    QWidget::changeEvent(évènement);
}

void frmNavelo::closeEvent(QCloseEvent* évènement) {
    Form_Unload();
    évènement->accept();
}

void frmNavelo::Form_Unload() {
    if (std::exchange(déchargée, true))
        return;
    bureau.Ferme();
    tmrRéduireQuitter.stop();
    if (listeChaînes)
        listeChaînes->ArrêteZap();
    RetireIcôneNotification();
    // Windows never placed (a restart asked for by the first configuration) have nothing
    // worth remembering.
    const bool positionsÀÉcrire = paramètres.MémoriserPositionFenêtre && clavier && listeChaînes;
    if ((paramètres.ParamètresModifiés || positionsÀÉcrire) && !PrépareÉcriture(paramètres)) {
        // When the system ends the program, nobody is there to read a message.
        if (!finDemandée)
            SignaleÉcritureImpossible(this, paramètres);
    } else {
        if (paramètres.ParamètresModifiés)
            EcritParamètres(paramètres);
        if (positionsÀÉcrire) {
            PositionsFenêtres positions;
            positions.Fenêtre = EnTwips(pos());
            positions.FenêtreClavier = EnTwips(clavier->pos());
            positions.FenêtreListeChaînes =
                EnTwips(QRect(listeChaînes->pos(), listeChaînes->size()));
            EcritPositions(paramètres.FichierIni, positions);
        }
    }
    if (paramètres.RedémarrageNécessaire) {
        // The new process must not find this one still answering as the running instance.
        instance.ArrêteÉcoute();
        const QString programme = options.programme.isEmpty()
                                      ? QCoreApplication::applicationFilePath()
                                      : options.programme;
        options.lanceur(programme, {}, ModeAffichage::RéduitAvecFocus);
    }
    if (clavier)
        clavier->hide();
    if (listeChaînes)
        listeChaînes->hide();
    Q_EMIT programEnded();
}
