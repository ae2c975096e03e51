#include "dialogs/frmConfiguration.h"
#include "widgets/boite_message.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString entre50et500 = u"Veuillez saisir une valeur comprise entre 50 et 500..."_s;
const QString entre25et200 = u"Veuillez saisir une valeur comprise entre 25 et 200..."_s;

ParamètresNavelo Paramètres() {
    ParamètresNavelo p;
    p.CodeTélécommande = u"12345678"_s;
    p.Version = 6;
    p.Hd = 2;
    p.MémoriserPositionFenêtre = false;
    p.TailleLogos = 75;
    return p;
}

auto Valeurs(const ParamètresNavelo& p) {
    return std::tuple(p.CodeTélécommande, p.Version, p.Hd, p.MémoriserPositionFenêtre,
                      p.FenêtreToujoursAuDessus, p.TailleFenêtrePrincipale, p.TailleClavier,
                      p.TailleLogos, p.ParamètresModifiés, p.RedémarrageNécessaire);
}

// The texts of the warnings shown, each checked for its title, icon and button.
QStringList Messages() {
    QStringList textes;
    for (const MessageAffiché& m : MessagesAffichés()) {
        const bool avertissement = m.titre == u"Attention" && m.icône == QMessageBox::Warning &&
                                   m.boutons == QMessageBox::Ok;
        textes.append(avertissement ? m.texte : u"(not a warning) "_s + m.texte);
    }
    return textes;
}

// Types into a box and leaves it with Tab.
void Quitte(QLineEdit* boîte, const QString& texte) {
    boîte->setFocus(Qt::TabFocusReason);
    boîte->setText(texte);
    QTest::keyClick(boîte, Qt::Key_Tab);
    QCoreApplication::processEvents();
}

} // namespace

class TestConfiguration : public QObject {
    Q_OBJECT

    ParamètresNavelo p;
    std::unique_ptr<frmConfiguration> dialogue;

private Q_SLOTS:
    // Shown and active, so that the focus moves as it does for the user.
    void init() {
        OublieMessages();
        RéponsesSuivantes(QList<QMessageBox::StandardButton>(8, QMessageBox::Ok));
        p = Paramètres();
        dialogue = std::make_unique<frmConfiguration>(p);
        dialogue->show();
        QApplication::setActiveWindow(dialogue.get());
        QVERIFY(QTest::qWaitForWindowActive(dialogue.get()));
    }

    // The code box starts with the focus. Leaving a size box checks it, and a refusal keeps the
    // focus there; with two wrong boxes, leaving one for the other complains once, about the
    // first.
    void quitteTaille() {
        QCOMPARE(QApplication::focusWidget(), dialogue->txtCodeTélécommande);
        QCOMPARE(dialogue->txtCodeTélécommande->selectedText(), u"12345678"_s);
        Quitte(dialogue->txtTailleClavier, u"250"_s);
        QCOMPARE(Messages(), QStringList());
        Quitte(dialogue->txtTailleLogos, u"250"_s);
        QCOMPARE(Messages(), QStringList{entre25et200});
        QCOMPARE(QApplication::focusWidget(), dialogue->txtTailleLogos);
        QCOMPARE(dialogue->txtTailleLogos->text(), u"250"_s);

        dialogue->txtTailleLogos->setText(u"80"_s);
        dialogue->txtTailleClavier->setText(u"30"_s);
        Quitte(dialogue->txtTailleFenêtrePrincipale, u"30"_s);
        QCOMPARE(Messages(), (QStringList{entre25et200, entre50et500}));
        QCOMPARE(QApplication::focusWidget(), dialogue->txtTailleFenêtrePrincipale);
    }

    // Leaving a box that holds a refused size for Cancel: no message, nothing changed.
    void annuler() {
        dialogue->txtCodeTélécommande->setText(u"999"_s);
        dialogue->optVersion[5]->click();
        dialogue->chkFenêtreToujoursAuDessus->click();
        dialogue->txtTailleLogos->setFocus(Qt::TabFocusReason);
        dialogue->txtTailleLogos->setText(u"250"_s);
        dialogue->btnAnnuler->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        dialogue->btnAnnuler->click();
        QCoreApplication::processEvents();
        QCOMPARE(Messages(), QStringList());
        QCOMPARE(dialogue->result(), int(QDialog::Rejected));
        QVERIFY(Valeurs(p) == Valeurs(Paramètres()));
    }

    // Enter in a size box confirms, and every size box is checked again.
    void entreeDansUneTaille() {
        dialogue->optHd[1]->click();
        dialogue->chkMémoriserPositionFenêtre->click();
        dialogue->txtTailleClavier->setText(u"30"_s);
        dialogue->txtTailleLogos->setFocus(Qt::TabFocusReason);
        dialogue->txtTailleLogos->setText(u"0080"_s);
        QTest::keyClick(dialogue->txtTailleLogos, Qt::Key_Return);
        QCOMPARE(Messages(), QStringList{entre50et500});
        QCOMPARE(QApplication::focusWidget(), dialogue->txtTailleClavier);
        QVERIFY(Valeurs(p) == Valeurs(Paramètres()));

        dialogue->txtTailleClavier->setText(u"100"_s);
        QTest::keyClick(dialogue->txtTailleClavier, Qt::Key_Enter);
        QCOMPARE(dialogue->result(), int(QDialog::Accepted));
        QCOMPARE(p.TailleLogos, qint16(80));
        QCOMPARE(p.Hd, qint16(1));
        QVERIFY(p.MémoriserPositionFenêtre);
        QVERIFY(p.ParamètresModifiés);
        QVERIFY(p.RedémarrageNécessaire);
    }
};

QTEST_MAIN(TestConfiguration)
#include "tst_configuration.moc"
