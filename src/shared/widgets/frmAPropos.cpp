#include "frmAPropos.h"

#include "brouillage.h"
#include "fenetres.h"
#include "ouvre_adresse.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The maker's credit, e-mail and donation page; the site is each program's own.
const QString auteurBrouillé = u"4D0CDC9BEB18A9"_s;
const QString emailBrouillé = u"DF1C0DABFBD8A8F44704D493E310A11AAF7DED2AFA38A9"_s;
const QString donBrouillé = u"67A5A4E3D245151A9E9D9C0E5B18C897E714A516A371E12EFE3CAD0EBB0819"_s;

constexpr int marge = 8;
constexpr int largeurMinimale = 400;
constexpr int largeurMaximale = 640;
// 120 twips between the last text and the bottom of the window.
constexpr int margeBas = 8;

void Colore(QLabel* lien, QColor couleur, bool souligné) {
    QPalette palette = lien->palette();
    palette.setColor(QPalette::WindowText, couleur);
    lien->setPalette(palette);
    QFont police = lien->font();
    police.setUnderline(souligné);
    lien->setFont(police);
}

QLabel* Étiquette(QWidget* parent, const QString& nom, const QString& texte = {}) {
    auto* étiquette = new QLabel(texte, parent);
    étiquette->setObjectName(nom);
    return étiquette;
}

} // namespace

frmAPropos::frmAPropos(const OptionsAPropos& options, QWidget* parent)
    : QDialog(parent)
    , picIcône(Étiquette(this, u"picIcône"_s))
    , txtDescription(new QPlainTextEdit(this))
    , lblAuteur(Étiquette(this, u"lblAuteur"_s))
    , lbl{Étiquette(this, u"lbl"_s, u"Www :"_s), Étiquette(this, u"lbl"_s, u"eMail :"_s)}
    , lblSite(Étiquette(this, u"lblSite"_s))
    , lblEmail(Étiquette(this, u"lblEmail"_s))
    , lblTraduitPar(Étiquette(this, u"lblTraduitPar"_s, options.traduitPar))
    , imgDonner(Étiquette(this, u"imgDonner"_s))
    , btnOK(new QPushButton(u"&OK"_s, this))
    , imgDonnerFR(options.imageDonnerFR)
    , imgDonnerEN(options.imageDonnerEN)
    , lienSouligné(options.lienSouligné)
    , focusSurOK(options.focusSurOK) {
    setObjectName(u"frmAPropos"_s);
    setWindowTitle(options.titre);
    for (int i = 0; i < 2; ++i)
        lbl[i]->setProperty("Index", i);
    txtDescription->setObjectName(u"txtDescription"_s);
    txtDescription->setReadOnly(true);
    btnOK->setObjectName(u"btnOK"_s);
    btnOK->setDefault(true);
    picIcône->setPixmap(options.icône.pixmap(32, 32));
    picIcône->setFixedSize(32, 32);
    for (QLabel* lien : {lblSite, lblEmail, imgDonner})
        lien->setCursor(Qt::PointingHandCursor);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    timDonner.setInterval(3000);
    connect(&timDonner, &QTimer::timeout, this, &frmAPropos::timDonner_Timer);

    if (options.traduit)
        options.traduit(this);
    txtDescription->setPlainText(options.description);
    lblAuteur->setText(DésembrouilleTexte(auteurBrouillé));
    lblSite->setText(DésembrouilleTexte(options.siteBrouillé));
    lblEmail->setText(DésembrouilleTexte(emailBrouillé));
    ColoreLiens(nullptr);

    setMouseTracking(true);
    installEventFilter(this);
    txtDescription->viewport()->setMouseTracking(true);
    txtDescription->viewport()->installEventFilter(this);
    for (QWidget* contrôle : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        contrôle->setMouseTracking(true);
        contrôle->installEventFilter(this);
    }

    Dispose(options.ajusteHauteur);
    timDonner_Timer();
    timDonner.start();
    if (options.toujoursAuDessus)
        PremierPlan(this, *options.toujoursAuDessus);
}

// Places the controls from the measures of the fonts found, so no caption is cut.
void frmAPropos::Dispose(bool ajusteHauteur) {
    for (QLabel* étiquette : {lblAuteur, lbl[0], lbl[1], lblSite, lblEmail, lblTraduitPar})
        étiquette->adjustSize();
    const QSize tailleImage = imgDonnerFR.size().expandedTo(imgDonnerEN.size());
    imgDonner->setFixedSize(tailleImage);
    imgDonner->setAlignment(Qt::AlignCenter);
    btnOK->resize(btnOK->sizeHint().expandedTo(QSize(81, 25)));

    const int x0 = marge + picIcône->width() + 12;
    const int ligne = fontMetrics().height() + 6;
    picIcône->move(marge, marge);
    lblAuteur->move(x0, marge);
    lbl[0]->move(x0, marge + ligne + 6);
    lbl[1]->move(x0, lbl[0]->y() + ligne);
    const int xLiens = x0 + qMax(lbl[0]->width(), lbl[1]->width()) + 6;
    lblSite->move(xLiens, lbl[0]->y());
    lblEmail->move(xLiens, lbl[1]->y());

    const int colonneDroite = qMax(btnOK->width(), tailleImage.width());
    const int finLiens =
        std::max({xLiens + qMax(lblSite->width(), lblEmail->width()), x0 + lblAuteur->width()});
    const int marges =
        2 * (txtDescription->frameWidth() + qRound(txtDescription->document()->documentMargin()));
    int largeurTexte = 0;
    for (const QString& ligneTexte : txtDescription->toPlainText().split(u'\n'))
        largeurTexte =
            qMax(largeurTexte, txtDescription->fontMetrics().horizontalAdvance(ligneTexte));
    // Wide enough, within reason, that the description breaks only where its text does,
    // even with a scroll bar.
    const int ascenseur = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, txtDescription);
    const int largeurDescription =
        qMin(largeurMaximale, 2 * marge + largeurTexte + marges + ascenseur + 4);
    const int largeur =
        std::max({largeurMinimale, finLiens + 16 + colonneDroite + marge, largeurDescription});
    btnOK->move(largeur - marge - btnOK->width(), marge);
    imgDonner->move(largeur - marge - (colonneDroite + tailleImage.width()) / 2,
                    btnOK->geometry().bottom() + 1 + 8);

    const int hautTexte = std::max({picIcône->geometry().bottom(), lbl[1]->geometry().bottom(),
                                    imgDonner->geometry().bottom()}) +
                          1 + 10;
    txtDescription->setGeometry(marge, hautTexte, largeur - 2 * marge,
                                txtDescription->fontMetrics().lineSpacing() * 5 + marges);
    const int basTexte = txtDescription->geometry().bottom() + 1;

    lblTraduitPar->move(marge, basTexte + 4);
    lblTraduitPar->setVisible(!lblTraduitPar->text().isEmpty());
    int hauteur = basTexte + margeBas;
    if (ajusteHauteur && !lblTraduitPar->text().isEmpty()) {
        hauteur += QFontMetrics(lblTraduitPar->font())
                       .boundingRect(QRect(), 0, lblTraduitPar->text())
                       .height();
    }
    setFixedSize(largeur, hauteur);
}

void frmAPropos::timDonner_Timer() {
    imageFR = !imageFR;
    imgDonner->setPixmap(imageFR ? imgDonnerFR : imgDonnerEN);
}

// The link under the mouse turns red, the other one blue; nullptr turns both blue.
void frmAPropos::ColoreLiens(const QLabel* survolé) {
    for (QLabel* lien : {lblSite, lblEmail}) {
        const bool rouge = lien == survolé;
        Colore(lien, rouge ? QColor(255, 0, 0) : QColor(0, 0, 255), rouge && lienSouligné);
    }
}

bool frmAPropos::eventFilter(QObject* objet, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
        if (objet == lblSite || objet == lblEmail) {
            ColoreLiens(static_cast<QLabel*>(objet));
            // Kept from the window, which would turn the link blue again.
            return true;
        }
        ColoreLiens(nullptr);
        break;
    case QEvent::Leave:
        if (objet == lblSite || objet == lblEmail)
            ColoreLiens(nullptr);
        break;
    case QEvent::MouseButtonPress:
        if (objet == imgDonner && !imageEnfoncée) {
            imageEnfoncée = true;
            imgDonner->move(imgDonner->pos() + QPoint(1, 1));
        }
        break;
    case QEvent::MouseButtonRelease: {
        const auto* souris = static_cast<QMouseEvent*>(event);
        auto* contrôle = qobject_cast<QWidget*>(objet);
        if (objet == imgDonner && imageEnfoncée) {
            imageEnfoncée = false;
            imgDonner->move(imgDonner->pos() - QPoint(1, 1));
        }
        const bool clic = souris->button() == Qt::LeftButton && contrôle &&
                          contrôle->rect().contains(souris->position().toPoint());
        if (!clic)
            break;
        if (objet == imgDonner) {
            OuvreAdresse(QUrl(DésembrouilleTexte(donBrouillé)));
        } else if (objet == lblSite) {
            OuvreAdresse(QUrl(lblSite->text()));
            ColoreLiens(nullptr);
        } else if (objet == lblEmail) {
            OuvreAdresse(QUrl(u"mailto:"_s + lblEmail->text()));
            ColoreLiens(nullptr);
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(objet, event);
}

void frmAPropos::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (focusSurOK && !event->spontaneous())
        DonneFocus(btnOK);
}
