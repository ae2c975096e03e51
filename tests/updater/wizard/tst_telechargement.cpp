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

using namespace Qt::StringLiterals;

namespace {

struct Progression : ProgressionTéléchargement {
    QString ligne;
    qint64 total = -1;
    QList<qint64> faits;
    QStringList textes;
    bool interrompre = false;

    void Prépare() override {}
    void Commence(const QString& l, qint64 t) override {
        ligne = l;
        total = t;
    }
    void Avance(qint64 f, const QString& t) override {
        faits << f;
        textes << t;
    }
    bool Interrompu() const override { return interrompre && !faits.isEmpty(); }
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
            {0, u"0 octets"_s},       {1023, u"1023 octets"_s}, {1536, u"1,5 Ko"_s},
            {2500, u"2,4 Ko"_s},      {1048576, u"1 Mo"_s},     {3221225472, u"3 Go"_s},
            {1LL << 50, u"1024 To"_s}};
        for (const auto& [octets, texte] : tailles)
            QCOMPARE(TailleTexte(octets), texte);
        QCOMPARE(Arrondi(2.5, 0), 3.0);
        QCOMPARE(Arrondi(-2.5, 0), -3.0);
        QCOMPARE(Arrondi(2.675, 2), 2.68);
        QCOMPARE(Arrondi(0, 1), 0.0);
    }

    void textMode_data() {
        QTest::addColumn<QByteArray>("brute"); // a scripted answer instead of the server
        QTest::addColumn<QByteArray>("phrase");
        QTest::addColumn<bool>("introuvable");
        QTest::addColumn<QString>("corps");
        QTest::newRow("200 OK") << QByteArray() << "OK"_ba << false << u"Navelo=1.1.0\r\n"_s;
        QTest::newRow("404 page") << QByteArray() << "OK"_ba << true << QString();
        QTest::newRow("reason in other case") << QByteArray() << "Ok"_ba << false << QString();
        QTest::newRow("HTTP/1.0") << "HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\nA=1"_ba
                                  << ""_ba << false << u"A=1"_s;
        QTest::newRow("1 MiB") << ServeurScripté::réponse("200 OK", QByteArray(1 << 20, 'x'))
                               << ""_ba << false << QString(1 << 20, u'x');
        QTest::newRow("over 1 MiB")
            << ServeurScripté::réponse("200 OK", QByteArray((1 << 20) + 1, 'x')) << ""_ba << false
            << QString();
    }

    void textMode() {
        QFETCH(QByteArray, brute);
        QFETCH(QByteArray, phrase);
        QFETCH(bool, introuvable);
        QFETCH(QString, corps);
        serveur.options.phrase200 = phrase;
        serveur.options.versionsIntrouvables = introuvable;
        ServeurScripté scripté({brute});
        const QString url =
            brute.isEmpty() ? AdresseRequêteVersions(base(), {u"Navelo=1.0.0"_s}) : scripté.url();
        QCOMPARE(Télécharge(ParamètresRenovo{}, url), corps);
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
        QTest::addColumn<qint64>("taille");
        QTest::addColumn<QByteArray>("phrase");
        QTest::addColumn<bool>("coupé");
        QTest::addColumn<bool>("sansLongueur");
        QTest::addColumn<bool>("interrompu");
        QTest::addColumn<bool>("réussi");
        QTest::newRow("2500 bytes") << 2500LL << "OK"_ba << false << false << false << true;
        QTest::newRow("Content-Length 0") << 0LL << "OK"_ba << false << false << false << true;
        QTest::newRow("not found") << -1LL << "OK"_ba << false << false << false << false;
        QTest::newRow("reason in other case")
            << 10LL << "Ok"_ba << false << false << false << false;
        QTest::newRow("cut short") << 300000LL << "OK"_ba << true << false << false << false;
        QTest::newRow("no Content-Length") << 3000LL << "OK"_ba << false << true << false << false;
        QTest::newRow("window closed") << 3000000LL << "OK"_ba << false << false << true << false;
    }

    void fileMode() {
        QFETCH(qint64, taille);
        QFETCH(QByteArray, phrase);
        QFETCH(bool, coupé);
        QFETCH(bool, sansLongueur);
        QFETCH(bool, interrompu);
        QFETCH(bool, réussi);
        serveur.options.tailleGénérée = taille;
        serveur.options.phrase200 = phrase;
        serveur.options.corpsCoupé = coupé;
        serveur.options.sansLongueur = sansLongueur;
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(u"Prog152_setup.exe"_s);
        const QByteArray ancien(5000, 'a');
        QFile existant(chemin);
        QVERIFY(existant.open(QIODevice::WriteOnly) && existant.write(ancien) == 5000);
        existant.close();

        Progression progression;
        progression.interrompre = interrompu;
        QCOMPARE(Télécharge(ParamètresRenovo{}, base() + u"Prog152.exe"_s, dossier.path() + u'/',
                            u"Prog152_setup.exe"_s, progression, traductions),
                 réussi);
        QFile fichier(chemin);
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        QCOMPARE(fichier.readAll(), réussi ? Généré(taille) : ancien);
        // Nothing else is left in the folder, no temporary file either.
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{u"Prog152_setup.exe"_s});
        if (taille == 2500) {
            QCOMPARE(progression.ligne, u"Téléchargement de Prog152_setup.exe... en cours"_s);
            QCOMPARE(progression.total, 2500);
            QCOMPARE(progression.faits.constFirst(), 1024);
            QVERIFY2(progression.textes.constFirst().startsWith(
                         u"Téléchargé : 1 Ko sur 2,4 Ko (reste "_s),
                     qPrintable(progression.textes.constFirst()));
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
        QTest::newRow("named, unreachable")
            << 2 << false << int(Injoignable) << QString() << false << QList<bool>() << 0;
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
        for (const RequeteMaj& requête : serveur.requêtes())
            reçues << requête.via.contains("tinyproxy");
        QCOMPARE(reçues, parProxy + parProxy);
        QCOMPARE(authentifié.requêtes() - avant, 2 * requêtesAuProxy);
    }

    void https_data() {
        QTest::addColumn<bool>("confiance");
        QTest::addColumn<int>("proxy");
        QTest::addColumn<bool>("réussi");
        QTest::newRow("trusted") << true << int(Aucun) << true;
        QTest::newRow("trusted, through a proxy") << true << int(Ouvert) << true;
        QTest::newRow("untrusted") << false << int(Aucun) << false;
        QTest::newRow("untrusted, through a proxy") << false << int(Ouvert) << false;
    }

    void https() {
        QFETCH(bool, confiance);
        QFETCH(int, proxy);
        QFETCH(bool, réussi);
        AutoritéTest autorité;
        QVERIFY(autorité.crée());
        ServeurMaj tls;
        tls.options.catalogue = u"Navelo=1.1.0"_s;
        QVERIFY(tls.écouteTls(autorité.serveur, autorité.clé) != 0);
        QSslConfiguration configuration = tlsOrigine;
        configuration.setCaCertificates(confiance ? QList{autorité.autorité}
                                                  : QList<QSslCertificate>());
        QSslConfiguration::setDefaultConfiguration(configuration);
        ParamètresRenovo p;
        p.ProxyType = proxy == Aucun ? 1 : 2;
        p.ProxyAdresse = u"127.0.0.1"_s;
        p.ProxyPort = QString::number(portProxy(proxy));

        const QString url =
            u"https://127.0.0.1:%1/file/_versions.php?apps=Navelo=1"_s.arg(tls.port());
        QCOMPARE(Télécharge(p, url), réussi ? u"Navelo=1.1.0\r\n"_s : QString());
        QCOMPARE(tls.requêtes().size(), réussi ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestTelechargement)
#include "tst_telechargement.moc"
