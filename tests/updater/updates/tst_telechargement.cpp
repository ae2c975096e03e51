#include "../renovo_test.h"
#include "autorite_test.h"
#include "limite_fichiers.h"
#include "minisign.h"
#include "serveur_maj.h"
#include "serveur_scripte.h"
#include "settings/parametres_renovo.h"
#include "tinyproxy.h"
#include "translation/traductions.h"
#include "updates/installation.h"
#include "updates/logiciels_installes.h"
#include "updates/telechargement.h"
#include "updates/telechargement_signe.h"
#include "updates/versions.h"

#include <QSslConfiguration>
#include <QTimer>

#include <functional>

using Réponse = ServeurScripté::Réponse;

namespace {

struct Progression : AffichageProgression {
    QString ligne;
    QList<qint64> faits;
    QStringList textes;
    std::function<void()> auPremierMorceau;
    void Prépare() override {}
    void Commence(const QString& l, qint64) override { ligne = l; }
    void Avance(qint64 f, const QString& t) override {
        faits << f, textes << t;
        if (auPremierMorceau)
            std::exchange(auPremierMorceau, nullptr)();
    }
    bool Interrompu() const override { return false; }
};

enum Proxy { Ouvert, Authentifié, Injoignable };

// Access type, direct retry, proxy (named, or in http_proxy for type 0), password, success,
// requests the server got (by proxy or not) and those the authenticating proxy got.
using Cas = std::tuple<int, bool, Proxy, QString, bool, QList<bool>, int>;

} // namespace

Q_DECLARE_METATYPE(Cas)
Q_DECLARE_METATYPE(RésultatSignature)

// Downloads against the local update server and proxies, and what a user notices when the
// server, the disk, an installer or a file misbehaves: no crash, no wait beyond the timeouts,
// no damaged installer under its own name.
class TestTelechargement : public QObject {
    Q_OBJECT

    QTemporaryDir racine;
    ServeurMaj serveur;
    colTraductions traductions;
    Tinyproxy ouvert;
    Tinyproxy authentifié{u"util"_s, u"mdp"_s};
    QSslConfiguration tlsOrigine = QSslConfiguration::defaultConfiguration();
    AutoritéTest autorité;
    Minisign éditeur, autreClé;

    void FaitConfiance(bool confiance) {
        QSslConfiguration configuration = tlsOrigine;
        configuration.setCaCertificates(confiance ? QList{autorité.autorité}
                                                  : QList<QSslCertificate>());
        QSslConfiguration::setDefaultConfiguration(configuration);
    }

    QString base() const { return u"http://127.0.0.1:%1/file/"_s.arg(serveur.port()); }
    static ParamètresRenovo Accès(int type, quint16 port, const QString& motDePasse = {}) {
        ParamètresRenovo p;
        p.ProxyType = type;
        p.ProxyAdresse = u"127.0.0.1"_s;
        p.ProxyPort = QString::number(port);
        p.ProxyLogin = u"util"_s;
        p.ProxyPassword = motDePasse;
        return p;
    }

    // Downloads over an older installer of the same name, which a failure must leave whole
    // with nothing beside it.
    bool TéléchargeSurAncien(const QString& url, const QString& dossier, Progression& progression) {
        if (!ÉcritFichier(dossier + u"/Prog_setup.exe"_s, "ancien"))
            return false;
        return Télécharge(ParamètresRenovo{}, url, dossier, u"Prog_setup.exe"_s, progression,
                          traductions);
    }
    static QStringList Fichiers(const QString& dossier) {
        return QDir(dossier).entryList(QDir::Files | QDir::Hidden);
    }

private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        ChargeTraductions(traductions, QString());
        QVERIFY(serveur.écoute() != 0);
        QVERIFY(ouvert.port() != 0 && authentifié.port() != 0);
        QVERIFY(autorité.crée() && éditeur.crée() && autreClé.crée());
    }

    void init() {
        serveur.options = {};
        serveur.options.catalogue = u"Navelo=1.1.0"_s;
        serveur.oublieRequêtes();
        for (const char* variable : {"http_proxy", "https_proxy", "no_proxy"})
            qunsetenv(variable);
        QSslConfiguration::setDefaultConfiguration(tlsOrigine);
    }

    // Sizes with one decimal and no digit-group separator; the time left of an absurd size
    // still reads as a number.
    void arithmetic() {
        const QList<std::pair<qint64, QString>> tailles{
            {0, u"0 octets"_s},       {1023, u"1023 octets"_s}, {1536, u"1,5 Ko"_s},
            {2500, u"2,4 Ko"_s},      {1048576, u"1 Mo"_s},     {3221225472, u"3 Go"_s},
            {1LL << 50, u"1024 To"_s}};
        for (const auto& [octets, texte] : tailles)
            QCOMPARE(TailleTexte(octets), texte);
        QCOMPARE(TexteAvancement(1048063, 1048063, 5000, traductions),
                 u"Téléchargé : 1023,5 Ko sur 1023,5 Ko (reste 0 s.)"_s);
        QCOMPARE(TexteAvancement(1, 1000000000000000001, 10000, traductions),
                 u"Téléchargé : 1 octets sur 909494,7 To (reste 10000000000000000000 s.)"_s);
        QCOMPARE((QList<double>{Arrondi(2.5, 0), Arrondi(-2.5, 0), Arrondi(2.675, 2),
                                Arrondi(2.5, -1), Arrondi(1.25, 400)}),
                 (QList<double>{3, -3, 2.68, 3, 1.25}));
    }

    // What the server decodes is what was installed, whatever the characters.
    void versionRequest() {
        const QStringList logiciels{u"Mon Prog & Co=1.0 beta"_s, u"Outil+#%?=2.0"_s,
                                    u"Élève=1.0=2"_s};
        Télécharge(ParamètresRenovo{}, AdresseRequêteVersions(base(), logiciels));
        QCOMPARE(serveur.requêtes().value(0).logiciels, logiciels);
    }

    // The installer under its name, even one a leading ":" would make a resource path to Qt.
    void fileMode() {
        serveur.options.tailleGénérée = 2500;
        QTemporaryDir dossier;
        Progression progression;
        QVERIFY(Télécharge(ParamètresRenovo{}, base() + u"Prog152.exe"_s, dossier.path() + u'/',
                           u":Prog152_setup.exe"_s, progression, traductions));
        QCOMPARE(LitFichier(dossier.path() + u"/:Prog152_setup.exe"_s),
                 ServeurMaj::OctetsGénérés(0, 2500));
        QCOMPARE(progression.ligne, u"Téléchargement de :Prog152_setup.exe... en cours"_s);
        // The first chunk and the last show; those between, at most a few times a second.
        QCOMPARE(std::pair(progression.faits.value(0),
                           progression.faits.value(progression.faits.size() - 1)),
                 std::pair(qint64(1024), qint64(2500)));
        QVERIFY(progression.textes.value(0).startsWith(u"Téléchargé : 1 Ko sur 2,4 Ko (reste "_s));
    }

    void access_data() {
        QTest::addColumn<Cas>("cas");
        const QList<bool> d{false}, p{true}; // one request, direct or by proxy
        QTest::newRow("direct ignores http_proxy") << Cas{1, true, Ouvert, {}, true, d, 0};
        QTest::newRow("system: http_proxy") << Cas{0, false, Ouvert, {}, true, p, 0};
        QTest::newRow("system: its login") << Cas{0, false, Authentifié, u"mdp"_s, true, p, 2};
        QTest::newRow("system: none, retry") << Cas{0, true, Injoignable, {}, true, d, 0};
        QTest::newRow("named: good login") << Cas{2, false, Authentifié, u"mdp"_s, true, p, 2};
        QTest::newRow("named: bad login") << Cas{2, false, Authentifié, u"x"_s, false, {}, 2};
        QTest::newRow("named: bad login, retry") << Cas{2, true, Authentifié, u"x"_s, true, d, 2};
        QTest::newRow("named: none, retry") << Cas{2, true, Injoignable, {}, true, d, 0};
    }
    // Each case in text mode, then in file mode.
    void access() {
        QFETCH(Cas, cas);
        const auto& [type, reprise, proxy, motDePasse, réussi, parProxy, requêtesAuProxy] = cas;
        const quint16 port = proxy == Ouvert        ? ouvert.port()
                             : proxy == Authentifié ? authentifié.port()
                                                    : 1;
        ParamètresRenovo p = Accès(type, port, motDePasse);
        p.ProxySiErreurTesterAussiAccèsDirect = reprise;
        qputenv("http_proxy", "http://127.0.0.1:" + p.ProxyPort.toLatin1());
        const int avant = authentifié.requêtes();
        serveur.options.tailleGénérée = 100;

        QCOMPARE(Télécharge(p, AdresseRequêteVersions(base(), {u"Navelo=1"_s})).isEmpty(), !réussi);
        QTemporaryDir dossier;
        Progression progression;
        QCOMPARE(Télécharge(p, base() + u"Navelo110.exe"_s, dossier.path(),
                            u"Navelo110_setup.exe"_s, progression, traductions),
                 réussi);

        QList<bool> reçues;
        // Only this case's: Qt may still send again a request an earlier case gave up.
        for (const RequeteMaj& requête : serveur.requêtes()) {
            if (requête.cible.contains("Navelo"))
                reçues << requête.via.contains("tinyproxy");
        }
        QCOMPARE(reçues, parProxy + parProxy);
        QCOMPARE(authentifié.requêtes() - avant, 2 * requêtesAuProxy);
    }

    void https_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("systeme"); // a system proxy in https_proxy
        QTest::addColumn<QString>("cas");
        for (const QString& cas : {u"untrusted"_s, u"trusted"_s, u"407"_s}) {
            QTest::addRow("%s, direct", qPrintable(cas)) << 1 << false << cas;
            QTest::addRow("%s, named proxy's tunnel", qPrintable(cas)) << 2 << false << cas;
        }
        QTest::newRow("407, system proxy's tunnel") << 0 << true << u"407"_s;
    }
    // A certificate error fails the request, directly or through a proxy's tunnel; so does the
    // update server's own 407, whom the proxy's credentials never reach.
    void https() {
        QFETCH(int, type);
        QFETCH(bool, systeme);
        QFETCH(QString, cas);
        if (systeme)
            qputenv("https_proxy", "http://127.0.0.1:" + QByteArray::number(ouvert.port()));
        ServeurMaj origine;
        origine.options.catalogue = u"Navelo=1.1.0"_s;
        origine.options.demandeIdentifiantsProxy = cas == u"407";
        FaitConfiance(cas != u"untrusted");
        QVERIFY(origine.écouteTls(autorité.serveur, autorité.clé) != 0);
        const QString url =
            u"https://127.0.0.1:%1/file/_versions.php?apps=Navelo=1"_s.arg(origine.port());
        QCOMPARE(Télécharge(Accès(type, ouvert.port(), u"mdp"_s), url),
                 cas == u"trusted" ? u"Navelo=1.1.0\r\n"_s : QString());
        QCOMPARE(origine.requêtes().size(), cas == u"untrusted" ? 0 : 1);
        QCOMPARE(origine.requêtes().value(0).autorisationProxy, QByteArray());
    }

    void signatures_data() {
        QTest::addColumn<QString>("cas");
        QTest::addColumn<RésultatSignature>("résultat");
        QTest::addColumn<QByteArray>("de"); // these bytes of the signature become `vers`
        QTest::addColumn<QByteArray>("vers");
        using R = RésultatSignature;
        const auto ligne = [](const char* cas, R résultat, QByteArray de = {},
                              QByteArray vers = {}) {
            QTest::newRow(cas) << QString::fromLatin1(cas) << résultat << de << vers;
        };
        for (const char* cas : {"prehashed ED", "legacy Ed", "no key installed"})
            ligne(cas, R::Valide);
        ligne("CR LF", R::Valide, "\n", "\r\n");
        ligne("one byte changed", R::FichierDifférent);
        ligne("another key", R::CléInconnue);
        ligne("broken key file", R::CléInconnue);
        ligne("key of another algorithm", R::CléInconnue);
        ligne("another installer's name", R::NomDifférent);
        ligne("trusted comment edited", R::CommentaireFalsifié, "timestamp:", "timestamp:1");
        ligne("unknown algorithm", R::AlgorithmeInconnu, "\nRU", "\nSU"); // "ED" becomes "ID"
        ligne("no padding", R::Illisible, "==\n", "\n");
        ligne("missing", R::Illisible);
        ligne("5 KiB", R::Illisible,
              "untrusted comment: ", "untrusted comment: " + QByteArray(5'000, 'x'));
    }
    // What the check says of each signature, and what the download leaves: the installer
    // under its name, or nothing at all.
    void signatures() {
        QFETCH(QString, cas);
        QFETCH(RésultatSignature, résultat);
        QFETCH(QByteArray, de);
        QFETCH(QByteArray, vers);
        QTemporaryDir publiés, téléchargés, programme;
        const QString installateur = publiés.filePath(u"Navelo110.exe"_s);
        const QByteArray contenu = ServeurMaj::OctetsGénérés(0, 200'000);
        QVERIFY(ÉcritFichier(installateur, contenu));
        serveur.options.dossierInstallateurs = publiés.path();
        QByteArray signature;
        if (cas == u"another installer's name") {
            QVERIFY(ÉcritFichier(programme.filePath(u"Prog152.exe"_s), contenu));
            signature = éditeur.signe(programme.filePath(u"Prog152.exe"_s));
        } else if (cas != u"missing") {
            signature = (cas == u"another key" ? autreClé : éditeur)
                            .signe(installateur, cas == u"legacy Ed")
                            .replace(de, vers);
        }
        if (cas == u"one byte changed")
            QVERIFY(ÉcritFichier(installateur, QByteArray(contenu).replace(150'000, 1, "x")));
        QFile::remove(installateur + u".minisig"_s);
        if (!signature.isEmpty())
            QVERIFY(ÉcritFichier(installateur + u".minisig"_s, signature));
        // Beside a portable program, or in share/renovo/keys for one installed in bin.
        const bool installé = cas == u"legacy Ed";
        QByteArray pub = LitFichier(éditeur.cléPublique());
        if (cas == u"broken key file")
            pub = "untrusted comment: x\nRWQ\n";
        else if (cas == u"key of another algorithm")
            pub.replace("\nRW", "\nSW"); // "Ed" becomes "Id"
        if (cas != u"no key installed")
            QVERIFY(ÉcritFichier(programme.filePath(installé ? u"share/renovo/keys/korvane.pub"_s
                                                             : u"keys/korvane.pub"_s),
                                 pub));
        const ClésDeConfiance clés =
            ClésDuProgramme(installé ? programme.filePath(u"bin"_s) : programme.path());
        if (cas != u"no key installed")
            QCOMPARE(VérifieSignature(installateur, signature, u"Navelo110.exe"_s, clés.clés),
                     résultat);

        Progression progression;
        const TéléchargementInstallateur t = TéléchargeInstallateur(
            ParamètresRenovo{}, base() + u"Navelo110.exe"_s, téléchargés.path(),
            u"Navelo110_setup.exe"_s, clés, progression, traductions);
        const bool valide = résultat == RésultatSignature::Valide;
        QCOMPARE(t.issue,
                 valide ? IssueTéléchargement::Réussi : IssueTéléchargement::SignatureRefusée);
        const QString reçu = téléchargés.filePath(u"Navelo110_setup.exe"_s);
        QCOMPARE(QDir(téléchargés.path())
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 valide ? QStringList{u"Navelo110_setup.exe"_s} : QStringList());
        QCOMPARE(LitFichier(reçu), valide ? contenu : QByteArray());
        QCOMPARE(t.installateur.chemin, reçu);
        QVERIFY(!valide || t.installateur.signature.isEmpty() == (cas == u"no key installed"));
    }
    void serveurEnPanne_data() {
        QTest::addColumn<Réponse>("réponse");
        QTest::addColumn<QByteArray>("reçu"); // the installer saved; "ancien": a failure
        QTest::addColumn<QString>("texte");   // the answer's text
        const QByteArray corps = ServeurMaj::OctetsGénérés(0, 20'000), ancien = "ancien",
                         mio(1 << 20, 'x'), plus = mio + 'x';
        const auto r = [](const QByteArray& octets, bool ouverte = false) {
            return Réponse{octets, 0, false, false, ouverte};
        };
        const auto annonce = [&](qsizetype longueur, qsizetype envoyés, bool ouverte = false) {
            return r("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(longueur) +
                         "\r\n\r\n" + corps.left(envoyés),
                     ouverte);
        };
        QTest::newRow("whole") << annonce(20'000, 20'000) << corps << DepuisAnsi(corps);
        QTest::newRow("Content-Length 0") << annonce(0, 0) << ""_ba << QString();
        // Text may end with the connection; an installer needs its length.
        QTest::newRow("no Content-Length")
            << r("HTTP/1.1 200 OK\r\n\r\n" + corps) << ancien << DepuisAnsi(corps);
        QTest::newRow("closed mid-body") << annonce(20'000, 5'000) << ancien << QString();
        QTest::newRow("Content-Length below the body")
            << annonce(1'000, 20'000) << corps.left(1'000) << DepuisAnsi(corps.left(1'000));
        QTest::newRow("stalled past the silence timeout")
            << annonce(20'000, 5'000, true) << ancien << QString();
        QTest::newRow("reset") << Réponse{{}, 0, false, true} << ancien << QString();
        // Any status line but "200 OK" fails.
        for (const char* ligne : {"404 Not Found", "200 Ok"})
            QTest::newRow(ligne) << r(ServeurScripté::réponse(ligne, corps)) << ancien << QString();
        // Text is at most 1 MiB.
        QTest::newRow("1 MiB") << r(ServeurScripté::réponse("200 OK", mio)) << mio
                               << QString(1 << 20, u'x');
        QTest::newRow("over 1 MiB")
            << r(ServeurScripté::réponse("200 OK", plus)) << plus << QString();
    }
    // The file mode, then the text mode, of each answer.
    void serveurEnPanne() {
        QFETCH(Réponse, réponse);
        QFETCH(QByteArray, reçu);
        ServeurScripté scripté(réponse);
        const QString dossier = racine.filePath(QString::fromLatin1(QTest::currentDataTag()));
        Progression progression;
        QCOMPARE(TéléchargeSurAncien(scripté.url() + u"Prog.exe"_s, dossier, progression),
                 reçu != "ancien");
        QCOMPARE(LitFichier(dossier + u"/Prog_setup.exe"_s), reçu);
        QCOMPARE(Fichiers(dossier), QStringList{u"Prog_setup.exe"_s});
        QTEST(Télécharge(ParamètresRenovo{}, scripté.url() + u"_versions.php"_s), "texte");
    }

    // The transfer fails, and no installer, whole or partial, is left under its name.
    void disqueEnPanne() {
        serveur.options.tailleGénérée = 300'000;
        const QString url = u"http://127.0.0.1:%1/file/Prog.exe"_s.arg(serveur.port());
        Progression progression;
        const QString parti = racine.filePath(u"disque-parti"_s);
        progression.auPremierMorceau = [parti] { QDir(parti).removeRecursively(); };
        QVERIFY(!TéléchargeSurAncien(url, parti, progression));
        QVERIFY(!QFileInfo::exists(parti));
        const QString plein = racine.filePath(u"disque-plein"_s);
        const LimiteFichiers limite(64 * 1024);
        QVERIFY(!TéléchargeSurAncien(url, plein, progression));
        QCOMPARE(LitFichier(plein + u"/Prog_setup.exe"_s), "ancien"_ba);
        QCOMPARE(Fichiers(plein), QStringList{u"Prog_setup.exe"_s});
    }

    void installateurEnPanne_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<bool>("fin"); // the program asked to quit meanwhile
        QTest::newRow("killed while it hangs")
            << "#!/bin/sh\necho $$ > pid\nexec sleep 600\n"_ba << false;
        QTest::newRow("crashes") << "#!/bin/sh\nkill -SEGV $$\n"_ba << false;
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("asked to quit") << "#!/bin/sh\nsleep 1\necho > fini\n"_ba << true;
    }
    // Each fault counts as a failed installation; a hanging installer waits until it is
    // killed, and one that runs when the program is asked to quit, until its end.
    void installateurEnPanne() {
        QFETCH(QByteArray, contenu);
        QFETCH(bool, fin);
        const QString dossier = racine.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(dossier));
        if (!contenu.isEmpty())
            QVERIFY(ÉcritFichier(dossier + u"/Prog_setup.exe"_s, contenu));
        QTimer tueur;
        QObject::connect(&tueur, &QTimer::timeout, &tueur, [&] {
            const QByteArray pid = LitFichier(dossier + u"/pid"_s).trimmed();
            if (!pid.isEmpty() && ::kill(pid.toInt(), SIGKILL) == 0)
                tueur.stop();
        });
        tueur.start(50);
        if (fin)
            QCoreApplication::exit(0);
        QCOMPARE(ExécuteEtAttend(dossier + u"/Prog_setup.exe"_s, dossier), fin);
        QCOMPARE(QFile::exists(dossier + u"/fini"_s), fin);
        // The quit undone for the tests that follow.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }

    void fichiersHostiles_data() {
        QTest::addColumn<QByteArray>("avant"); // hostile bytes before the useful section
        QTest::newRow("binary garbage") << ServeurMaj::OctetsGénérés(0, 64 * 1024) + "\r\n";
        QTest::newRow("10 MB line") << "[Autre]\r\nCl\xE9=" + QByteArray(10 << 20, 'x') + "\r\n";
        QByteArray clés = "[Autre]\r\n";
        for (int i = 0; i < 100'000; ++i)
            clés += "Cl\xE9" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\r\n";
        QTest::newRow("100,000 keys") << clés;
        QTest::newRow("unterminated blocks")
            << "<TXT_STATUT_OK>\r\n<TXT_INTRO>ouvert\r\n[Bloc\r\n"_ba;
    }
    // A language file and an uninstall entry, each with the hostile part first:
    // what follows it is read, and what is missing takes its default.
    void fichiersHostiles() {
        QFETCH(QByteArray, avant);
        QTemporaryDir dossier;
        const QString langue = dossier.filePath(u"Langue.lng"_s);
        QVERIFY(ÉcritFichier(langue, avant + "\r\n[Traduction]\r\nTXT_STATUT_OK=Bien\r\n"));
        QCOMPARE(LitTraduction(langue, u"TXT_STATUT_OK"_s, u"OK"_s), u"Bien"_s);
        QCOMPARE(LitTraduction(langue, u"TXT_STATUT_ERREUR"_s, u"erreur"_s), u"erreur"_s);

        const QString entrées = dossier.filePath(u"donnees/korvane/uninstall/"_s);
        QVERIFY(ÉcritFichier(entrées + u"Outil.ini"_s,
                             avant + "\r\n[Uninstall]\r\nPublisher=Korvane\r\n"
                                     "DisplayName=Outil v2\r\nDisplayVersion=2\r\n"));
        QVERIFY(ÉcritFichier(entrées + u"Bruit.ini"_s, avant));
        // A file named ".ini" alone is no program's entry.
        QVERIFY(ÉcritFichier(entrées + u".ini"_s, "[Uninstall]\r\nPublisher=Korvane\r\n"
                                                  "DisplayName=Vide\r\nDisplayVersion=1\r\n"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dossier.filePath(u"donnees"_s)));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(dossier.filePath(u"systeme"_s)));
        QStringList logiciels;
        RechercheLogicielsInstallés(*RegistreSystème(), RacineRegistre::HKEY_CURRENT_USER,
                                    CléDésinstallation, logiciels);
        QCOMPARE(logiciels, QStringList{u"Outil=2"_s});
    }
};

QTEST_GUILESS_MAIN(TestTelechargement)
#include "tst_telechargement.moc"
