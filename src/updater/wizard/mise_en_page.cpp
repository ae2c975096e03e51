#include "mise_en_page.h"

#include "dessins_renovo.h"
#include "texte_complet.h"
#include "translation/traduction_fenetres.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// 120 twips.
constexpr int écartLiens = 8;

template <typename Contrôle> Contrôle* Nommé(Contrôle* contrôle, const QString& nom) {
    contrôle->setObjectName(nom);
    return contrôle;
}

QLabel* Étiquette(QWidget* parent, const QString& nom, const QString& texte = {}) {
    auto* étiquette = Nommé(new QLabel(texte, parent), nom);
    étiquette->setWordWrap(true);
    return étiquette;
}

} // namespace

void MiseEnPageAssistant::CréeContrôles(QWidget* fenêtre) {
    for (int i = 0; i < int(picEtape.size()); ++i) {
        picEtape[i] = Nommé(new QWidget(fenêtre), u"picEtape"_s);
        picEtape[i]->setProperty("Index", i);
        picEtape[i]->hide();
    }

    txtIntro = Nommé(new QPlainTextEdit(picEtape[0]), u"txtIntro"_s);
    txtIntro->setReadOnly(true);
    auto* étape0 = new QVBoxLayout(picEtape[0]);
    étape0->setContentsMargins({});
    étape0->addWidget(txtIntro);

    lblEtape1 = Étiquette(picEtape[1], u"lblEtape1"_s);
    lvwLogicielsInstallés = Nommé(new QTreeWidget(picEtape[1]), u"lvwLogicielsInstallés"_s);
    lvwLogicielsInstallés->setRootIsDecorated(false);
    lvwLogicielsInstallés->setUniformRowHeights(true);
    lvwLogicielsInstallés->hide();
    CréeColonnes(lvwLogicielsInstallés, {{u"COL_NOM"_s, u"Nom"_s},
                                         {u"COL_VERSION_INSTALLEE"_s, u"Version installée"_s},
                                         {u"COL_STATUT"_s, u"Statut"_s}});
    // 2100, 1400 and 2800 twips.
    lvwLogicielsInstallés->setColumnWidth(0, 140);
    lvwLogicielsInstallés->setColumnWidth(1, 93);
    lvwLogicielsInstallés->setColumnWidth(2, 187);
    ColonneNom = 0;
    ColonneVersion = 1;
    ColonneStatut = 2;
    MontreTextesComplets(lvwLogicielsInstallés);
    imgAttente = Nommé(new QLabel(picEtape[1]), u"imgAttente"_s);
    imgAttente->setFixedSize(TailleImageAttente);
    imgAttente->hide();
    auto* étape1 = new QVBoxLayout(picEtape[1]);
    étape1->setContentsMargins({});
    étape1->addWidget(lblEtape1);
    étape1->addWidget(lvwLogicielsInstallés, 1);
    étape1->addWidget(imgAttente, 0, Qt::AlignHCenter);
    étape1->addStretch();

    lblEtape2a = Étiquette(picEtape[2], u"lblEtape2a"_s);
    lblEtape2b = Étiquette(picEtape[2], u"lblEtape2b"_s);
    lblRépertoire = Nommé(new QLabel(u"Dossier"_s, picEtape[2]), u"lblRépertoire"_s);
    txtRépertoire = Nommé(new QLineEdit(picEtape[2]), u"txtRépertoire"_s);
    btnRépertoireParcourir =
        Nommé(new QPushButton(u"..."_s, picEtape[2]), u"btnRépertoireParcourir"_s);
    btnRépertoireParcourir->setFixedWidth(32);
    lblDossierIncorrect = Étiquette(picEtape[2], u"lblDossierIncorrect"_s,
                                    u"Dossier inexistant ou inaccessible..."_s);
    QPalette alerte = lblDossierIncorrect->palette();
    alerte.setColor(QPalette::WindowText, QColor(192, 0, 0));
    lblDossierIncorrect->setPalette(alerte);
    lblDossierIncorrect->hide();
    auto* dossier = new QHBoxLayout;
    dossier->addWidget(lblRépertoire);
    dossier->addWidget(txtRépertoire, 1);
    dossier->addWidget(btnRépertoireParcourir);
    auto* étape2 = new QVBoxLayout(picEtape[2]);
    étape2->setContentsMargins({});
    étape2->addWidget(lblEtape2a);
    étape2->addSpacing(8);
    étape2->addWidget(lblEtape2b);
    étape2->addSpacing(16);
    étape2->addLayout(dossier);
    étape2->addWidget(lblDossierIncorrect);
    étape2->addStretch();

    lstTéléchargements = Nommé(new QListWidget(picEtape[3]), u"lstTéléchargements"_s);
    MontreTextesComplets(lstTéléchargements);
    pgbDownload = Nommé(new QProgressBar(picEtape[3]), u"pgbDownload"_s);
    pgbDownload->setTextVisible(false);
    pgbDownload->hide();
    lblReste = Étiquette(picEtape[3], u"lblReste"_s);
    lblReste->hide();
    lblEtape3b = Étiquette(picEtape[3], u"lblEtape3b"_s);
    lblEtape3b->hide();
    auto* étape3 = new QVBoxLayout(picEtape[3]);
    étape3->setContentsMargins({});
    étape3->addWidget(lstTéléchargements, 1);
    étape3->addWidget(pgbDownload);
    étape3->addWidget(lblReste);
    étape3->addWidget(lblEtape3b);

    lstInstallations = Nommé(new QListWidget(picEtape[4]), u"lstInstallations"_s);
    MontreTextesComplets(lstInstallations);
    chkSupprimerFichiersAprèsInstallation =
        Nommé(new QCheckBox(u"Supprimer les fichiers après installation"_s, picEtape[4]),
              u"chkSupprimerFichiersAprèsInstallation"_s);
    auto* étape4 = new QVBoxLayout(picEtape[4]);
    étape4->setContentsMargins({});
    étape4->addWidget(lstInstallations, 1);
    étape4->addWidget(chkSupprimerFichiersAprèsInstallation);

    imgPar = Nommé(new QLabel(fenêtre), u"imgPar"_s);
    imgPar->setFixedSize(TailleImagePar);
    auto* panneaux = new QGridLayout;
    for (QWidget* panneau : picEtape)
        panneaux->addWidget(panneau, 0, 0);
    auto* zone = new QWidget(fenêtre);
    zone->setLayout(panneaux);
    panneaux->setContentsMargins({});
    zone->setFixedSize(TaillePanneau);

    lblAProposDe = Nommé(new QLabel(u"A propos de..."_s, fenêtre), u"lblAProposDe"_s);
    lblConfigurer = Nommé(new QLabel(u"Configurer..."_s, fenêtre), u"lblConfigurer"_s);
    for (QLabel* lien : {lblAProposDe, lblConfigurer})
        lien->setCursor(Qt::PointingHandCursor);
    btnPrécédent = Nommé(new QPushButton(u"< &Précédent"_s, fenêtre), u"btnPrécédent"_s);
    btnSuivant = Nommé(new QPushButton(u"&Suivant >"_s, fenêtre), u"btnSuivant"_s);
    btnQuitter = Nommé(new QPushButton(u"&Quitter"_s, fenêtre), u"btnQuitter"_s);
    for (QPushButton* bouton : {btnPrécédent, btnSuivant, btnQuitter}) {
        bouton->setMinimumWidth(96);
        bouton->setAutoDefault(true);
    }

    auto* ligne = new QFrame(fenêtre);
    ligne->setFrameShape(QFrame::HLine);
    ligne->setFrameShadow(QFrame::Sunken);
    auto* boutons = new QHBoxLayout;
    boutons->setSpacing(écartLiens);
    boutons->addWidget(lblAProposDe);
    boutons->addWidget(lblConfigurer);
    boutons->addStretch();
    boutons->addWidget(btnPrécédent);
    boutons->addWidget(btnSuivant);
    boutons->addSpacing(12);
    boutons->addWidget(btnQuitter);

    auto* grille = new QGridLayout(fenêtre);
    grille->setHorizontalSpacing(12);
    grille->addWidget(imgPar, 0, 0);
    grille->addWidget(zone, 0, 1);
    grille->addWidget(ligne, 1, 0, 1, 2);
    grille->addLayout(boutons, 2, 0, 1, 2);
    // The window's size is that of its panels and buttons.
    grille->setSizeConstraint(QLayout::SetFixedSize);
}

void MiseEnPageAssistant::AjusteLiens() {
    for (QLabel* lien : {lblAProposDe, lblConfigurer}) {
        QFont police = lien->font();
        police.setUnderline(false);
        lien->setFixedWidth(QFontMetrics(police).horizontalAdvance(lien->text()) + 1);
    }
}

// A title, translated or not, is never cut by the next column; the status, last, takes what
// room is left.
void MiseEnPageAssistant::AjusteColonnes() {
    const QHeaderView* entête = lvwLogicielsInstallés->header();
    for (int i = 0; i + 1 < lvwLogicielsInstallés->columnCount(); ++i)
        lvwLogicielsInstallés->setColumnWidth(
            i, std::max(lvwLogicielsInstallés->columnWidth(i), entête->sectionSizeHint(i)));
    lvwLogicielsInstallés->setColumnWidth(ColonneStatut, entête->sectionSizeHint(ColonneStatut));
}
