#include "autorite_test.h"
#include "serveur_maj.h"
#include "serveur_scripte.h"
#include "settings/traductions.h"
#include "tinyproxy.h"
#include "wizard/parametres_renovo.h"
#include "wizard/telechargement.h"
#include "wizard/versions.h"

#include <QDir>
#include <QFile>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

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

QByteArray Généré(qint64 taille) {
    QByteArray octets(taille, Qt::Uninitialized);
    for (qint64 i = 0; i < taille; ++i)
        octets[i] = ServeurMaj::OctetGénéré(i);
    return octets;
}

enum Proxy { Aucun, Ouvert, Authentifié, Injoignable };

} // namespace

class TestTelechargement : public QObject {
    Q_OBJECT

    ServeurMaj serveur;
    colTraductions traductions;
    Tinyproxy ouvert;
    Tinyproxy authentifié{u"util"_s, u"mdp"_s};
    QSslConfiguration tlsOrigine = QSslConfiguration::defaultConfiguration();

    QString base() const { return u"http://127.0.0.1:%1/file/"_s.arg(serveur.port()); }
    quint16 portProxy(int proxy) const {
        return proxy == Ouvert ? ouvert.port() : proxy == Authentifié ? authentifié.port() : 1;
    }

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
        qunsetenv("http_proxy");
        qunsetenv("https_proxy");
        qunsetenv("no_proxy");
        QSslConfiguration::setDefaultConfiguration(tlsOrigine);
    }

    void arithmetic() {
        QCOMPARE(StatutRéponse(u"HTTP/1.1 200 OK\r\nContent-Length: 3"_s), u"200 OK"_s);
        QCOMPARE(StatutRéponse(u"HTTP/1.0 404 Not Found\rX"_s), u"404 Not Found"_s);
        QCOMPARE(StatutRéponse(u"HTTP/1.1"_s), QString());
        const QList<std::pair<qint64, QString>> tailles{
            {0, u"0 octets"_s},
            {1023, u"1023 octets"_s},
            {1536, u"1,5 Ko"_s},
            {2500, u"2,4 Ko"_s},
            {1048576, u"1 Mo"_s},
            {3221225472, u"3 Go"_s},
            {1LL << 50, u"1024 To"_s},
            {std::numeric_limits<qint64>::min(), u"-9223372036854779904 octets"_s}};
        for (const auto& [octets, texte] : tailles)
            QCOMPARE(TailleTexte(octets), texte);
        QCOMPARE(Arrondi(2.5, 0), 3.0);
        QCOMPARE(Arrondi(-2.5, 0), -3.0);
        QCOMPARE(Arrondi(2.675, 2), 2.68);
        QCOMPARE(Arrondi(0, 1), 0.0);
    }

    void textMode_data() {
        QTest::addColumn<QByteArray>("réponse");
        QTest::addColumn<QString>("corps");
        const QByteArray texte = "Navelo=1.1.0\r\n";
        QTest::newRow("200 OK") << ServeurScripté::réponse("200 OK", texte)
                                << u"Navelo=1.1.0\r\n"_s;
        QTest::newRow("HTTP/1.0") << "HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\nA=1"_ba
                                  << u"A=1"_s;
        QTest::newRow("404 page") << ServeurScripté::réponse("404 Not Found", texte) << QString();
        QTest::newRow("reason in other case")
            << ServeurScripté::réponse("200 Ok", texte) << QString();
        QTest::newRow("over 1 MiB")
            << ServeurScripté::réponse("200 OK", QByteArray((1 << 20) + 1, 'x')) << QString();
    }

    void textMode() {
        QFETCH(QByteArray, réponse);
        QFETCH(QString, corps);
        ServeurScripté scripté({réponse});
        QCOMPARE(Télécharge(ParamètresRenovo{}, scripté.url()), corps);
    }

    // What the server decodes is what was installed, whatever the characters.
    void versionRequest() {
        const QStringList logiciels{u"Mon Prog & Co=1.0 beta"_s, u"Outil+#%?=2.0"_s,
                                    u"Élève=1.0=2"_s};
        Télécharge(ParamètresRenovo{}, AdresseRequêteVersions(base(), logiciels));
        QCOMPARE(serveur.requêtes().size(), 1);
        QCOMPARE(serveur.requêtes().constFirst().logiciels, logiciels);
    }

    void fileMode_data() {
        QTest::addColumn<qint64>("taille"); // -1: not found
        QTest::addColumn<bool>("coupé");
        QTest::addColumn<bool>("sansLongueur");
        QTest::newRow("2500 bytes") << 2500LL << false << false;
        QTest::newRow("Content-Length 0") << 0LL << false << false;
        QTest::newRow("not found") << -1LL << false << false;
        QTest::newRow("cut short") << 300000LL << true << false;
        QTest::newRow("no Content-Length") << 3000LL << false << true;
    }

    // Any failure leaves the existing, longer file as it was, and no temporary file.
    void fileMode() {
        QFETCH(qint64, taille);
        QFETCH(bool, coupé);
        QFETCH(bool, sansLongueur);
        const bool réussi = taille >= 0 && !coupé && !sansLongueur;
        serveur.options.tailleGénérée = taille;
        serveur.options.corpsCoupé = coupé;
        serveur.options.sansLongueur = sansLongueur;
        QTemporaryDir dossier;
        QFile fichier(dossier.filePath(u"Prog152_setup.exe"_s));
        QVERIFY(fichier.open(QIODevice::WriteOnly) && fichier.write(QByteArray(5000, 'a')));
        fichier.close();

        Progression progression;
        QCOMPARE(Télécharge(ParamètresRenovo{}, base() + u"Prog152.exe"_s, dossier.path() + u'/',
                            u"Prog152_setup.exe"_s, progression, traductions),
                 réussi);
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        QCOMPARE(fichier.readAll(), réussi ? Généré(taille) : QByteArray(5000, 'a'));
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{u"Prog152_setup.exe"_s});
        if (taille == 2500) {
            QCOMPARE(progression.ligne, u"Téléchargement de Prog152_setup.exe... en cours"_s);
            QCOMPARE(progression.faits.constFirst(), 1024);
            QVERIFY(progression.textes.constFirst().startsWith(
                u"Téléchargé : 1 Ko sur 2,4 Ko (reste "_s));
            QCOMPARE(progression.faits.constLast(), 2500);
        }
    }

    void access_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("reprise");
        QTest::addColumn<int>("proxy"); // named, or in http_proxy for type 0
        QTest::addColumn<QString>("motDePasse");
        QTest::addColumn<bool>("réussi");
        QTest::addColumn<QList<bool>>("parProxy"); // requests the server got, by proxy or not
        QTest::addColumn<int>("requêtesAuProxy");
        const QList<bool> direct{false}, parProxy{true};
        QTest::newRow("direct ignores http_proxy, one attempt")
            << 1 << true << int(Ouvert) << QString() << true << direct << 0;
        QTest::newRow("system: http_proxy")
            << 0 << false << int(Ouvert) << QString() << true << parProxy << 0;
        QTest::newRow("system: unreachable, direct retry")
            << 0 << true << int(Injoignable) << QString() << true << direct << 0;
        QTest::newRow("named, good credentials")
            << 2 << false << int(Authentifié) << u"mdp"_s << true << parProxy << 2;
        QTest::newRow("named, wrong credentials")
            << 2 << false << int(Authentifié) << u"faux"_s << false << QList<bool>() << 2;
        QTest::newRow("named, wrong credentials, direct retry")
            << 2 << true << int(Authentifié) << u"faux"_s << true << direct << 2;
        QTest::newRow("named, unreachable, direct retry")
            << 2 << true << int(Injoignable) << QString() << true << direct << 0;
    }

    // Each case in text mode, then in file mode.
    void access() {
        QFETCH(int, type);
        QFETCH(bool, reprise);
        QFETCH(int, proxy);
        QFETCH(QString, motDePasse);
        QFETCH(bool, réussi);
        QFETCH(QList<bool>, parProxy);
        QFETCH(int, requêtesAuProxy);
        ParamètresRenovo p;
        p.ProxyType = type;
        p.ProxySiErreurTesterAussiAccèsDirect = reprise;
        p.ProxyAdresse = u"127.0.0.1"_s;
        p.ProxyPort = QString::number(portProxy(proxy));
        p.ProxyLogin = u"util"_s;
        p.ProxyPassword = motDePasse;
        qputenv("http_proxy", "http://127.0.0.1:" + p.ProxyPort.toLatin1());
        const int avant = authentifié.requêtes();
        serveur.options.tailleGénérée = 100;

        const QString versions = Télécharge(p, AdresseRequêteVersions(base(), {u"Navelo=1"_s}));
        QCOMPARE(versions.isEmpty(), !réussi);
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
