#include "frmListeChaines.h"

#include "chaines.h"
#include "core/positions.h"
#include "fenetres.h"
#include "logos_chaines.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// Lets window events run during a long loop, without slowing a long list down.
class Respiration {
public:
    Respiration() { chrono.start(); }
    void operator()() {
        if (chrono.elapsed() < 40)
            return;
        QCoreApplication::processEvents();
        chrono.restart();
    }

private:
    QElapsedTimer chrono;
};

} // namespace

frmListeChaînes::frmListeChaînes(ParamètresNavelo& paramètres, ExpéditeurTouches& expéditeur,
                                 const QStringList& dossiersLogos, QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , paramètres(paramètres)
    , expéditeur(expéditeur)
    , lvwChaînes(new QTreeWidget(this))
    , chkAfficherToutesLesChaînes(new QCheckBox(u"Afficher toutes les chaînes"_s, this))
    , dossiersLogos(dossiersLogos) {
    setWindowTitle(u"Liste des chaînes"_s);
    // An auxiliary window: closing it never ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    lvwChaînes->setObjectName(u"lvwChaînes"_s);
    lvwChaînes->setColumnCount(1);
    lvwChaînes->setHeaderLabels({u"Chaine"_s});
    lvwChaînes->setRootIsDecorated(false);
    lvwChaînes->setUniformRowHeights(true);
    lvwChaînes->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwChaînes->setGeometry(EnPixels(120), EnPixels(120), EnPixels(3495), EnPixels(5775));
    lvwChaînes->setIconSize(TailleImagesLogos(paramètres.TailleLogos));
    chkAfficherToutesLesChaînes->setObjectName(u"chkAfficherToutesLesChaînes"_s);
    chkAfficherToutesLesChaînes->setGeometry(EnPixels(120), EnPixels(6000), EnPixels(3495),
                                             EnPixels(255));
    // Wider than designed by as much as the logos are wider than at their default size, so that
    // names keep their room at every logo size; never narrower, whatever size was remembered.
    const int largeur = EnPixels(3735) +
                        std::max(0, lvwChaînes->iconSize().width() - TailleImagesLogos(50).width());
    setMinimumWidth(largeur);
    resize(largeur, EnPixels(6330));

    connect(chkAfficherToutesLesChaînes, &QCheckBox::clicked, this, [this] { AfficheChaînes(); });
    connect(lvwChaînes, &QTreeWidget::itemDoubleClicked, this, [this] { lvwChaînes_DblClick(); });

    PremierPlan(this, paramètres.FenêtreToujoursAuDessus);
}

void frmListeChaînes::Form_Load() {
    if (std::exchange(chargée, true))
        return;
    ChargeLogos();
    Respiration respiration;
    if (ChargeChaînes(paramètres.FichierChaînes, Chaînes, [&respiration] { respiration(); }) > 0)
        AfficheChaînes();
}

// A file that is not a picture is skipped, and the first picture for a channel stays.
void frmListeChaînes::ChargeLogos() {
    const QSize taille = lvwChaînes->iconSize();
    const qreal échelle = qApp->devicePixelRatio();
    for (const FichierLogo& logo : FichiersLogos(dossiersLogos)) {
        if (imlChaînes.contains(logo.clé))
            continue;
        const QImage image(logo.chemin);
        if (image.isNull())
            continue;
        QPixmap pixmap = QPixmap::fromImage(
            image.scaled(taille * échelle, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        pixmap.setDevicePixelRatio(échelle);
        imlChaînes.insert(logo.clé, pixmap);
    }
}

void frmListeChaînes::AfficheChaînes() {
    const quint64 celuiCi = ++affichage;
    lvwChaînes->clear();
    const bool toutes = chkAfficherToutesLesChaînes->isChecked();
    const QPointer<QWidget> vivant(this);
    Respiration respiration;
    for (const InfosChaîne& chaîne : std::as_const(Chaînes)) {
        if (toutes || chaîne.available) {
            auto* élément = new QTreeWidgetItem(lvwChaînes, {chaîne.id + u". "_s + chaîne.name});
            élément->setData(0, Qt::UserRole, chaîne.id);
            // The number as the zap sends it.
            QPixmap logo = imlChaînes.value(u"K"_s + chaîne.id.trimmed(), imlChaînes.value(u"?"_s));
            if (!chaîne.available) {
                élément->setForeground(0, palette().brush(QPalette::Disabled, QPalette::Text));
                if (!logo.isNull()) {
                    QStyleOption option;
                    option.initFrom(lvwChaînes);
                    logo = style()->generatedIconPixmap(QIcon::Disabled, logo, &option);
                }
            }
            if (!logo.isNull())
                élément->setIcon(0, logo);
        }
        respiration();
        if (!vivant || affichage != celuiCi)
            return;
    }
}

void frmListeChaînes::lvwChaînes_DblClick() {
    const QList<QTreeWidgetItem*> sélection = lvwChaînes->selectedItems();
    if (zapEnCours || sélection.isEmpty())
        return;
    const QString numéro = sélection.first()->data(0, Qt::UserRole).toString().trimmed();

    zapEnCours = true;
    const QPointer<QWidget> vivant(this);
    for (qsizetype i = 0; i < numéro.size(); ++i) {
        EnvoieChiffre(numéro.at(i), i < numéro.size() - 1);
        // The window and the remote keep responding during the pause. Only the pause's own
        // end lets the zap go on: a quit of the program or ArrêteZap ends the loop otherwise.
        constexpr int finDeLaPause = 1;
        QEventLoop attente;
        pauseEnCours = &attente;
        QTimer::singleShot(pauseZap, &attente, [&attente] { attente.exit(finDeLaPause); });
        const bool finie = attente.exec() == finDeLaPause;
        if (!vivant)
            return;
        pauseEnCours = nullptr;
        if (!finie)
            break;
    }
    zapEnCours = false;
}

void frmListeChaînes::ArrêteZap() {
    if (pauseEnCours)
        pauseEnCours->quit();
}

void frmListeChaînes::EnvoieChiffre(const QString& chiffre, bool longue) {
    // The flag is the main window's too: a key clicked there during a pause must not be
    // sent as a long press, nor lose a long press of its own.
    const bool avant = expéditeur.ToucheLongue;
    expéditeur.ToucheLongue = longue;
    expéditeur.TraiteTouche(chiffre);
    expéditeur.ToucheLongue = avant;
}

void frmListeChaînes::showEvent(QShowEvent* évènement) {
    Form_Load();
    QWidget::showEvent(évènement);
}

void frmListeChaînes::resizeEvent(QResizeEvent* évènement) {
    QWidget::resizeEvent(évènement);
    Form_Resize();
}

void frmListeChaînes::Form_Resize() {
    if (isMinimized())
        return;
    const int hautCase =
        std::max(0, EnTwips(height()) - 90 - EnTwips(chkAfficherToutesLesChaînes->height()));
    chkAfficherToutesLesChaînes->move(chkAfficherToutesLesChaînes->x(), EnPixels(hautCase));

    const int largeurListe = std::max(0, EnTwips(width()) - 2 * 120);
    const int hauteurListe = std::max(0, hautCase - 60 - 120);
    lvwChaînes->setGeometry(EnPixels(120), EnPixels(120), EnPixels(largeurListe),
                            EnPixels(hauteurListe));
    lvwChaînes->setColumnWidth(0, EnPixels(std::max(0, largeurListe - 330)));
}

void frmListeChaînes::closeEvent(QCloseEvent* évènement) {
    // Accepted, the close only hides the window; it is never deleted on close.
    paramètres.ListeChaînesAffichée = false;
    évènement->accept();
}
