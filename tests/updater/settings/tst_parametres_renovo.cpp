#include "../renovo_test.h"
#include "nombres.h"
#include "settings/parametres_renovo.h"
#include "settings/verification_planifiee.h"
#include "updates/logiciels_installes.h"

class TestParametresRenovo : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dossier;

    QString Chemin(const QString& nom) const { return dossier->filePath(nom); }
    void Écrit(const QString& nom, const QByteArray& contenu) {
        QVERIFY(ÉcritFichier(Chemin(nom), contenu));
    }

private Q_SLOTS:
    void init() { dossier = std::make_unique<QTemporaryDir>(); }

    void lecture_data() {
        QTest::addColumn<QByteArray>("lignes");
        // Logon check, frequency, proxy type, direct retry, last check; or the error.
        QTest::addColumn<QVariantList>("attendus");
        const auto ligne = [](const char* nom, const QByteArray& lignes, QVariantList attendus) {
            QTest::newRow(nom) << QByteArray("[Config]\r\n" + lignes) << attendus;
        };
        const QDate défaut(1980, 1, 1), dimanche(2026, 12, 6);
        const QVariantList défauts{false, 1, 1, false, défaut}, illisible{13};
        ligne("défauts", "", défauts);
        ligne("drapeaux",
              "RechercherMaJOuvertureSession=-1\r\nProxySiErreurTesterAussiAcc\xE8sDirect= -1 ",
              {true, 1, 1, true, défaut});
        ligne("drapeau lettres", "RechercherMaJOuvertureSession=oui", défauts);
        ligne("fréquence 1,6", "RechercherMaJFr\xE9quence=1.6", {false, 2, 1, false, défaut});
        ligne("fréquence 3", "RechercherMaJFr\xE9quence=3", défauts);
        ligne("accès énorme", "ProxyType=99999999999", défauts);
        ligne("accès lettres", "ProxyType=2x", illisible);
        ligne("accès vide", "ProxyType=", illisible);
        ligne("reprise lettres", "ProxySiErreurTesterAussiAcc\xE8sDirect=vrai", illisible);
        ligne("date écrite", "RechercherMaJDerni\xE8re=06/12/2026", {false, 1, 1, false, dimanche});
        ligne("date ISO", "RechercherMaJDerni\xE8re=2026-12-06", {false, 1, 1, false, dimanche});
        ligne("date impossible", "RechercherMaJDerni\xE8re=31/02/2026", illisible);
    }
    void lecture() {
        QFETCH(QByteArray, lignes);
        QFETCH(QVariantList, attendus);
        Écrit(u"Renovo.ini"_s, lignes);
        QDate dernière;
        ParamètresRenovo p;
        p.FichierParamètres = Chemin(u"Renovo.ini"_s);
        const int erreur = Erreur([&] { LitParamètres(p, dernière); });
        QCOMPARE((erreur
                      ? QVariantList{erreur}
                      : QVariantList{p.RechercherMaJOuvertureSession, int(p.RechercherMaJFréquence),
                                     p.ProxyType, p.ProxySiErreurTesterAussiAccèsDirect, dernière}),
                 attendus);
    }

    // An installed program's former file moves to the user's folder, never over the user's own.
    void ancienFichier() {
        const QString bin = Chemin(u"bin"_s), ancien = Chemin(u"bin/Renovo.ini"_s);
        Écrit(u"share/renovo/English.lng"_s, {});
        Écrit(u"bin/Renovo.ini"_s, "[Config]");
        QCOMPARE(DétermineEmplacement(bin, Chemin(u"moi"_s)).ancienFichier, ancien);
        Écrit(u"moi/Renovo.ini"_s, "[Config]");
        QCOMPARE(DétermineEmplacement(bin, Chemin(u"moi"_s)).ancienFichier, QString());
        Écrit(u"portable/Renovo.ini"_s, "[Config]");
        QCOMPARE(DétermineEmplacement(Chemin(u"portable"_s), Chemin(u"moi"_s)).ancienFichier,
                 QString());
    }

    void modeAutomatique() {
        for (const QString& mot : {u"/STARTUP"_s, u"/Run"_s})
            QVERIFY(ModeAutomatiqueDemandé({mot}));
        for (const QStringList& autres :
             {QStringList(), {u"/startup"_s, u"now"_s}, {u"-startup"_s}, {u"/startup2"_s}})
            QVERIFY(!ModeAutomatiqueDemandé(autres));
    }

    // Rounded halves to even; 2^63 is no 64-bit whole number.
    void arrondiEntier() {
        const qint64 min = std::numeric_limits<qint64>::min(),
                     max = std::numeric_limits<qint64>::max();
        QCOMPARE(ArrondiEntier(2.5, 0, 2), 2);
        QCOMPARE(ArrondiEntier(-0x1p63, min, max), min);
        QCOMPARE(ArrondiEntier(0x1p63, min, max), std::nullopt);
    }

    void verificationDue() {
        const QDate dimanche(2026, 12, 6), lundi = dimanche.addDays(1);
        const auto à = [](QDate jour, int heure) { return QDateTime(jour, QTime(heure, 1)); };
        // Frequency, last check, now, due.
        const std::tuple<int, QDate, QDateTime, bool> cas[] = {
            {0, dimanche, à(lundi, 0), true},
            {0, dimanche, à(dimanche, 23), false},
            {1, dimanche, QDateTime(lundi, QTime(0, 0)), true},
            {1, lundi, à(dimanche.addDays(7), 23), false},
            {2, QDate(2026, 1, 31), à(QDate(2026, 2, 1), 8), true},
            {2, QDate(2026, 1, 1), à(QDate(2026, 1, 31), 8), false},
            {2, QDate(2025, 12, 20), à(QDate(2026, 1, 2), 8), true},
            {1, QDate(2030, 1, 1), à(dimanche, 8), true}};
        for (const auto& [fréquence, dernière, maintenant, due] : cas)
            QCOMPARE(VérificationDue(qint16(fréquence), dernière, maintenant), due);
    }

    void logicielsInstalles() {
        qputenv("XDG_DATA_HOME", QFile::encodeName(Chemin(u"maison"_s)));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(Chemin(u"local"_s) + u':' + Chemin(u"usr"_s)));
        // An uninstall entry; a null name leaves out the name and the version.
        const auto entrée = [this](const QString& fichier, const char* éditeur, const char* nom,
                                   const char* version) {
            QByteArray lignes = "[Uninstall]\r\nPublisher=" + QByteArray(éditeur) + "\r\n";
            if (nom)
                lignes +=
                    "DisplayName=" + QByteArray(nom) + "\r\nDisplayVersion=" + version + "\r\n";
            Écrit(fichier, lignes);
        };
        entrée(u"usr/korvane/uninstall/Navelo.ini"_s, "Korvane", "Navelo v1.2", "1.2");
        entrée(u"local/korvane/uninstall/navelo.ini"_s, "KORVANE", "Navelo v2.0", "2.0");
        entrée(u"usr/korvane/uninstall/Alpha.ini"_s, "korvane", "Alpha V3 Pro", "3");
        entrée(u"usr/korvane/uninstall/beta.ini"_s, "Korvane", "\" v1\"", "1");
        entrée(u"usr/korvane/uninstall/Gamma.ini"_s, "Korvane SA", "Gamma v1", "1");
        entrée(u"usr/korvane/uninstall/Zeta.ini"_s, "Korvane", nullptr, nullptr);
        entrée(u"usr/korvane/uninstall/notes.txt"_s, "Korvane", "Notes v1", "1");
        entrée(u"maison/korvane/uninstall/Outil.ini"_s, "korvane", "Outil v1.5 b\xE9ta", "1.5");
        entrée(u"maison/korvane/uninstall/Navelo.ini"_s, "Korvane", "NAVELO v2.1", "2.1");
        // Names a file may have and a key may not: a resource path to Qt, a separator.
        entrée(u"maison/korvane/uninstall/:Outil.ini"_s, "Korvane", ":Outil v2", "2");
        entrée(u"maison/korvane/uninstall/Sous\\Outil.ini"_s, "Korvane", "Sous\\Outil v2", "2");

        const std::unique_ptr<Registre> registre = RegistreSystème();
        QStringList liste; // each search adds to it
        const auto cherche = [&](RacineRegistre racine, const QString& clé) {
            RechercheLogicielsInstallés(*registre, racine, clé, liste);
            return liste;
        };
        // One entry per name, in any case: the later one, the user's, in the earlier's place.
        QCOMPARE(cherche(RacineRegistre::HKEY_LOCAL_MACHINE, CléDésinstallation),
                 (QStringList{u"Alpha V3 Pro=3"_s, u"="_s, u"Navelo=2.0"_s}));
        QCOMPARE(cherche(RacineRegistre::HKEY_CURRENT_USER, CléDésinstallation),
                 (QStringList{u"Alpha V3 Pro=3"_s, u"="_s, u"NAVELO=2.1"_s, u":Outil=2"_s,
                              u"Outil=1.5"_s, u"Sous\\Outil=2"_s}));
        QCOMPARE(cherche(RacineRegistre::HKEY_CURRENT_USER, u"SOFTWARE\\Autre"_s).size(), 6);
    }
};

QTEST_GUILESS_MAIN(TestParametresRenovo)
#include "tst_parametres_renovo.moc"
