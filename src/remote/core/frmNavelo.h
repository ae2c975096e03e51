#pragma once

#include "bureau_navelo.h"
#include "compositeur.h"
#include "dessin_telecommande.h"
#include "emplacements.h"
#include "expediteur_touches.h"
#include "instance_unique.h"
#include "lanceur.h"
#include "parametres.h"
#include "raccourcis.h"

#include <QPixmap>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QSystemTrayIcon;
class ZoneSouris;
class frmClavier;
class frmListeChaînes;
class frmSplashScreen;

// What the start-up takes from outside, so that tests can run it in a folder of their own.
struct OptionsNavelo {
    // Holds Navelo.ini and the channel cache; empty: beside the program, or the user's own
    // data folder on a system-wide install.
    QString dossierParamètres;
    // The name a running instance listens under.
    QString nomInstance = NomInstance(QStringLiteral("Navelo"), QStringLiteral("WakeUp!"));
    // What a restart starts: the program's full path, found from anywhere; empty: this one.
    QString programme;
    std::function<bool(const QString&, const QStringList&, ModeAffichage)> lanceur = LanceProgramme;
    // Whether the desktop blends windows, asked once the application exists.
    std::function<bool()> compositeur = CompositeurActif;
};

// The main window: the picture of the remote, cut out of its magenta background, whose key
// zones send keys to the box. Its start-up and shutdown are the program's own.
class frmNavelo : public QWidget {
    Q_OBJECT
public:
    explicit frmNavelo(OptionsNavelo options = {});
    ~frmNavelo() override;

    // The start-up sequence. False when the program must end instead of running: another
    // instance was woken up, no remote code was given, or a restart was started.
    bool Form_Load();

    // Every key reaches the box through here.
    void TraiteTouche(const QString& touche);
    void AfficheFenêtres();
    void MenuPopup();
    void AfficheAPropos();
    // Runs the configuration dialog; a change that needs a restart closes the program and
    // starts it again. From the menu, the window also comes to the front and takes the
    // always-on-top setting at once.
    void Configure(bool depuisMenu);
    // The system ends the program (a signal, the end of the session, the display gone): its
    // open dialogs and the channel list's fetch are cancelled, and the shutdown sequence runs
    // as for Quit, without a restart; a start-up still running ends once it is done.
    void Termine();

    ParamètresNavelo& Paramètres() { return paramètres; }
    ExpéditeurTouches& Expéditeur() { return expéditeur; }
    frmClavier* Clavier() const { return clavier.get(); }
    frmListeChaînes* ListeChaînes() const { return listeChaînes.get(); }

Q_SIGNALS:
    // The shutdown sequence has run; nothing of the program should run any more.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* évènement) override;
    void changeEvent(QEvent* évènement) override;
    bool eventFilter(QObject* objet, QEvent* évènement) override;
    void keyPressEvent(QKeyEvent* évènement) override;

private:
    void DisposeTélécommande();
    bool ActualiseListeChaînes();
    void PlaceFenêtres();
    // Shows the keyboard or the channel list window.
    void MontreVoisine(QWidget* fenêtre);
    void PlaceÀCôté(QWidget* fenêtre);
    void AjouteIcôneNotification();
    void RetireIcôneNotification();
    void IcôneNotification(int message);
    void tmrRéduireQuitter_Timer();
    void picRéduire_Click();
    void picClavier_Click();
    void picListeChaînes_Click();
    void SuitGlissement(QPoint décalage);
    void FermeSplash();
    void Form_Unload();
    bool FenêtreCachée() const;

    OptionsNavelo options;
    ParamètresNavelo paramètres;
    ExpéditeurTouches expéditeur;
    // The PC keyboard, here and in the keyboard window.
    RaccourcisClavier raccourcis;
    InstanceUnique instance;
    BureauNavelo bureau;
    // The start-up's channel list fetch, while it runs.
    Inet* rapatriement = nullptr;
    bool démarrée = false;
    bool déchargée = false;
    // The system asked for the end (Termine).
    bool finDemandée = false;
    EmplacementsNavelo emplacements;

    // Cut out by a mask on the colour key, or smoothly where a compositor blends windows.
    Découpe découpe = Découpe::Masque;
    QLabel* imgTelkino = nullptr;
    ZoneSouris* picRéduire = nullptr;
    ZoneSouris* picQuitter = nullptr;
    ZoneSouris* picClavier = nullptr;
    ZoneSouris* picListeChaînes = nullptr;
    // Normal and hover pictures of each window button, by BoutonFenêtre.
    std::array<std::array<QPixmap, 2>, 4> imagesBoutons;
    QTimer tmrRéduireQuitter;

    std::unique_ptr<frmClavier> clavier;
    std::unique_ptr<frmListeChaînes> listeChaînes;
    std::unique_ptr<frmSplashScreen> splash;
    QSystemTrayIcon* icône = nullptr;
    // Set while an event of the notification icon is handled; later ones are dropped.
    bool dansIcône = false;
    // The keyboard and channel list windows still to be placed beside the remote when they
    // first show.
    QSet<QWidget*> àPlacerÀCôté;
};
