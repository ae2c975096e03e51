#include "frmNavelo.h"

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
#include "placement.h"
#include "positions.h"
#include "table_touches.h"
#include "version.h"
#include "zone_souris.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QScreen>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// The notification icon's mouse messages, as the window system numbers them.
constexpr int BoutonGaucheRelâché = 514;
constexpr int BoutonDroitRelâché = 517;

EmplacementsNavelo Emplacements() {
    const QString utilisateur =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Navelo"_s;
    return DétermineEmplacements(QCoreApplication::applicationDirPath(), utilisateur);
}

// Each screen's area left to windows by the task bars and panels.
QList<QRect> SurfacesÉcrans() {
    QList<QRect> surfaces;
    for (const QScreen* écran : QGuiApplication::screens())
        surfaces.append(écran->availableGeometry());
    return surfaces;
}

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
    , instance(this->options.nomInstance) {
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

    emplacements = Emplacements();
    QString dossier = options.dossierParamètres;
    if (dossier.isEmpty()) {
        dossier = emplacements.dossierParamètres;
        paramètres.FichierIniProgramme = emplacements.fichierIniProgramme;
    }
    paramètres.FichierIni = QDir(dossier).filePath(u"Navelo.ini"_s);
    paramètres.FichierChaînes = QDir(dossier).filePath(u"channels"_s);
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
        } else {
            zone->setObjectName(u"imgToucheV5[%1]"_s.arg(touche.index));
            zone->appui = [this, nom](Qt::MouseButton bouton) {
                if (bouton == Qt::LeftButton)
                    expéditeur.AppuiToucheV5(nom);
            };
            // Whichever button comes up: a right click sends the key too.
            zone->relâche = [this, nom](Qt::MouseButton) { expéditeur.RelâcheToucheV5(nom); };
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
    return ActualiseChaînes(splash.get(), paramètres, netChaînes) == SuiteDémarrage::Continuer;
}

void frmNavelo::PlaceFenêtres() {
    const QRect disponible = QGuiApplication::primaryScreen()->availableGeometry();
    clavier = std::make_unique<frmClavier>(paramètres, expéditeur, raccourcis);
    listeChaînes =
        std::make_unique<frmListeChaînes>(paramètres, expéditeur, emplacements.dossiersLogos);

    // In twips, a window of `taille` centred on the primary screen's available area.
    const auto centrée = [&](QSize taille) {
        return EnTwips(disponible.topLeft()) + PositionCentrée(taille, disponible.size());
    };
    PositionsFenêtres défauts;
    défauts.Fenêtre = centrée(size());
    // Both models keep the list's design size, so that a model 6 run never stores a 0 size.
    défauts.FenêtreListeChaînes.setSize(
        QSize(EnTwips(listeChaînes->width()), EnTwips(listeChaînes->height())));
    if (paramètres.Version == 5) {
        défauts.FenêtreClavier = centrée(clavier->size());
        défauts.FenêtreListeChaînes.moveTopLeft(centrée(listeChaînes->size()));
    }
    PositionsFenêtres positions = défauts;
    const QList<QRect> surfaces = SurfacesÉcrans();
    QList<QRect> écrans;
    if (paramètres.MémoriserPositionFenêtre) {
        positions = LitPositions(FichierIniLu(paramètres), défauts);
        // A screen taken away since the last run must not leave a window out of reach.
        écrans = surfaces;
    }

    // Whatever its place and its size, the remote lies wholly on one screen.
    move(SurUneSurface(QRect(EnPixels(positions.Fenêtre), size()), surfaces).topLeft());
    const auto place = [&](QWidget* fenêtre, const QPoint& coin, const QSize& taille) {
        fenêtre->move(RamèneSurÉcran(QRect(coin, taille), écrans).topLeft());
    };
    place(clavier.get(), EnPixels(positions.FenêtreClavier), clavier->size());
    const QRect liste = EnPixels(positions.FenêtreListeChaînes);
    listeChaînes->resize(liste.size());
    place(listeChaînes.get(), liste.topLeft(), listeChaînes->size());

    // A window with no place of the user's opens beside the remote rather than over its keys.
    if (positions.FenêtreClavier == défauts.FenêtreClavier)
        àPlacerÀCôté.insert(clavier.get());
    if (positions.FenêtreListeChaînes.topLeft() == défauts.FenêtreListeChaînes.topLeft())
        àPlacerÀCôté.insert(listeChaînes.get());
}

void frmNavelo::MontreVoisine(QWidget* fenêtre) {
    // Before its first showing, while a move still places its frame rather than its inside.
    if (àPlacerÀCôté.remove(fenêtre))
        PlaceÀCôté(fenêtre);
    fenêtre->show();
}

void frmNavelo::PlaceÀCôté(QWidget* fenêtre) {
    const QScreen* écran = QGuiApplication::screenAt(frameGeometry().center());
    if (!écran)
        écran = QGuiApplication::primaryScreen();
    // The keyboard and the channel list, both opened, side by side rather than stacked.
    QList<QRect> occupées;
    for (const QWidget* autre :
         {static_cast<QWidget*>(clavier.get()), static_cast<QWidget*>(listeChaînes.get())}) {
        if (autre != fenêtre && autre->isVisible())
            occupées.append(autre->frameGeometry());
    }
    fenêtre->move(ÀCôté(fenêtre->frameGeometry().size(), frameGeometry(),
                        écran->availableGeometry(), occupées));
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
    if (démarrée) {
        Form_Unload();
        close();
        return;
    }
    // Every dialog the start-up waits for, and a message over one of them.
    while (QWidget* modale = QApplication::activeModalWidget()) {
        if (!modale->close())
            break;
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

void frmNavelo::SuitGlissement(QPoint décalage) {
    // Hidden windows follow too, so that they reopen beside the remote.
    for (QWidget* fenêtre :
         {static_cast<QWidget*>(clavier.get()), static_cast<QWidget*>(listeChaînes.get())}) {
        if (fenêtre)
            fenêtre->move(fenêtre->pos() + décalage);
    }
}

void frmNavelo::tmrRéduireQuitter_Timer() {
    const bool v5 = paramètres.Version == 5;
    const QPoint curseur = QCursor::pos();
    QWidget* dessous = QApplication::widgetAt(curseur);
    const bool surFenêtre = dessous && dessous->window() == this &&
                            (mask().isEmpty() || mask().contains(mapFromGlobal(curseur)));
    const auto image = [&](ZoneSouris* pic, BoutonFenêtre quel, bool survolé) {
        pic->setImage(imagesBoutons[static_cast<size_t>(quel)][survolé ? 1 : 0]);
    };

    if (!surFenêtre) {
        picRéduire->hide();
        picQuitter->hide();
        if (v5) {
            picClavier->hide();
            picListeChaînes->hide();
        }
        return;
    }

    ZoneSouris* survolé = nullptr;
    for (ZoneSouris* pic : {picClavier, picListeChaînes, picRéduire, picQuitter}) {
        if (dessous == pic) {
            survolé = pic;
            break;
        }
    }
    image(picRéduire, BoutonFenêtre::Réduire, survolé == picRéduire);
    image(picQuitter, BoutonFenêtre::Quitter, survolé == picQuitter);
    if (v5) {
        image(picClavier, BoutonFenêtre::Clavier, survolé == picClavier);
        image(picListeChaînes, BoutonFenêtre::ListeChaînes, survolé == picListeChaînes);
    }
    if (!survolé) {
        picRéduire->show();
        picQuitter->show();
        if (v5) {
            picClavier->show();
            picListeChaînes->show();
        }
    }
}

void frmNavelo::picRéduire_Click() {
    if (clavier)
        clavier->hide();
    if (listeChaînes)
        listeChaînes->hide();
    // Without a notification area a hidden window could never be brought back.
    if (QSystemTrayIcon::isSystemTrayAvailable())
        hide();
    else
        showMinimized();
}

void frmNavelo::picClavier_Click() {
    paramètres.ClavierAffiché = !paramètres.ClavierAffiché;
    if (paramètres.ClavierAffiché)
        MontreVoisine(clavier.get());
    else
        clavier->hide();
}

void frmNavelo::picListeChaînes_Click() {
    paramètres.ListeChaînesAffichée = !paramètres.ListeChaînesAffichée;
    if (paramètres.ListeChaînesAffichée)
        MontreVoisine(listeChaînes.get());
    else
        listeChaînes->hide();
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
