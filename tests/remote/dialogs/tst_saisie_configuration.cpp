#include "dialogs/saisie_configuration.h"

#include <QTest>

using namespace Qt::StringLiterals;

using Champ = ChampConfiguration;
Q_DECLARE_METATYPE(ChampConfiguration)
Q_DECLARE_METATYPE(SaisieConfiguration)

namespace {

const QString entre50et500 = u"Veuillez saisir une valeur comprise entre 50 et 500..."_s;
const QString entre25et200 = u"Veuillez saisir une valeur comprise entre 25 et 200..."_s;

SaisieConfiguration SaisieValide() {
    return {u"12345678"_s, 5, 1, true, false, u"100"_s, u"100"_s, u"50"_s};
}

} // namespace

class TestSaisieConfiguration : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refusTaille_data() {
        QTest::addColumn<Champ>("champ");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("refus");
        const auto ligne = [](const char* nom, Champ champ, const QString& texte,
                              const QString& refus) {
            QTest::newRow(nom) << champ << texte << refus;
        };
        ligne("logos 250", Champ::TailleLogos, u"250"_s, entre25et200);
        ligne("keyboard 30", Champ::TailleClavier, u"30"_s, entre50et500);
        ligne("window 50", Champ::TailleFenêtrePrincipale, u"50"_s, {});
        ligne("window 49", Champ::TailleFenêtrePrincipale, u"49"_s, entre50et500);
        ligne("exponent", Champ::TailleFenêtrePrincipale, u"1e2"_s, entre50et500);
        ligne("plus sign", Champ::TailleClavier, u"+80"_s, entre50et500);
        ligne("leading blank", Champ::TailleLogos, u" 80"_s, entre25et200);
        ligne("other digits", Champ::TailleFenêtrePrincipale, u"١٠٠"_s, entre50et500);
        ligne("beyond 64 bits", Champ::TailleClavier, u"100000000000000000000100"_s, entre50et500);
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
        SaisieConfiguration s = SaisieValide();
        s.CodeTélécommande.clear();
        s.TailleFenêtrePrincipale.clear();
        s.TailleClavier.clear();
        s.TailleLogos.clear();
        QTest::newRow("all empty") << s << Champ::CodeTélécommande
                                   << u"Le champ CODE TELECOMMANDE doit être renseigné..."_s;
        s.CodeTélécommande = u" "_s;
        QTest::newRow("window empty")
            << s << Champ::TailleFenêtrePrincipale
            << u"Le champ TAILLE FENETRE PRINCIPALE doit être renseigné..."_s;
        s.TailleFenêtrePrincipale = u"30"_s;
        QTest::newRow("keyboard empty")
            << s << Champ::TailleClavier
            << u"Le champ TAILLE CLAVIER VIRTUEL doit être renseigné..."_s;
        s.TailleClavier = u"100"_s;
        QTest::newRow("logos empty")
            << s << Champ::TailleLogos << u"Le champ TAILLE LOGOS CHAINES doit être renseigné..."_s;
        s.TailleLogos = u"250"_s;
        QTest::newRow("window out of range") << s << Champ::TailleFenêtrePrincipale << entre50et500;
        s.TailleFenêtrePrincipale = u"100"_s;
        QTest::newRow("logos out of range") << s << Champ::TailleLogos << entre25et200;
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

QTEST_GUILESS_MAIN(TestSaisieConfiguration)
#include "tst_saisie_configuration.moc"
