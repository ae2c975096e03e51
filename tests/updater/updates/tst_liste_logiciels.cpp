#include "../renovo_test.h"
#include "translation/traductions.h"
#include "updates/liste_logiciels.h"
#include "updates/versions.h"
#include "wizard/etape_installations.h"

namespace {

// A shell-script installer that appends its name and working folder to "journal" there, runs
// `corps`, then exits with `code`.
void Installateur(const QString& chemin, int code, const QString& corps = QString()) {
    QVERIFY(ÉcritFichier(
        chemin,
        u"#!/bin/sh\necho \"$(basename \"$0\") $(pwd)\" >> journal\n%1\nexit %2\n"_s.arg(corps)
            .arg(code)
            .toUtf8()));
}

struct Listes : VueInstallations {
    QStringList textes, tags, statuts, lignes, chemins;
    QStringList lignesAjoutées; // as they were while their installer ran

    int NombreLogiciels() const override { return int(textes.size()); }
    LogicielDeLaListe Logiciel(int i) const override {
        return {textes[i], tags[i], false, {chemins[i], {}, {}}};
    }
    void ChangeLogiciel(int i, const LogicielDeLaListe& état, const QString& statut) override {
        tags[i] = état.tag, statuts[i] = statut;
    }
    void AjouteLigne(const QString& ligne) override { lignes << ligne, lignesAjoutées << ligne; }
    void ChangeDernièreLigne(const QString& ligne) override {
        if (!lignes.isEmpty())
            lignes.last() = ligne;
    }
    bool Arrêtée() const override { return false; }
};

} // namespace

class TestListeLogiciels : public QObject {
    Q_OBJECT

    QTemporaryDir racine;

private Q_SLOTS:
    // The display, comparison and file-name forms; a major of -1 is our own version.
    void forms() {
        QCoreApplication::setApplicationVersion(u"1.5.2"_s);
        for (const auto& [numéros, formes] :
             {std::pair{QList<int>{1, 5, 2},
                        QStringList{u"v1.5.2"_s, u"0001.0005.0002.r"_s, u"152"_s}},
              {{2, 0, 0}, {u"v2.0"_s, u"0002.0000.0000.r"_s, u"200"_s}},
              {{1, 0, 1213}, {u"v1.2.1 beta 3"_s, u"0001.0002.0001.b0003"_s, u"121b3"_s}},
              {{1, 0, 123}, {u"v1.2 beta 3"_s, u"0001.0002.0000.b0003"_s, u"120b3"_s}},
              {{1, -12, 0}, {u"v1.-12"_s, u"0001.-0012.0000.r"_s, u"1-120"_s}},
              {{-1, 9, 9}, {u"v1.5.2"_s, u"0001.0005.0002.r"_s, u"152"_s}}}) {
            for (const qint16 forme : {1, 2, 3, 7})
                QCOMPARE(FormateVersion(qint16(numéros[0]), qint16(numéros[1]), qint16(numéros[2]),
                                        forme),
                         formes.at(forme == 7 ? 0 : forme - 1));
        }
    }

    void versionText() {
        const auto numéros = [](const QString& t) {
            const NumérosVersion n = NumérosDeVersion(t);
            return QList<int>{n.majeur, n.mineur, n.révision};
        };
        QCOMPARE(numéros(u"1.10.0.5"_s) + numéros(u"2"_s) + numéros({}) + numéros(u"1..2"_s) +
                     numéros(u"-32768.32767"_s),
                 QList<int>({1, 10, 0, 2, 0, 0, 0, 0, 0, 1, 0, 2, -32768, 32767, 0}));
        QCOMPARE(Erreur([] { NumérosDeVersion(u"1.x"_s); }), 13);
        for (const QString& hors : {u"1.32768"_s, u"-32769"_s})
            QCOMPARE(Erreur([&hors] { NumérosDeVersion(hors); }), 6);
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
        QCOMPARE(table.Version(u"Outil"_s) + table.Version(u"Prog"_s), QString());
        QCOMPARE(Erreur([] { LitRéponseVersions(u"Prog=1.0\nPROG=2.0"_s); }), 457);
    }

    // Versions compare as numbers, whatever their number of digits or sign; -1 is no longer
    // our own version there.
    void listFill() {
        colTraductions traductions;
        ChargeTraductions(traductions, QString());
        const TableVersions dernières = LitRéponseVersions(
            u"NAVELO=1.1.0\nProg=1.9.0\nBêta=1.2.0\nOutil=\nAbsent=9.0\nGrand=1.10000\nMoins=0.1"_s);
        const ListeLogiciels liste =
            RemplitListe({u"Navelo=1.0.0"_s, u"Prog=1.10.0"_s, u"Bêta=1.0.1203"_s, u"Outil=1.0"_s,
                          u"Navelo=1.0"_s, u"Vieux="_s, u"Grand=1.9999"_s, u"Moins=-1.0"_s},
                         dernières, traductions);
        QCOMPARE(liste.misesÀJour, 5);
        QStringList lignes;
        for (const LigneLogiciel& l : liste.lignes)
            lignes << QStringList{l.nom, l.versionInstallée, l.statut, l.tag}.join(u';') +
                          (l.cochée ? u";cochée"_s : u";"_s) + (l.grisée ? u";grisée"_s : u";"_s);
        const QString nonPris = u"non pris en charge par KorvaneUpdate;;;grisée"_s;
        QCOMPARE(
            lignes,
            QStringList(
                {u"Navelo;v1.0;v1.1 publiée;|v1.1|110;cochée;"_s, u"Prog;v1.10;OK;|v1.9|190;;"_s,
                 u"Bêta;v1.2 beta 3;v1.2 publiée;|v1.2|120;cochée;"_s, u"Outil;v1.0;"_s + nonPris,
                 u"Navelo;v1.0;v1.1 publiée;|v1.1|110;cochée;"_s, u"Vieux;v0.0;"_s + nonPris,
                 u"Grand;v1.9999;v1.10000 publiée;|v1.10000|1100000;cochée;"_s,
                 u"Moins;v-1.0;v0.1 publiée;|v0.1|010;cochée;"_s}));
    }

    void installerNames() {
        // Name; address and file for version 1.5.2.
        for (const auto& [nom, adresse, fichier] :
             {std::tuple{u"Prog2"_s, u"Prog2_152.exe"_s, u"Prog2_152_setup.exe"_s},
              {u"Prog"_s, u"Prog152.exe"_s, u"Prog152_setup.exe"_s},
              {u"../a b\\c:É"_s, u"..%2Fa%20b%5Cc%3A%C3%89152.exe"_s,
               u".._a b_c_É152_setup.exe"_s}}) {
            const QString racine = RacineInstallateur(nom, u"|v1.5.2|152"_s);
            QCOMPARE(AdresseInstallateur(u"http://h/file/"_s, racine),
                     u"http://h/file/"_s + adresse);
            QCOMPARE(NomFichierInstallateur(racine), fichier);
        }
        QCOMPARE(AdresseRequêteVersions(u"h/"_s, {u"=1"_s, u"Prog"_s}),
                 u"h/_versions.php?apps==1|Prog"_s);
    }
    // Downloaded or failed programs run in order, one after the other, in the download folder
    // (relative in the second row), never "a" beside "a b"; exit code 0 alone is a success,
    // whose file alone the delete box removes. Our current folder is unchanged.
    void boucle_data() {
        QTest::addColumn<bool>("supprimer");
        QTest::newRow("files kept") << false;
        QTest::newRow("files deleted") << true;
    }
    void boucle() {
        QFETCH(bool, supprimer);
        const QString parent = racine.filePath(QString::fromLatin1(QTest::currentDataTag()));
        const QString dossier = parent + u"/a b"_s;
        QVERIFY(QDir().mkpath(dossier));
        Installateur(parent + u"/a"_s, 0);
        // Name, tag, installer's exit code (-1: none), tag after, line's end (none: not run).
        const std::tuple<QString, QString, int, QString, QString> logiciels[] = {
            {u"Navelo"_s, u"TOK|v1.1|110"_s, 0, u"IOK|v1.1|110"_s, u"OK"_s},
            {u"Fait"_s, u"IOK|v1.5|150"_s, 0, u"IOK|v1.5|150"_s, {}},
            {u"Prog2"_s, u"TOK|v2.0|200"_s, 1, u"IKO|v2.0|200"_s, u"erreur"_s},
            {u"AJour"_s, u"|v1.0|100"_s, 0, u"|v1.0|100"_s, {}},
            {u"Outil"_s, u"IKO|v3.0|300"_s, 0, u"IOK|v3.0|300"_s, u"OK"_s},
            {u"Relance"_s, u"TOK|v0.1|1"_s, 3010, u"IKO|v0.1|1"_s, u"erreur"_s},
            {u"Absent"_s, u"TOK|v4|4"_s, -1, u"IKO|v4|4"_s, u"erreur"_s}};
        Listes l;
        QStringList tags, statuts, lignes, lignesAjoutées, restants;
        for (const auto& [nom, tag, code, tagAprès, état] : logiciels) {
            const QString fichier = NomFichierInstallateur(RacineInstallateur(nom, tag));
            // The first one is still running when it writes its second line.
            if (code >= 0)
                Installateur(dossier + u'/' + fichier, code,
                             nom == u"Navelo" ? u"sleep 0.3; echo fin >> journal"_s : QString());
            if (code >= 0 && !(supprimer && état == u"OK"))
                restants << fichier;
            l.textes << nom, l.tags << tag, l.statuts << QString(), tags << tagAprès;
            l.chemins << dossier + u'/' + fichier;
            statuts << (état.isEmpty()
                            ? QString()
                            : tag.section(u'|', 1, 1) +
                                  (état == u"OK" ? u" installée"_s : u" erreur (installation)"_s));
            if (!état.isEmpty()) {
                lignes << u"Installation de %1... %2"_s.arg(fichier, état);
                lignesAjoutées << u"Installation de %1... en cours"_s.arg(fichier);
            }
        }
        const QString courant = QDir::currentPath();
        QVERIFY(QDir::setCurrent(racine.path()));
        colTraductions traductions;
        ChargeTraductions(traductions, QString());
        InstalleLogiciels(l, supprimer ? QDir().relativeFilePath(dossier) : dossier, supprimer,
                          ClésDeConfiance{}, racine.path(), traductions);
        const QString après = QDir::currentPath();
        QDir::setCurrent(courant);

        QCOMPARE(après, racine.path());
        QCOMPARE(LitAnsi(dossier + u"/journal"_s),
                 u"Navelo110_setup.exe %1\nfin\nProg2_200_setup.exe %1\n"
                 u"Outil300_setup.exe %1\nRelance1_setup.exe %1\n"_s.arg(dossier));
        QVERIFY(!QFile::exists(parent + u"/journal"_s));
        QCOMPARE(l.tags, tags);
        QCOMPARE(l.statuts, statuts);
        QCOMPARE(l.lignes, lignes);
        QCOMPARE(l.lignesAjoutées, lignesAjoutées);
        QStringList présents = QDir(dossier).entryList({u"*_setup.exe"_s}, QDir::Files);
        présents.sort();
        restants.sort();
        QCOMPARE(présents, restants);
    }
};

QTEST_GUILESS_MAIN(TestListeLogiciels)
#include "tst_liste_logiciels.moc"
