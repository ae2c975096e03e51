#include "ansi.h"
#include "core/emplacements.h"
#include "core/parametres.h"
#include "core/positions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestParametres : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        dossier = std::make_unique<QTemporaryDir>();
        fichier = dossier->filePath(u"Navelo.ini"_s);
    }

    void nombre_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<double>("attendu");
        QTest::newRow("lettres") << u"abc"_s << 0.0;
        QTest::newRow("blanc au milieu") << u"1 2"_s << 1.0;
        QTest::newRow("signe plus") << u"+80"_s << 80.0;
        QTest::newRow("exposant") << u"1e2"_s << 100.0;
        QTest::newRow("exposant D") << u"15D-1"_s << 1.5;
    }

    void nombre() {
        QFETCH(QString, texte);
        QTEST(LitNombre(texte), "attendu");
    }

    void lecture_data() {
        QTest::addColumn<QString>("lignes"); // null: no file
        // Version, Hd, on top, main window, keyboard, logos, remember positions.
        QTest::addColumn<QList<int>>("attendus");
        const auto ligne = [](const char* nom, const QString& lignes, const QList<int>& attendus) {
            QTest::newRow(nom) << lignes << attendus;
        };
        ligne("sans fichier", {}, {5, 1, 0, 100, 100, 50, 1});
        ligne("drapeaux", u"FenêtreToujoursAuDessus=1\r\nMémoriserPositionFenêtre=0"_s,
              {5, 1, 1, 100, 100, 50, 0});
        ligne("drapeau abc", u"FenêtreToujoursAuDessus=abc"_s, {5, 1, 0, 100, 100, 50, 1});
        ligne("demi vers le pair", u"TailleClavier=101.5\r\nTailleLogos=100.5"_s,
              {5, 1, 0, 100, 102, 100, 1});
        ligne("hors limites",
              u"Version=7\r\nHd=3\r\nTailleFenêtrePrincipale=0\r\nTailleClavier=1e30\r\n"
              u"TailleLogos=0"_s,
              {5, 1, 0, 50, 500, 25, 1});
        ligne("tailles 1e30",
              u"TailleFenêtrePrincipale=1e30\r\nTailleClavier=0\r\nTailleLogos=1e30"_s,
              {5, 1, 0, 500, 50, 200, 1});
        ligne("clé sans accents ignorée", u"TailleFenetrePrincipale=300"_s,
              {5, 1, 0, 100, 100, 50, 1});
    }

    void lecture() {
        QFETCH(QString, lignes);
        if (!lignes.isNull())
            écritFichier(lignes);
        ParamètresNavelo p;
        p.FichierIni = fichier;
        p.Version = 6;
        LitParamètres(p);
        QTEST((QList<int>{p.Version, p.Hd, p.FenêtreToujoursAuDessus, p.TailleFenêtrePrincipale,
                          p.TailleClavier, p.TailleLogos, p.MémoriserPositionFenêtre}),
              "attendus");
        QCOMPARE(QFile::exists(fichier), !lignes.isNull());
    }

    void ecritureDansLOrdre() {
        ParamètresNavelo p;
        p.FichierIni = fichier;
        p.CodeTélécommande = u"7é8"_s;
        p.Version = 6;
        p.Hd = 2;
        p.MémoriserPositionFenêtre = false;
        p.FenêtreToujoursAuDessus = true;
        p.TailleFenêtrePrincipale = 250;
        p.TailleClavier = 75;
        p.TailleLogos = 200;
        EcritParamètres(p);
        QCOMPARE(lignesFichier(),
                 QStringList({u"[Config]"_s, u"CodeTélécommande=7é8"_s, u"Version=6"_s, u"Hd=2"_s,
                              u"MémoriserPositionFenêtre=0"_s, u"FenêtreToujoursAuDessus=-1"_s,
                              u"TailleFenêtrePrincipale=250"_s, u"TailleClavier=75"_s,
                              u"TailleLogos=200"_s}));
    }

    void positions() {
        PositionsFenêtres défauts;
        défauts.Fenêtre = QPoint(5370, 2250);
        défauts.FenêtreClavier = QPoint(3000, 3510);
        défauts.FenêtreListeChaînes = QRect(4132, 1335, 3735, 6330);
        écritFichier(u"FenêtreHaut=-45\r\nFenêtreListeChaînesLargeur=4500.5\r\n"
                     "FenêtreClavierGauche=1e20"_s);
        const PositionsFenêtres lues = LitPositions(fichier, défauts);
        QCOMPARE(lues.Fenêtre, QPoint(5370, -45));
        QCOMPARE(lues.FenêtreClavier.y(), 3510);
        // Nonsense far beyond any screen still gives a number that a rectangle can hold.
        QCOMPARE(lues.FenêtreClavier.x(), 1'000'000'000);
        QCOMPARE(lues.FenêtreListeChaînes, QRect(4132, 1335, 4500, 6330));

        QFile::remove(fichier);
        EcritPositions(fichier, lues);
        QCOMPARE(lignesFichier().size(), 9);
        const PositionsFenêtres relues = LitPositions(fichier, {});
        QCOMPARE(relues.FenêtreClavier, lues.FenêtreClavier);
        QCOMPARE(relues.FenêtreListeChaînes, lues.FenêtreListeChaînes);
    }

    void emplacements() {
        const QString utilisateur = dossier->filePath(u"données/Navelo"_s);

        const QString portable = dossier->filePath(u"portable"_s);
        QVERIFY(QDir().mkpath(portable));
        EmplacementsNavelo e = DétermineEmplacements(portable, utilisateur);
        QCOMPARE(e.dossierParamètres, portable);
        QCOMPARE(e.dossiersLogos, QStringList({utilisateur + u"/logos"_s, portable + u"/logos"_s}));
        QVERIFY(!QFileInfo::exists(utilisateur));
        QCOMPARE(QDir(portable).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());

        // A "bin" folder alone is no install.
        const QString binSeul = dossier->filePath(u"seul/bin"_s);
        QVERIFY(QDir().mkpath(binSeul));
        QCOMPARE(DétermineEmplacements(binSeul, utilisateur).dossierParamètres, binSeul);

        const QString bin = dossier->filePath(u"usr/bin"_s);
        QVERIFY(QDir().mkpath(bin));
        QVERIFY(QDir().mkpath(dossier->filePath(u"usr/share/navelo"_s)));
        e = DétermineEmplacements(bin, utilisateur);
        QCOMPARE(e.dossierParamètres, utilisateur);
        QVERIFY(QFileInfo(utilisateur).isDir());
        QCOMPARE(e.dossiersLogos, QStringList({utilisateur + u"/logos"_s, bin + u"/logos"_s,
                                               dossier->filePath(u"usr/share/navelo/logos"_s)}));
    }

private:
    // The file as a user would type it with a Windows editor: Windows-1252, CR LF.
    void écritFichier(const QString& lignes) {
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(EnAnsi(QString(u"[Config]\r\n"_s + lignes + u"\r\n"_s)));
    }

    QStringList lignesFichier() const {
        QFile f(fichier);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return DepuisAnsi(f.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
    }

    std::unique_ptr<QTemporaryDir> dossier;
    QString fichier;
};

QTEST_GUILESS_MAIN(TestParametres)
#include "tst_parametres.moc"
