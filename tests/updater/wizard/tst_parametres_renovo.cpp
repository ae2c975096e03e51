#include "ansi.h"
#include "wizard/erreur_renovo.h"
#include "wizard/logiciels_installes.h"
#include "wizard/parametres_renovo.h"
#include "wizard/verification_planifiee.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// "pé", scrambled as the file keeps passwords.
const QByteArray motDePasseBrouillé = "F961";

class TestParametresRenovo : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dossier;

    QString Chemin(const QString& nom) const { return dossier->filePath(nom); }

    void Écrit(const QString& nom, const QByteArray& contenu) {
        QVERIFY(QDir().mkpath(QFileInfo(Chemin(nom)).path()));
        QFile fichier(Chemin(nom));
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        fichier.write(contenu);
    }

    static QByteArray Entrée(const char* éditeur, const char* nom, const char* version) {
        QByteArray lignes = "[Uninstall]\r\n";
        if (éditeur)
            lignes += QByteArray("Publisher=") + éditeur + "\r\n";
        if (nom)
            lignes += QByteArray("DisplayName=") + nom + "\r\n";
        if (version)
            lignes += QByteArray("DisplayVersion=") + version + "\r\n";
        return lignes;
    }

private Q_SLOTS:
    void init() { dossier = std::make_unique<QTemporaryDir>(); }

    void emplacement() {
        const QString utilisateur = Chemin(u"utilisateur/Korvane/Renovo"_s);
        const EmplacementRenovo portable = DétermineEmplacement(dossier->path(), utilisateur);
        QVERIFY(!portable.installé);
        QCOMPARE(portable.FichierParamètres, Chemin(u"Renovo.ini"_s));

        // An install, with an older file left beside the program: it is moved.
        QVERIFY(QDir().mkpath(Chemin(u"share/renovo"_s)));
        Écrit(u"bin/Renovo.ini"_s, "[Config]\r\nProxyPort=3128\r\n");
        const EmplacementRenovo installé = DétermineEmplacement(Chemin(u"bin"_s), utilisateur);
        QVERIFY(installé.installé);
        QCOMPARE(installé.FichierParamètres, utilisateur + u"/Renovo.ini"_s);
        QCOMPARE(installé.ancienFichier, Chemin(u"bin/Renovo.ini"_s));
        PrépareDossierParamètres(installé);
        QVERIFY(!QFile::exists(installé.ancienFichier));
        QCOMPARE(QFile::permissions(installé.FichierParamètres) & 0x0077, 0);
        ParamètresRenovo p;
        p.FichierParamètres = installé.FichierParamètres;
        QDate dernière;
        LitParamètres(p, dernière);
        QCOMPARE(p.ProxyPort, u"3128"_s);

        // Once moved, a file that comes back beside the program is left alone.
        Écrit(u"bin/Renovo.ini"_s, "[Config]\r\n");
        QVERIFY(DétermineEmplacement(Chemin(u"bin"_s), utilisateur).ancienFichier.isEmpty());
    }

    void lecture_data() {
        QTest::addColumn<QByteArray>("lignes");
        // Logon check, frequency, proxy type, direct retry, last check; or the error.
        QTest::addColumn<QVariantList>("attendus");
        const auto ligne = [](const char* nom, const QByteArray& lignes,
                              const QVariantList& attendus) {
            QTest::newRow(nom) << QByteArray("[Config]\r\n" + lignes) << attendus;
        };
        const QDate défaut(1980, 1, 1);
        ligne("défauts", "", {false, 1, 1, false, défaut});
        ligne("drapeaux",
              "RechercherMaJOuvertureSession=-1\r\n"
              "ProxySiErreurTesterAussiAcc\xE8sDirect= -1 \r\n",
              {true, 1, 1, true, défaut});
        ligne("drapeau lettres", "RechercherMaJOuvertureSession=oui", {false, 1, 1, false, défaut});
        ligne("fréquence 7", "RechercherMaJFr\xE9quence=7", {false, 1, 1, false, défaut});
        ligne("fréquence 1,6", "RechercherMaJFr\xE9quence=1.6", {false, 2, 1, false, défaut});
        ligne("fréquence 0,5 vers le pair", "RechercherMaJFr\xE9quence=0.5",
              {false, 0, 1, false, défaut});
        ligne("fréquence -1", "RechercherMaJFr\xE9quence=-1", {false, 1, 1, false, défaut});
        ligne("fréquence énorme", "RechercherMaJFr\xE9quence=1e300", {false, 1, 1, false, défaut});
        ligne("accès énorme", "ProxyType=99999999999", {false, 1, 1, false, défaut});
        ligne("accès lettres", "ProxyType=2x", {13});
        ligne("accès vide", "ProxyType=", {13});
        ligne("reprise 0,4", "ProxySiErreurTesterAussiAcc\xE8sDirect=0.4",
              {false, 1, 1, false, défaut});
        ligne("reprise lettres", "ProxySiErreurTesterAussiAcc\xE8sDirect=vrai", {13});
        ligne("date écrite", "RechercherMaJDerni\xE8re=06/12/2026",
              {false, 1, 1, false, QDate(2026, 12, 6)});
        ligne("date ISO", "RechercherMaJDerni\xE8re=2026-12-06",
              {false, 1, 1, false, QDate(2026, 12, 6)});
        ligne("date impossible", "RechercherMaJDerni\xE8re=31/02/2026", {13});
    }

    void lecture() {
        QFETCH(QByteArray, lignes);
        QFETCH(QVariantList, attendus);
        Écrit(u"Renovo.ini"_s, lignes);
        ParamètresRenovo p;
        p.FichierParamètres = Chemin(u"Renovo.ini"_s);
        QDate dernière;
        try {
            LitParamètres(p, dernière);
            QCOMPARE(attendus.size(), 5);
            QCOMPARE((QVariantList{p.RechercherMaJOuvertureSession, int(p.RechercherMaJFréquence),
                                   p.ProxyType, p.ProxySiErreurTesterAussiAccèsDirect, dernière}),
                     attendus);
        } catch (const ErreurRenovo& erreur) {
            QCOMPARE(QVariantList{erreur.numéro}, attendus);
        }
    }

    void ecriture() {
        ParamètresRenovo p;
        p.FichierParamètres = Chemin(u"Renovo.ini"_s);
        p.Langue = u"Français"_s;
        p.RechercherMaJOuvertureSession = true;
        p.RechercherMaJFréquence = 2;
        p.ProxyType = 0;
        p.ProxyAdresse = u"proxy"_s;
        p.ProxyPort = u"8080"_s;
        p.ProxyLogin = u"moi"_s;
        p.ProxyPassword = u"pé"_s;
        p.ProxySiErreurTesterAussiAccèsDirect = true;
        p.RépertoireTéléchargement = u"/home/moi/Téléchargements"_s;
        EcritParamètres(p);
        EcritRépertoireTéléchargement(p);
        EcritDernièreVérification(p, QDate(2026, 3, 9));
        QFile fichier(p.FichierParamètres);
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        QCOMPARE(fichier.readAll(),
                 "[Config]\r\nLangue=Fran\xE7"
                 "ais\r\nRechercherMaJOuvertureSession=-1\r\n"
                 "RechercherMaJFr\xE9quence=2\r\nProxyType=0\r\nProxyAdresse=proxy\r\n"
                 "ProxyPort=8080\r\nProxyLogin=moi\r\nProxyPassword=" +
                     motDePasseBrouillé +
                     "\r\nProxySiErreurTesterAussiAcc\xE8sDirect=-1\r\nR\xE9pertoireT\xE9l\xE9"
                     "chargement=/home/moi/T\xE9l\xE9"
                     "chargements\r\nRechercherMaJDerni\xE8re="
                     "09/03/2026\r\n");
        QCOMPARE(QFile::permissions(p.FichierParamètres) & 0x0077, 0);

        ParamètresRenovo relu;
        relu.FichierParamètres = p.FichierParamètres;
        QDate dernière;
        LitParamètres(relu, dernière);
        QCOMPARE(relu.ProxyPassword, u"pé"_s);
        QCOMPARE(relu.RépertoireTéléchargement, p.RépertoireTéléchargement);
    }

    void modeAutomatique_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("automatique");
        QTest::newRow("rien") << QStringList() << false;
        QTest::newRow("/STARTUP") << QStringList{u"/STARTUP"_s} << true;
        QTest::newRow("/Run") << QStringList{u"/Run"_s} << true;
        QTest::newRow("un autre mot") << QStringList{u"/startup"_s, u"now"_s} << false;
        QTest::newRow("tiret") << QStringList{u"-startup"_s} << false;
        QTest::newRow("/startup2") << QStringList{u"/startup2"_s} << false;
    }

    void modeAutomatique() {
        QFETCH(QStringList, arguments);
        QTEST(ModeAutomatiqueDemandé(arguments), "automatique");
    }

    void verificationDue_data() {
        QTest::addColumn<int>("fréquence");
        QTest::addColumn<QDate>("dernière");
        QTest::addColumn<QDateTime>("maintenant");
        QTest::addColumn<bool>("due");
        const QDate dimanche(2026, 12, 6);
        const auto à = [](QDate jour, int heure, int minute) {
            return QDateTime(jour, QTime(heure, minute));
        };
        QTest::newRow("jour, minuit passé")
            << 0 << dimanche << à(dimanche.addDays(1), 0, 1) << true;
        QTest::newRow("jour, même jour") << 0 << dimanche << à(dimanche, 23, 59) << false;
        QTest::newRow("semaine, dimanche puis lundi")
            << 1 << dimanche << à(dimanche.addDays(1), 0, 0) << true;
        QTest::newRow("semaine, lundi puis dimanche")
            << 1 << dimanche.addDays(1) << à(dimanche.addDays(7), 23, 0) << false;
        QTest::newRow("mois, 31 puis 1er")
            << 2 << QDate(2026, 1, 31) << à(QDate(2026, 2, 1), 8, 0) << true;
        QTest::newRow("mois, 1er puis 31")
            << 2 << QDate(2026, 1, 1) << à(QDate(2026, 1, 31), 8, 0) << false;
        QTest::newRow("mois, décembre puis janvier")
            << 2 << QDate(2025, 12, 20) << à(QDate(2026, 1, 2), 8, 0) << true;
        QTest::newRow("date à venir") << 1 << QDate(2030, 1, 1) << à(dimanche, 8, 0) << true;
    }

    void verificationDue() {
        QFETCH(int, fréquence);
        QFETCH(QDate, dernière);
        QFETCH(QDateTime, maintenant);
        QTEST(VérificationDue(qint16(fréquence), dernière, maintenant), "due");
    }

    void logicielsInstalles() {
        const QString utilisateur = Chemin(u"maison"_s);
        qputenv("XDG_DATA_HOME", QFile::encodeName(utilisateur));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(Chemin(u"local"_s) + u':' + Chemin(u"usr"_s)));
        Écrit(u"usr/korvane/uninstall/Navelo.ini"_s, Entrée("Korvane", "Navelo v1.2", "1.2"));
        Écrit(u"local/korvane/uninstall/navelo.ini"_s, Entrée("KORVANE", "Navelo v2.0", "2.0"));
        Écrit(u"usr/korvane/uninstall/Alpha.ini"_s, Entrée("korvane", "Alpha V3 Pro", "3"));
        Écrit(u"usr/korvane/uninstall/beta.ini"_s, Entrée("Korvane", "\" v1\"", "1"));
        Écrit(u"usr/korvane/uninstall/Gamma.ini"_s, Entrée("Korvane SA", "Gamma v1", "1"));
        Écrit(u"usr/korvane/uninstall/Delta.ini"_s, Entrée(nullptr, "Delta v1", "1"));
        Écrit(u"usr/korvane/uninstall/Zeta.ini"_s, Entrée("Korvane", nullptr, nullptr));
        Écrit(u"usr/korvane/uninstall/notes.txt"_s, Entrée("Korvane", "Notes v1", "1"));
        Écrit(u"maison/korvane/uninstall/Outil.ini"_s,
              Entrée("korvane", "Outil v1.5 b\xE9ta", "1.5"));

        const std::unique_ptr<Registre> registre = RegistreSystème();
        QStringList liste;
        RechercheLogicielsInstallés(*registre, RacineRegistre::HKEY_LOCAL_MACHINE,
                                    CléDésinstallation, liste);
        QCOMPARE(liste, (QStringList{u"Alpha V3 Pro=3"_s, u"=1"_s, u"Navelo=2.0"_s, u"="_s}));
        RechercheLogicielsInstallés(*registre, RacineRegistre::HKEY_CURRENT_USER,
                                    CléDésinstallation, liste);
        QCOMPARE(liste.last(), u"Outil=1.5"_s);
        RechercheLogicielsInstallés(*registre, RacineRegistre::HKEY_CURRENT_USER,
                                    u"SOFTWARE\\Autre"_s, liste);
        QCOMPARE(liste.size(), 5);

        QVERIFY(QDir(Chemin(u"maison/korvane"_s)).removeRecursively());
        liste.clear();
        RechercheLogicielsInstallés(*registre, RacineRegistre::HKEY_CURRENT_USER,
                                    CléDésinstallation, liste);
        QVERIFY(liste.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestParametresRenovo)
#include "tst_parametres_renovo.moc"
