#include "dialogs/frmConfiguration.h"
#include "dialogs/saisie_configuration.h"
#include "widgets/boite_message.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace Qt::StringLiterals;

using Champ = ChampConfiguration;
Q_DECLARE_METATYPE(ChampConfiguration)
Q_DECLARE_METATYPE(SaisieConfiguration)

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

SaisieConfiguration SaisieValide() {
    return {u"12345678"_s, 5, 1, true, false, u"100"_s, u"100"_s, u"50"_s};
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

    void refusTaille_data() {
        QTest::addColumn<Champ>("champ");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("refus");
        const Champ fenêtre = Champ::TailleFenêtrePrincipale, clavier = Champ::TailleClavier,
                    logos = Champ::TailleLogos;
        QTest::newRow("logos 250") << logos << u"250"_s << entre25et200;
        QTest::newRow("keyboard 30") << clavier << u"30"_s << entre50et500;
        QTest::newRow("window 50") << fenêtre << u"50"_s << QString();
        QTest::newRow("window 49") << fenêtre << u"49"_s << entre50et500;
        QTest::newRow("exponent") << fenêtre << u"1e2"_s << entre50et500;
        QTest::newRow("plus sign") << clavier << u"+80"_s << entre50et500;
        QTest::newRow("leading blank") << logos << u" 80"_s << entre25et200;
        QTest::newRow("other digits") << fenêtre << u"١٠٠"_s << entre50et500;
        QTest::newRow("beyond 64 bits") << clavier << u"100000000000000000000100"_s << entre50et500;
    }
    void refusTaille() {
        QFETCH(Champ, champ);
        QFETCH(QString, texte);
        QTEST(RefusTaille(champ, texte).value_or(QString()), "refus");
    }

    // Empty boxes first, in their order (a blank is not empty), then the sizes in theirs.
    void verifieSaisie_data() {
        QTest::addColumn<SaisieConfiguration>("saisie");
        QTest::addColumn<Champ>("champ");
        QTest::addColumn<QString>("message");
        const auto saisie = [](const QString& code, const QString& fenêtre, const QString& clavier,
                               const QString& logos) {
            return SaisieConfiguration{code, 5, 1, true, false, fenêtre, clavier, logos};
        };
        const QString rien, vide = u"Le champ %1 doit être renseigné..."_s;
        QTest::newRow("all empty") << saisie(rien, rien, rien, rien) << Champ::CodeTélécommande
                                   << vide.arg(u"CODE TELECOMMANDE"_s);
        QTest::newRow("window empty")
            << saisie(u" "_s, rien, rien, rien) << Champ::TailleFenêtrePrincipale
            << vide.arg(u"TAILLE FENETRE PRINCIPALE"_s);
        QTest::newRow("keyboard empty")
            << saisie(u" "_s, u"30"_s, rien, rien) << Champ::TailleClavier
            << vide.arg(u"TAILLE CLAVIER VIRTUEL"_s);
        QTest::newRow("logos empty") << saisie(u" "_s, u"30"_s, u"100"_s, rien)
                                     << Champ::TailleLogos << vide.arg(u"TAILLE LOGOS CHAINES"_s);
        QTest::newRow("window out of range") << saisie(u" "_s, u"30"_s, u"100"_s, u"250"_s)
                                             << Champ::TailleFenêtrePrincipale << entre50et500;
        QTest::newRow("logos out of range")
            << saisie(u" "_s, u"100"_s, u"100"_s, u"250"_s) << Champ::TailleLogos << entre25et200;
    }
    void verifieSaisie() {
        QFETCH(SaisieConfiguration, saisie);
        const auto refus = VérifieSaisie(saisie);
        QVERIFY(refus);
        QTEST(refus->champ, "champ");
        QTEST(refus->message, "message");
        QVERIFY(!VérifieSaisie(SaisieValide()));
    }

    void appliqueSaisie_data() {
        QTest::addColumn<SaisieConfiguration>("saisie");
        QTest::addColumn<bool>("redemarrage");
        const SaisieConfiguration v = SaisieValide();
        const auto ligne = [&v](const char* nom, bool redémarrage, auto change) {
            SaisieConfiguration s = v;
            change(s);
            QTest::newRow(nom) << s << redémarrage;
        };
        ligne("nothing", false, [](SaisieConfiguration&) {});
        ligne("code", false, [](SaisieConfiguration& s) { s.CodeTélécommande = u"87654321"_s; });
        ligne("same number", false, [](SaisieConfiguration& s) { s.TailleClavier = u"0100"_s; });
        ligne("model", true, [](SaisieConfiguration& s) { s.Version = 6; });
        ligne("window", true, [](SaisieConfiguration& s) { s.TailleFenêtrePrincipale = u"150"_s; });
        ligne("logos", true, [](SaisieConfiguration& s) { s.TailleLogos = u"25"_s; });
    }
    void appliqueSaisie() {
        QFETCH(SaisieConfiguration, saisie);
        QFETCH(bool, redemarrage);
        ParamètresNavelo p;
        p.CodeTélécommande = u"12345678"_s;
        AppliqueSaisie(saisie, p);
        QCOMPARE(p.RedémarrageNécessaire, redemarrage);
        QVERIFY(p.ParamètresModifiés);
        QCOMPARE(SaisieDepuis(p).TailleLogos, QString::number(saisie.TailleLogos.toInt()));
        QCOMPARE(p.Version, saisie.Version);

        // A restart already asked for is never cancelled.
        AppliqueSaisie(SaisieDepuis(p), p);
        QCOMPARE(p.RedémarrageNécessaire, redemarrage);
    }
};

QTEST_MAIN(TestConfiguration)
#include "tst_configuration.moc"
