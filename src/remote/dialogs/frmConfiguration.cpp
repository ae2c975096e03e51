#include "frmConfiguration.h"

#include "centrage.h"
#include "ecriture_impossible.h"
#include "fenetres.h"
#include "police_tahoma.h"
#include "widgets/boite_message.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

template <typename Contrôle> Contrôle* Nommé(Contrôle* contrôle, const QString& nom) {
    contrôle->setObjectName(nom);
    return contrôle;
}

QLineEdit* BoîteTaille(QWidget* parent, const QString& nom) {
    auto* boîte = Nommé(new QLineEdit(parent), nom);
    boîte->setFixedWidth(boîte->fontMetrics().horizontalAdvance(u"00000"_s) + 12);
    return boîte;
}

} // namespace

frmConfiguration::frmConfiguration(ParamètresNavelo& paramètres, QWidget* parent)
    : QDialog(parent)
    , paramètres(paramètres)
    , versionChoisie(paramètres.Version)
    , boîteChoisie(paramètres.Hd) {
    setObjectName(u"frmConfiguration"_s);
    setWindowTitle(u"Configuration"_s);
    setFont(PoliceTahoma());
    Construit();

    const SaisieConfiguration saisie = SaisieDepuis(paramètres);
    txtCodeTélécommande->setText(saisie.CodeTélécommande);
    if (QRadioButton* option = optVersion.value(saisie.Version))
        option->setChecked(true);
    if (QRadioButton* option = optHd.value(saisie.Hd))
        option->setChecked(true);
    chkMémoriserPositionFenêtre->setChecked(saisie.MémoriserPositionFenêtre);
    chkFenêtreToujoursAuDessus->setChecked(saisie.FenêtreToujoursAuDessus);
    txtTailleFenêtrePrincipale->setText(saisie.TailleFenêtrePrincipale);
    txtTailleClavier->setText(saisie.TailleClavier);
    txtTailleLogos->setText(saisie.TailleLogos);
    PremierPlan(this, paramètres.FenêtreToujoursAuDessus);
}

void frmConfiguration::Construit() {
    auto* fraIdentification = Nommé(
        new QGroupBox(u" Identification télécommande et boîtier "_s, this), u"fraIdentification"_s);
    txtCodeTélécommande = Nommé(new QLineEdit(fraIdentification), u"txtCodeTélécommande"_s);
    auto* groupeVersion = new QButtonGroup(this);
    auto* groupeHd = new QButtonGroup(this);
    const std::tuple<QMap<int, QRadioButton*>*, QButtonGroup*, QString, int, QString> options[] = {
        {&optVersion, groupeVersion, u"optVersion"_s, 5, u"v5 (HD)"_s},
        {&optVersion, groupeVersion, u"optVersion"_s, 6, u"v6 (Player)"_s},
        {&optHd, groupeHd, u"optHd"_s, 1, u"Principal"_s},
        {&optHd, groupeHd, u"optHd"_s, 2, u"Secondaire"_s}};
    for (const auto& [tableau, groupe, nom, index, texte] : options) {
        auto* option = Nommé(new QRadioButton(texte, fraIdentification), nom);
        option->setProperty("Index", index);
        groupe->addButton(option, index);
        tableau->insert(index, option);
    }
    connect(groupeVersion, &QButtonGroup::idToggled, this, [this](int id, bool coché) {
        if (coché)
            versionChoisie = static_cast<qint16>(id);
    });
    connect(groupeHd, &QButtonGroup::idToggled, this, [this](int id, bool coché) {
        if (coché)
            boîteChoisie = static_cast<qint16>(id);
    });

    auto* grilleIdentification = new QGridLayout(fraIdentification);
    grilleIdentification->addWidget(new QLabel(u"Code télécommande"_s, fraIdentification), 0, 0);
    grilleIdentification->addWidget(txtCodeTélécommande, 0, 1, 1, 2);
    grilleIdentification->addWidget(new QLabel(u"Type FreeBox"_s, fraIdentification), 1, 0);
    grilleIdentification->addWidget(optVersion[5], 1, 1);
    grilleIdentification->addWidget(optVersion[6], 1, 2);
    grilleIdentification->addWidget(new QLabel(u"Boîtier"_s, fraIdentification), 2, 0);
    grilleIdentification->addWidget(optHd[1], 2, 1);
    grilleIdentification->addWidget(optHd[2], 2, 2);
    grilleIdentification->setColumnStretch(2, 1);

    auto* fraDimensions =
        Nommé(new QGroupBox(u" Dimensions (requiert un redémarrage du logiciel) "_s, this),
              u"fraDimensions"_s);
    txtTailleFenêtrePrincipale = BoîteTaille(fraDimensions, u"txtTailleFenêtrePrincipale"_s);
    txtTailleClavier = BoîteTaille(fraDimensions, u"txtTailleClavier"_s);
    txtTailleLogos = BoîteTaille(fraDimensions, u"txtTailleLogos"_s);
    auto* grilleDimensions = new QGridLayout(fraDimensions);
    const std::pair<QString, QLineEdit*> tailles[] = {
        {u"Fenêtre principale"_s, txtTailleFenêtrePrincipale},
        {u"Clavier virtuel"_s, txtTailleClavier},
        {u"Logos des chaînes"_s, txtTailleLogos}};
    int ligne = 0;
    for (const auto& [texte, boîte] : tailles) {
        grilleDimensions->addWidget(new QLabel(texte, fraDimensions), ligne, 0);
        grilleDimensions->addWidget(boîte, ligne, 1);
        grilleDimensions->addWidget(new QLabel(u"%"_s, fraDimensions), ligne, 2);
        ++ligne;
    }
    auto* note =
        new QLabel(u"La taille est exprimée en pourcentage par rapport à la taille initiale."_s,
                   fraDimensions);
    note->setWordWrap(true);
    grilleDimensions->addWidget(note, ligne, 0, 1, 4);
    grilleDimensions->setColumnStretch(3, 1);

    chkMémoriserPositionFenêtre =
        Nommé(new QCheckBox(u"&Mémoriser la position de la fenêtre"_s, this),
              u"chkMémoriserPositionFenêtre"_s);
    chkFenêtreToujoursAuDessus = Nommé(new QCheckBox(u"&Fenêtre toujours au dessus"_s, this),
                                       u"chkFenêtreToujoursAuDessus"_s);
    btnOK = Nommé(new QPushButton(u"&OK"_s, this), u"btnOK"_s);
    btnAnnuler = Nommé(new QPushButton(u"A&nnuler"_s, this), u"btnAnnuler"_s);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &frmConfiguration::btnOK_Click);
    connect(btnAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(btnOK);
    boutons->addWidget(btnAnnuler);
    auto* disposition = new QVBoxLayout(this);
    disposition->setSizeConstraint(QLayout::SetFixedSize);
    disposition->addWidget(fraIdentification);
    disposition->addWidget(fraDimensions);
    disposition->addWidget(chkMémoriserPositionFenêtre);
    disposition->addWidget(chkFenêtreToujoursAuDessus);
    disposition->addLayout(boutons);

    boîtes = {{{ChampConfiguration::CodeTélécommande, txtCodeTélécommande},
               {ChampConfiguration::TailleFenêtrePrincipale, txtTailleFenêtrePrincipale},
               {ChampConfiguration::TailleClavier, txtTailleClavier},
               {ChampConfiguration::TailleLogos, txtTailleLogos}}};
    for (const auto& [champ, boîte] : boîtes)
        boîte->installEventFilter(this);
}

void frmConfiguration::setVisible(bool visible) {
    // On the remote, or on the screen while the remote is hidden (at the first start); placed
    // before it first shows, while a move still places its frame and not only its inside.
    if (visible && !isVisible()) {
        layout()->activate();
        CentreFenêtre(this, parentWidget());
    }
    QDialog::setVisible(visible);
}

void frmConfiguration::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        DonneFocus(txtCodeTélécommande);
}

bool frmConfiguration::eventFilter(QObject* objet, QEvent* event) {
    auto* boîte = qobject_cast<QLineEdit*>(objet);
    if (!boîte)
        return QDialog::eventFilter(objet, event);
    if (event->type() == QEvent::FocusIn) {
        SélectionneTexte(boîte, true);
    } else if (event->type() == QEvent::FocusOut && boîte != txtCodeTélécommande && !refusEnCours) {
        // No complaint when the user cancels, when OK (which checks every box) takes the
        // focus, or when the focus leaves the window.
        const auto raison = static_cast<QFocusEvent*>(event)->reason();
        const QWidget* suivant = QApplication::focusWidget();
        if (raison != Qt::ActiveWindowFocusReason && raison != Qt::PopupFocusReason && suivant &&
            isAncestorOf(suivant) && suivant != btnAnnuler && suivant != btnOK) {
            // Once the focus has settled on the next control.
            QTimer::singleShot(0, this, [this, boîte] { TailleQuittée(boîte); });
        }
    }
    return QDialog::eventFilter(objet, event);
}

void frmConfiguration::TailleQuittée(QLineEdit* boîte) {
    if (!isVisible())
        return;
    const auto trouvée = std::find_if(boîtes.cbegin(), boîtes.cend(),
                                      [boîte](const auto& paire) { return paire.second == boîte; });
    const ChampConfiguration champ = trouvée->first;
    if (const auto message = RefusTaille(champ, boîte->text()))
        Refuse(boîte, *message);
}

void frmConfiguration::Refuse(QLineEdit* boîte, const QString& message) {
    refusEnCours = true;
    AfficheMessage(this, QMessageBox::Warning, u"Attention"_s, message, QMessageBox::Ok);
    DonneFocus(boîte);
    refusEnCours = false;
}

QLineEdit* frmConfiguration::Boîte(ChampConfiguration champ) const {
    for (const auto& [champBoîte, boîte] : boîtes) {
        if (champBoîte == champ)
            return boîte;
    }
    Q_UNREACHABLE();
}

SaisieConfiguration frmConfiguration::Saisie() const {
    return {txtCodeTélécommande->text(),
            versionChoisie,
            boîteChoisie,
            chkMémoriserPositionFenêtre->isChecked(),
            chkFenêtreToujoursAuDessus->isChecked(),
            txtTailleFenêtrePrincipale->text(),
            txtTailleClavier->text(),
            txtTailleLogos->text()};
}

void frmConfiguration::btnOK_Click() {
    const SaisieConfiguration saisie = Saisie();
    if (const auto refus = VérifieSaisie(saisie)) {
        Refuse(Boîte(refus->champ), refus->message);
        return;
    }
    AppliqueSaisie(saisie, paramètres);
    // At once, so that neither a crash nor an end before the next exit loses what was typed.
    if (!paramètres.FichierIni.isEmpty()) {
        if (PrépareÉcriture(paramètres))
            EcritParamètres(paramètres);
        else
            SignaleÉcritureImpossible(this, paramètres);
    }
    accept();
}
