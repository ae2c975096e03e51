#include "settings/traductions.h"
#include "wizard/erreur_renovo.h"
#include "wizard/liste_logiciels.h"
#include "wizard/versions.h"

#include <QCoreApplication>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The error number a call raises, 0 when none.
template <typename F> int Erreur(F&& appel) {
    try {
        appel();
    } catch (const ErreurRenovo& e) {
        return e.numéro;
    }
    return 0;
}

} // namespace

class TestVersions : public QObject {
    Q_OBJECT

    colTraductions traductions;

private Q_SLOTS:
    void initTestCase() {
        QCoreApplication::setApplicationVersion(u"1.5.2"_s);
        ChargeTraductions(traductions, QString());
    }

    void forms_data() {
        QTest::addColumn<int>("majeur");
        QTest::addColumn<int>("mineur");
        QTest::addColumn<int>("révision");
        QTest::addColumn<QStringList>("formes"); // display, comparison, file name
        QTest::newRow("1.5.2") << 1 << 5 << 2
                               << QStringList{u"v1.5.2"_s, u"0001.0005.0002.r"_s, u"152"_s};
        QTest::newRow("2.0.0") << 2 << 0 << 0
                               << QStringList{u"v2.0"_s, u"0002.0000.0000.r"_s, u"200"_s};
        QTest::newRow("beta") << 1 << 0 << 1203
                              << QStringList{u"v1.2 beta 3"_s, u"0001.0002.0000.b0003"_s,
                                             u"120b3"_s};
        QTest::newRow("beta of a revision")
            << 1 << 0 << 1213
            << QStringList{u"v1.2.1 beta 3"_s, u"0001.0002.0001.b0003"_s, u"121b3"_s};
        QTest::newRow("own version")
            << -1 << 9 << 9 << QStringList{u"v1.5.2"_s, u"0001.0005.0002.r"_s, u"152"_s};
    }

    void forms() {
        QFETCH(int, majeur);
        QFETCH(int, mineur);
        QFETCH(int, révision);
        QFETCH(QStringList, formes);
        for (qint16 forme = 1; forme <= 3; ++forme)
            QCOMPARE(FormateVersion(qint16(majeur), qint16(mineur), qint16(révision), forme),
                     formes.at(forme - 1));
        QCOMPARE(FormateVersion(qint16(majeur), qint16(mineur), qint16(révision), 7), formes.at(0));
    }

    void versionText() {
        const auto numéros = [](const QString& t) {
            const NumérosVersion n = NumérosDeVersion(t);
            return QList<int>{n.majeur, n.mineur, n.révision};
        };
        QCOMPARE(numéros(u"1.10.0.5"_s), QList<int>({1, 10, 0}));
        QCOMPARE(numéros(u"2"_s), QList<int>({2, 0, 0}));
        QCOMPARE(numéros(QString()), QList<int>({0, 0, 0}));
        QCOMPARE(numéros(u"1..2"_s), QList<int>({1, 0, 2}));
        QCOMPARE(Erreur([] { NumérosDeVersion(u"1.x"_s); }), 13);
        QCOMPARE(Erreur([] { NumérosDeVersion(u"1.40000"_s); }), 6);
    }

    void answer_data() {
        QTest::addColumn<QString>("corps");
        const QString lignes = u"Navelo=1.1.0|<b>Warning</b>: x<BR />|Prog=1.6=beta||  |Outil="_s;
        for (const auto& [nom, fin] :
             {std::pair{"CR LF", u"\r\n"_s}, {"LF", u"\n"_s}, {"CR", u"\r"_s}})
            QTest::newRow(nom) << QString(lignes).replace(u'|', fin) + fin;
    }

    void answer() {
        QFETCH(QString, corps);
        const TableVersions table = LitRéponseVersions(corps);
        QCOMPARE(table.taille(), 2);
        QCOMPARE(table.Version(u"NAVELO"_s), u"1.1.0"_s);
        QCOMPARE(table.Version(u"Outil"_s), QString());
        QCOMPARE(table.Version(u"Prog"_s), QString());
        QCOMPARE(Erreur([] { LitRéponseVersions(u"Prog=1.0\nPROG=2.0"_s); }), 457);
    }

    void listFill() {
        TableVersions dernières;
        dernières.Ajoute(u"NAVELO"_s, u"1.1.0"_s);
        dernières.Ajoute(u"Prog"_s, u"1.9.0"_s);
        dernières.Ajoute(u"Bêta"_s, u"1.2.0"_s);
        dernières.Ajoute(u"Outil"_s, u""_s);
        dernières.Ajoute(u"Absent"_s, u"9.0"_s);
        const ListeLogiciels liste =
            RemplitListe({u"Navelo=1.0.0"_s, u"Prog=1.10.0"_s, u"Bêta=1.0.1203"_s, u"Outil=1.0"_s,
                          u"Navelo=1.0"_s, u"Vieux="_s},
                         dernières, traductions);
        QCOMPARE(liste.misesÀJour, 3);
        QStringList lignes;
        for (const LigneLogiciel& l : liste.lignes)
            lignes << QStringList{l.nom,
                                  l.versionInstallée,
                                  l.statut,
                                  l.tag,
                                  l.cochée ? u"cochée"_s : QString(),
                                  l.grisée ? u"grisée"_s : QString()}
                          .join(u';');
        const QString nonPris = u"non pris en charge par KorvaneUpdate;;;grisée"_s;
        QCOMPARE(
            lignes,
            QStringList(
                {u"Navelo;v1.0;v1.1 publiée;|v1.1|110;cochée;"_s, u"Prog;v1.10;OK;|v1.9|190;;"_s,
                 u"Bêta;v1.2 beta 3;v1.2 publiée;|v1.2|120;cochée;"_s, u"Outil;v1.0;"_s + nonPris,
                 u"Navelo;v1.0;v1.1 publiée;|v1.1|110;cochée;"_s, u"Vieux;v0.0;"_s + nonPris}));
    }

    void installerNames_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("fichier");
        QTest::newRow("Prog2") << u"Prog2"_s << u"Prog2_152.exe"_s << u"Prog2_152_setup.exe"_s;
        QTest::newRow("Prog") << u"Prog"_s << u"Prog152.exe"_s << u"Prog152_setup.exe"_s;
        QTest::newRow("separators and blanks")
            << u"../a b\\c:É"_s << u"..%2Fa%20b%5Cc%3A%C3%89152.exe"_s
            << u".._a b_c_É152_setup.exe"_s;
    }

    void installerNames() {
        QFETCH(QString, nom);
        QFETCH(QString, adresse);
        QFETCH(QString, fichier);
        const QString racine = RacineInstallateur(nom, u"|v1.5.2|152"_s);
        QCOMPARE(AdresseInstallateur(u"http://h/file/"_s, racine), u"http://h/file/"_s + adresse);
        QCOMPARE(NomFichierInstallateur(racine), fichier);
    }
};

QTEST_GUILESS_MAIN(TestVersions)
#include "tst_versions.moc"
