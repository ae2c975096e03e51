#include "../renovo_test.h"
#include "autorite_test.h"
#include "serveur_maj.h"
#include "serveur_scripte.h"
#include "settings/traductions.h"
#include "tinyproxy.h"
#include "wizard/parametres_renovo.h"
#include "wizard/telechargement.h"
#include "wizard/versions.h"

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
using Accès = std::tuple<int, bool, Proxy, QString, bool, QList<bool>, int>;

} // namespace

Q_DECLARE_METATYPE(Accès)

class TestTelechargement : public QObject {
    Q_OBJECT

    ServeurMaj serveur;
    colTraductions traductions;
    Tinyproxy ouvert;
    Tinyproxy authentifié{u"util"_s, u"mdp"_s};
    QSslConfiguration tlsOrigine = QSslConfiguration::defaultConfiguration();

    QString base() const { return u"http://127.0.0.1:%1/file/"_s.arg(serveur.port()); }

private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        ChargeTraductions(traductions, QString());
        QVERIFY(serveur.écoute() != 0);
        QVERIFY(ouvert.port() != 0 && authentifié.port() != 0);
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

    void fileMode_data() {
        QTest::addColumn<qint64>("taille"); // -1: not found
        QTest::addColumn<int>("forme");     // 0: whole, 1: cut short, 2: no Content-Length
        QTest::newRow("2500 bytes") << 2500LL << 0;
        QTest::newRow("Content-Length 0") << 0LL << 0;
        QTest::newRow("not found") << -1LL << 0;
        QTest::newRow("cut short") << 300000LL << 1;
        QTest::newRow("no Content-Length") << 3000LL << 2;
    }
    // Any failure leaves the existing, longer file as it was, and no temporary file.
    void fileMode() {
        QFETCH(qint64, taille);
        QFETCH(int, forme);
        const bool réussi = taille >= 0 && forme == 0;
        serveur.options.tailleGénérée = taille;
        serveur.options.corpsCoupé = forme == 1;
        serveur.options.sansLongueur = forme == 2;
        QTemporaryDir dossier;
        const QString fichier = dossier.filePath(u"Prog152_setup.exe"_s);
        QVERIFY(ÉcritFichier(fichier, QByteArray(5000, 'a')));

        Progression progression;
        QCOMPARE(Télécharge(ParamètresRenovo{}, base() + u"Prog152.exe"_s, dossier.path() + u'/',
                            u"Prog152_setup.exe"_s, progression, traductions),
                 réussi);
        QCOMPARE(LitFichier(fichier),
                 réussi ? ServeurMaj::OctetsGénérés(0, taille) : QByteArray(5000, 'a'));
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{u"Prog152_setup.exe"_s});
        if (taille == 2500) {
            QCOMPARE(progression.ligne, u"Téléchargement de Prog152_setup.exe... en cours"_s);
            QCOMPARE(progression.faits.constFirst(), 1024);
            QCOMPARE(progression.faits.constLast(), 2500);
            QVERIFY(progression.textes.constFirst().startsWith(
                u"Téléchargé : 1 Ko sur 2,4 Ko (reste "_s));
        }
    }

    void access_data() {
        QTest::addColumn<Accès>("accès");
        const QList<bool> d{false}, p{true}; // one request, direct or by proxy
        QTest::newRow("direct ignores http_proxy") << Accès{1, true, Ouvert, {}, true, d, 0};
        QTest::newRow("system: http_proxy") << Accès{0, false, Ouvert, {}, true, p, 0};
        QTest::newRow("system: none, retry") << Accès{0, true, Injoignable, {}, true, d, 0};
        QTest::newRow("named: good login") << Accès{2, false, Authentifié, u"mdp"_s, true, p, 2};
        QTest::newRow("named: bad login") << Accès{2, false, Authentifié, u"x"_s, false, {}, 2};
        QTest::newRow("named: bad login, retry") << Accès{2, true, Authentifié, u"x"_s, true, d, 2};
        QTest::newRow("named: none, retry") << Accès{2, true, Injoignable, {}, true, d, 0};
    }
    // Each case in text mode, then in file mode.
    void access() {
        QFETCH(Accès, accès);
        const auto& [type, reprise, proxy, motDePasse, réussi, parProxy, requêtesAuProxy] = accès;
        const quint16 port = proxy == Ouvert        ? ouvert.port()
                             : proxy == Authentifié ? authentifié.port()
                                                    : 1;
        ParamètresRenovo p;
        p.ProxyType = type;
        p.ProxySiErreurTesterAussiAccèsDirect = reprise;
        p.ProxyAdresse = u"127.0.0.1"_s;
        p.ProxyPort = QString::number(port);
        p.ProxyLogin = u"util"_s;
        p.ProxyPassword = motDePasse;
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

    // Certificate errors fail the request, directly or through a proxy's tunnel.
    void https() {
        AutoritéTest autorité;
        QVERIFY(autorité.crée());
        ServeurMaj tls;
        tls.options.catalogue = u"Navelo=1.1.0"_s;
        QVERIFY(tls.écouteTls(autorité.serveur, autorité.clé) != 0);
        const QString url =
            u"https://127.0.0.1:%1/file/_versions.php?apps=Navelo=1"_s.arg(tls.port());
        ParamètresRenovo p;
        p.ProxyAdresse = u"127.0.0.1"_s;
        p.ProxyPort = QString::number(ouvert.port());
        for (const bool confiance : {false, true}) {
            QSslConfiguration configuration = tlsOrigine;
            configuration.setCaCertificates(confiance ? QList{autorité.autorité}
                                                      : QList<QSslCertificate>());
            QSslConfiguration::setDefaultConfiguration(configuration);
            for (const int type : {1, 2}) {
                p.ProxyType = type;
                QCOMPARE(Télécharge(p, url), confiance ? u"Navelo=1.1.0\r\n"_s : QString());
            }
        }
        QCOMPARE(tls.requêtes().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestTelechargement)
#include "tst_telechargement.moc"
