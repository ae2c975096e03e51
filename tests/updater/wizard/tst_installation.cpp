#include "../renovo_test.h"
#include "settings/traductions.h"
#include "wizard/installation.h"
#include "wizard/liste_logiciels.h"

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

struct Listes : ListesInstallation {
    QStringList textes, tags, statuts, lignes;
    QStringList lignesAjoutées; // as they were while their installer ran

    int NombreLogiciels() const override { return int(textes.size()); }
    QString Texte(int i) const override { return textes[i]; }
    QString Tag(int i) const override { return tags[i]; }
    void ChangeTag(int i, const QString& tag) override { tags[i] = tag; }
    void ChangeStatut(int i, const QString& statut) override { statuts[i] = statut; }
    void AjouteLigne(const QString& ligne) override { lignes << ligne, lignesAjoutées << ligne; }
    void ChangeDernièreLigne(const QString& ligne) override { lignes.last() = ligne; }
    bool Arrêtée() const override { return false; }
};

} // namespace

class TestInstallation : public QObject {
    Q_OBJECT

    QTemporaryDir racine;

private Q_SLOTS:
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
                          traductions);
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

QTEST_GUILESS_MAIN(TestInstallation)
#include "tst_installation.moc"
