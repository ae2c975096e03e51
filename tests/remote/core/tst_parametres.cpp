#include "core/emplacements.h"
#include "core/parametres.h"
#include "core/placement.h"
#include "core/positions.h"
#include "ini_essai.h"

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
        QTest::newRow("blancs devant") << u" \t\r\n7"_s << 7.0;
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
        ligne("demi vers le pair", u"TailleClavier=101.5\r\nTailleLogos=100.5"_s,
              {5, 1, 0, 100, 102, 100, 1});
        ligne("hors limites",
              u"Version=7\r\nHd=3\r\nTailleFenêtrePrincipale=0\r\nTailleClavier=1e30\r\n"
              u"TailleLogos=0"_s,
              {5, 1, 0, 50, 500, 25, 1});
        ligne("tailles 1e30",
              u"TailleFenêtrePrincipale=1e30\r\nTailleClavier=0\r\nTailleLogos=1e30"_s,
              {5, 1, 0, 500, 50, 200, 1});
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
        QCOMPARE(lignesDe(fichier),
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
        QCOMPARE(lignesDe(fichier).size(), 9);
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

    // Settings beside a program whose folder the user cannot write: read there, then copied to
    // the user's own file at the first write, which holds the code and is the user's only.
    void fichierDuProgramme() {
        ParamètresNavelo p;
        p.FichierIniProgramme = fichier;
        p.FichierIni = dossier->filePath(u"utilisateur.ini"_s);
        écritFichier(u"CodeTélécommande=12345678\r\nTailleClavier=75"_s);
        LitParamètres(p);
        QCOMPARE(p.TailleClavier, 75);
        QVERIFY(PrépareÉcriture(p));
        QCOMPARE(lignesDe(p.FichierIni), lignesDe(fichier));
        QVERIFY(!(QFile::permissions(p.FichierIni) & (QFile::ReadGroup | QFile::ReadOther)));
        p.TailleClavier = 80;
        EcritParamètres(p);
        LitParamètres(p);
        QCOMPARE(p.TailleClavier, 80);
        QVERIFY(lignesDe(fichier).contains(u"TailleClavier=75"_s));
        p.FichierIni = dossier->filePath(u"absent/utilisateur.ini"_s);
        QVERIFY(!PrépareÉcriture(p));
    }

    // A window of 500 x 300 beside another, on an area that does not start at 0.
    void aCote_data() {
        QTest::addColumn<QRect>("voisine");
        QTest::addColumn<QList<QRect>>("occupées");
        QTest::addColumn<QPoint>("attendu");
        QTest::newRow("room on the right")
            << QRect(200, 50, 168, 600) << QList<QRect>() << QPoint(376, 50);
        QTest::newRow("below the one already there")
            << QRect(200, 50, 168, 600) << QList{QRect(376, 50, 500, 300)} << QPoint(376, 358);
        QTest::newRow("at the right edge")
            << QRect(700, 50, 168, 600) << QList<QRect>() << QPoint(192, 50);
        QTest::newRow("no room, as much on the right")
            << QRect(450, 50, 300, 700) << QList<QRect>() << QPoint(600, 50);
        QTest::newRow("no room, more on the left")
            << QRect(600, 50, 300, 700) << QList<QRect>() << QPoint(100, 50);
    }

    void aCote() {
        QFETCH(QRect, voisine);
        QFETCH(QList<QRect>, occupées);
        QTEST(ÀCôté(QSize(500, 300), voisine, QRect(100, 0, 1000, 800), occupées), "attendu");
    }

    // The remote wholly on one of two screens side by side.
    void surUneSurface_data() {
        QTest::addColumn<QRect>("fenêtre");
        QTest::addColumn<QPoint>("attendu");
        QTest::newRow("across two: the one it covers most")
            << QRect(1900, 0, 168, 600) << QPoint(1920, 0);
        QTest::newRow("beyond both: the nearest") << QRect(-400, 1200, 168, 600) << QPoint(0, 480);
        QTest::newRow("larger: its top left shows")
            << QRect(2020, 100, 2000, 2000) << QPoint(1920, 0);
    }

    void surUneSurface() {
        QFETCH(QRect, fenêtre);
        const QList<QRect> écrans{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        QTEST(SurUneSurface(fenêtre, écrans).topLeft(), "attendu");
        QCOMPARE(SurUneSurface(fenêtre, {}), fenêtre);
    }

private:
    void écritFichier(const QString& lignes) { QVERIFY(ÉcritConfig(fichier, lignes)); }

    static QStringList lignesDe(const QString& chemin) {
        return LitConfig(chemin).split(u"\r\n"_s, Qt::SkipEmptyParts);
    }

    std::unique_ptr<QTemporaryDir> dossier;
    QString fichier;
};

QTEST_GUILESS_MAIN(TestParametres)
#include "tst_parametres.moc"
