#include "../renovo_test.h"
#include "autorite_test.h"
#include "minisign.h"
#include "serveur_maj.h"
#include "serveur_scripte.h"
#include "settings/parametres_renovo.h"
#include "tinyproxy.h"
#include "translation/traductions.h"
#include "updates/telechargement.h"
#include "updates/telechargement_signe.h"
#include "updates/versions.h"

#include <QSslConfiguration>

namespace {

struct Progression : AffichageProgression {
    QString ligne;
    QList<qint64> faits;
    QStringList textes;
    void Prépare() override {}
    void Commence(const QString& l, qint64) override { ligne = l; }
    void Avance(qint64 f, const QString& t) override { faits << f, textes << t; }
    bool Interrompu() const override { return false; }
};

enum Proxy { Ouvert, Authentifié, Injoignable };

// Access type, direct retry, proxy (named, or in http_proxy for type 0), password, success,
// requests the server got (by proxy or not) and those the authenticating proxy got.
using Cas = std::tuple<int, bool, Proxy, QString, bool, QList<bool>, int>;

} // namespace

Q_DECLARE_METATYPE(Cas)
Q_DECLARE_METATYPE(RésultatSignature)

class TestTelechargement : public QObject {
    Q_OBJECT

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

    void textMode_data() {
        QTest::addColumn<QByteArray>("réponse");
        QTest::addColumn<QString>("corps");
        const QByteArray texte = "Navelo=1.1.0\r\n";
        QTest::newRow("200 OK") << ServeurScripté::réponse("200 OK", texte)
                                << u"Navelo=1.1.0\r\n"_s;
        QTest::newRow("404 page") << ServeurScripté::réponse("404 Not Found", texte) << QString();
        QTest::newRow("reason in other case")
            << ServeurScripté::réponse("200 Ok", texte) << QString();
        QTest::newRow("over 1 MiB")
            << ServeurScripté::réponse("200 OK", QByteArray((1 << 20) + 1, 'x')) << QString();
    }
    void textMode() {
        QFETCH(QByteArray, réponse);
        ServeurScripté scripté({réponse});
        QTEST(Télécharge(ParamètresRenovo{}, scripté.url()), "corps");
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
        // The direct 407 comes in clear, as a proxy's would.
        const bool clair = cas == u"407" && type == 1;
        QVERIFY((clair ? origine.écoute() : origine.écouteTls(autorité.serveur, autorité.clé)) !=
                0);
        const QString url =
            (clair ? u"http"_s : u"https"_s) +
            u"://127.0.0.1:%1/file/_versions.php?apps=Navelo=1"_s.arg(origine.port());
        QCOMPARE(Télécharge(Accès(type, ouvert.port(), u"mdp"_s), url),
                 cas == u"trusted" ? u"Navelo=1.1.0\r\n"_s : QString());
        QCOMPARE(origine.requêtes().size(), cas == u"untrusted" ? 0 : 1);
        QCOMPARE(origine.requêtes().value(0).autorisationProxy, QByteArray());
    }

    void signatures_data() {
        QTest::addColumn<QString>("cas");
        QTest::addColumn<RésultatSignature>("résultat");
        using R = RésultatSignature;
        for (const auto& [cas, résultat] : {std::pair{"prehashed ED", R::Valide},
                                            {"legacy Ed", R::Valide},
                                            {"CR LF", R::Valide},
                                            {"signed by the server", R::Valide},
                                            {"no key installed", R::Valide},
                                            {"one byte changed", R::FichierDifférent},
                                            {"another file's", R::FichierDifférent},
                                            {"another key", R::CléInconnue},
                                            {"broken key file", R::CléInconnue},
                                            {"another installer's name", R::NomDifférent},
                                            {"trusted comment edited", R::CommentaireFalsifié},
                                            {"unknown algorithm", R::AlgorithmeInconnu},
                                            {"no padding", R::Illisible},
                                            {"missing", R::Illisible},
                                            {"5 KiB", R::Illisible}})
            QTest::newRow(cas) << QString::fromLatin1(cas) << résultat;
    }
    // What the check says of each signature, and what the download leaves: the installer
    // under its name, or nothing at all.
    void signatures() {
        QFETCH(QString, cas);
        QFETCH(RésultatSignature, résultat);
        QTemporaryDir publiés, téléchargés, programme;
        const QString installateur = publiés.filePath(u"Navelo110.exe"_s);
        const QByteArray contenu = ServeurMaj::OctetsGénérés(0, 200'000);
        QVERIFY(ÉcritFichier(installateur, contenu));
        serveur.options.dossierInstallateurs = publiés.path();
        QByteArray signature;
        if (cas == u"signed by the server") {
            QVERIFY(QFile::remove(installateur));
            serveur.options.tailleGénérée = contenu.size();
            serveur.options.cléSignature = éditeur.cléSecrète();
        } else if (cas == u"another file's" || cas == u"another installer's name") {
            QTemporaryDir autre;
            const QString nom = cas == u"another file's" ? u"Navelo110.exe"_s : u"Prog152.exe"_s;
            QVERIFY(ÉcritFichier(autre.filePath(nom), nom == u"Prog152.exe" ? contenu : "autre"));
            signature = éditeur.signe(autre.filePath(nom));
        } else {
            signature = (cas == u"another key" ? autreClé : éditeur)
                            .signe(installateur, cas == u"legacy Ed");
        }
        if (cas == u"one byte changed")
            QVERIFY(ÉcritFichier(installateur, QByteArray(contenu).replace(150'000, 1, "x")));
        else if (cas == u"CR LF")
            signature.replace("\n", "\r\n");
        else if (cas == u"trusted comment edited")
            signature.replace("timestamp:", "timestamp:1");
        else if (cas == u"no padding")
            signature.replace("==\n", "\n");
        else if (cas == u"5 KiB")
            signature.insert(19, QByteArray(5'000, 'x'));
        else if (cas == u"unknown algorithm") // "ED" becomes "ID"
            signature.replace("\nRU", "\nSU");
        else if (cas == u"missing")
            signature.clear();
        QFile::remove(installateur + u".minisig"_s);
        if (!signature.isEmpty())
            QVERIFY(ÉcritFichier(installateur + u".minisig"_s, signature));
        // Beside a portable program, or in share/renovo/keys for one installed in bin.
        const bool installé = cas == u"legacy Ed";
        if (cas != u"no key installed")
            QVERIFY(ÉcritFichier(programme.filePath(installé ? u"share/renovo/keys/korvane.pub"_s
                                                             : u"keys/korvane.pub"_s),
                                 cas == u"broken key file" ? "untrusted comment: x\nRWQ\n"_ba
                                                           : LitFichier(éditeur.cléPublique())));
        const ClésDeConfiance clés =
            ClésDuProgramme(installé ? programme.filePath(u"bin"_s) : programme.path());
        if (cas != u"no key installed" && cas != u"signed by the server")
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
};

QTEST_GUILESS_MAIN(TestTelechargement)
#include "tst_telechargement.moc"
