#include "dialogs/frmConfiguration.h"
#include "dialogs/saisie_configuration.h"
#include "widgets/boite_message.h"

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

SaisieConfiguration SaisieValide() {
    return {u"12345678"_s, 5, 1, true, false, u"100"_s, u"100"_s, u"50"_s};
}

} // namespace

class TestConfiguration : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // OK stores what was typed, unless a size is refused; Cancel stores nothing.
    void valide() {
        OublieMessages();
        RéponsesSuivantes({QMessageBox::Ok});
        ParamètresNavelo p = Paramètres();
        frmConfiguration annulé(p);
        annulé.chkMémoriserPositionFenêtre->click();
        annulé.btnAnnuler->click();
        QVERIFY(Valeurs(p) == Valeurs(Paramètres()));
        frmConfiguration dialogue(p);
        dialogue.show();
        QVERIFY(dialogue.optHd.value(1));
        dialogue.optHd.value(1)->click();
        dialogue.chkMémoriserPositionFenêtre->click();
        dialogue.txtTailleLogos->setText(u"250"_s);
        dialogue.btnOK->click();
        QCOMPARE(MessagesAffichés().size(), 1);
        const MessageAffiché m = MessagesAffichés().constFirst();
        QCOMPARE(std::tuple(m.titre, m.icône, m.boutons, m.texte),
                 std::tuple(u"Attention"_s, QMessageBox::Warning, QMessageBox::Ok, entre25et200));
        QVERIFY(Valeurs(p) == Valeurs(Paramètres()));
        dialogue.txtTailleLogos->setText(u"0080"_s);
        dialogue.btnOK->click();
        QCOMPARE(dialogue.result(), int(QDialog::Accepted));
        QCOMPARE(std::tuple(p.TailleLogos, p.Hd, p.MémoriserPositionFenêtre),
                 std::tuple(qint16(80), qint16(1), true));
    }

    void refusTaille_data() {
        QTest::addColumn<Champ>("champ");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("refus");
        const Champ fenêtre = Champ::TailleFenêtrePrincipale, clavier = Champ::TailleClavier,
                    logos = Champ::TailleLogos;
        QTest::newRow("keyboard 30") << clavier << u"30"_s << entre50et500;
        QTest::newRow("window 50") << fenêtre << u"50"_s << QString();
        QTest::newRow("logos 200") << logos << u"200"_s << QString();
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
        QTest::addColumn<QString>("boîtes"); // code|window|keyboard|logos
        QTest::addColumn<Champ>("champ");
        QTest::addColumn<QString>("message");
        const QString vide = u"Le champ %1 doit être renseigné..."_s;
        QTest::newRow("all empty")
            << u"|||"_s << Champ::CodeTélécommande << vide.arg(u"CODE TELECOMMANDE"_s);
        QTest::newRow("window empty") << u" |||"_s << Champ::TailleFenêtrePrincipale
                                      << vide.arg(u"TAILLE FENETRE PRINCIPALE"_s);
        QTest::newRow("keyboard empty")
            << u" |30||"_s << Champ::TailleClavier << vide.arg(u"TAILLE CLAVIER VIRTUEL"_s);
        QTest::newRow("logos empty")
            << u" |30|100|"_s << Champ::TailleLogos << vide.arg(u"TAILLE LOGOS CHAINES"_s);
        QTest::newRow("window out of range")
            << u" |30|100|250"_s << Champ::TailleFenêtrePrincipale << entre50et500;
        QTest::newRow("logos out of range")
            << u" |100|100|250"_s << Champ::TailleLogos << entre25et200;
    }
    void verifieSaisie() {
        QFETCH(QString, boîtes);
        const QStringList b = boîtes.split(u'|');
        const auto refus = VérifieSaisie({b[0], 5, 1, true, false, b[1], b[2], b[3]});
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
