#include "../renovo_test.h"
#include "serveur_maj.h"
#include "serveur_scripte.h"
#include "settings/parametres_renovo.h"
#include "translation/traductions.h"
#include "updates/installation.h"
#include "updates/logiciels_installes.h"
#include "updates/telechargement.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <functional>
#include <sys/resource.h>

using namespace Qt::StringLiterals;
using Réponse = ServeurScripté::Réponse;

namespace {

struct Progression : AffichageProgression {
    std::function<void()> auPremierMorceau;
    void Prépare() override {}
    void Commence(const QString&, qint64) override {}
    void Avance(qint64, const QString&) override {
        if (auPremierMorceau)
            std::exchange(auPremierMorceau, nullptr)();
    }
    bool Interrompu() const override { return false; }
};

QByteArray Bruit(qsizetype taille) {
    QByteArray bruit(taille, Qt::Uninitialized);
    QRandomGenerator aléa(13);
    for (char& octet : bruit)
        octet = static_cast<char>(aléa.bounded(256));
    return bruit;
}

// A file limit of the process for one scope: writes beyond it fail as on a full disk.
class LimiteFichiers {
public:
    explicit LimiteFichiers(rlim_t octets) {
        getrlimit(RLIMIT_FSIZE, &avant);
        signalAvant = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limite{octets, avant.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteFichiers() {
        setrlimit(RLIMIT_FSIZE, &avant);
        std::signal(SIGXFSZ, signalAvant);
    }

private:
    rlimit avant{};
    void (*signalAvant)(int) = nullptr;
};

} // namespace

// What a user notices when the server, the disk, an installer or a file misbehaves: no
// crash, no wait beyond the timeouts, no damaged installer under its own name.
class TestPannesRenovo : public QObject {
    Q_OBJECT

    QTemporaryDir racine;
    colTraductions traductions;
    ServeurMaj serveur;

    // Downloads into a folder holding an older installer of the same name; on failure that
    // one must be left whole, with nothing beside it.
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
        ChargeTraductions(traductions, QString());
        QVERIFY(serveur.écoute() != 0);
    }

    void serveurEnPanne_data() {
        QTest::addColumn<Réponse>("réponse");
        QTest::addColumn<QByteArray>("reçu"); // the installer saved; empty: a failure
        const QByteArray corps = Bruit(20'000);
        const auto annonce = [&](qsizetype longueur, qsizetype envoyés, bool ouverte = false) {
            Réponse r;
            r.octets = "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(longueur) +
                       "\r\n\r\n" + corps.left(envoyés);
            r.resteOuverte = ouverte;
            return r;
        };
        const auto statut = [&](const char* ligne, const QByteArray& octets) {
            Réponse r;
            r.octets = octets.isEmpty() ? ServeurScripté::réponse(ligne, corps) : octets;
            return r;
        };
        Réponse coupure;
        coupure.coupure = true;
        QTest::newRow("closed mid-body") << annonce(20'000, 5'000) << QByteArray();
        QTest::newRow("Content-Length above the body") << annonce(40'000, 20'000) << QByteArray();
        QTest::newRow("Content-Length below the body")
            << annonce(1'000, 20'000) << corps.left(1'000);
        QTest::newRow("stalled past the silence timeout")
            << annonce(20'000, 5'000, true) << QByteArray();
        QTest::newRow("reset") << coupure << QByteArray();
        for (const char* ligne :
             {"407 Proxy Authentication Required", "403 Forbidden", "500 Internal Server Error"})
            QTest::newRow(ligne) << statut(ligne, {}) << QByteArray();
        QTest::newRow("301 Moved Permanently")
            << statut("", "HTTP/1.1 301 Moved Permanently\r\nLocation: /ailleurs.exe\r\n"
                          "Content-Length: 0\r\n\r\n")
            << QByteArray();
    }

    // The file mode, then the text mode, of each broken answer.
    void serveurEnPanne() {
        QFETCH(Réponse, réponse);
        QFETCH(QByteArray, reçu);
        ServeurScripté scripté(réponse);
        const QString dossier = racine.filePath(QString::fromLatin1(QTest::currentDataTag()));
        Progression progression;
        QElapsedTimer durée;
        durée.start();
        QCOMPARE(TéléchargeSurAncien(scripté.url() + u"Prog.exe"_s, dossier, progression),
                 !reçu.isEmpty());
        QCOMPARE(LitFichier(dossier + u"/Prog_setup.exe"_s), reçu.isEmpty() ? "ancien"_ba : reçu);
        QCOMPARE(Fichiers(dossier), QStringList{u"Prog_setup.exe"_s});
        if (reçu.isEmpty())
            QCOMPARE(Télécharge(ParamètresRenovo{}, scripté.url() + u"_versions.php"_s), QString());
        // The silence timeout is 10 s for each request: nothing waits for much longer.
        QVERIFY2(durée.elapsed() < 25'000, qPrintable(QString::number(durée.elapsed())));
    }

    void disqueEnPanne_data() {
        QTest::addColumn<QString>("panne");
        QTest::newRow("folder removed mid-run") << u"removed"_s;
        QTest::newRow("disk full") << u"full"_s;
    }

    // The transfer fails, and no installer, whole or partial, is left under its name.
    void disqueEnPanne() {
        QFETCH(QString, panne);
        serveur.options = {};
        serveur.options.tailleGénérée = 300'000;
        const QString dossier = racine.filePath(u"disque-"_s + panne);
        Progression progression;
        if (panne == u"removed")
            progression.auPremierMorceau = [dossier] { QDir(dossier).removeRecursively(); };
        bool réussi = true;
        {
            const LimiteFichiers limite(panne == u"full" ? 64 * 1024 : RLIM_INFINITY);
            réussi = TéléchargeSurAncien(u"http://127.0.0.1:%1/file/Prog.exe"_s.arg(serveur.port()),
                                         dossier, progression);
        }
        QVERIFY(!réussi);
        if (panne == u"removed") {
            QVERIFY(!QFileInfo::exists(dossier));
        } else {
            QCOMPARE(LitFichier(dossier + u"/Prog_setup.exe"_s), "ancien"_ba);
            QCOMPARE(Fichiers(dossier), QStringList{u"Prog_setup.exe"_s});
        }
    }

    void installateurEnPanne_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::newRow("killed while it hangs") << "#!/bin/sh\necho $$ > pid\nexec sleep 600\n"_ba;
        QTest::newRow("crashes") << "#!/bin/sh\nkill -SEGV $$\n"_ba;
        QTest::newRow("not a program") << Bruit(4'096);
        QTest::newRow("missing") << QByteArray();
    }

    // Each counts as a failed installation; a hanging one waits until it is killed.
    void installateurEnPanne() {
        QFETCH(QByteArray, contenu);
        const QString dossier =
            racine.filePath(u"installateur-"_s + QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(dossier));
        const QString installateur = dossier + u"/Prog_setup.exe"_s;
        if (!contenu.isEmpty())
            QVERIFY(ÉcritFichier(installateur, contenu));
        QTimer tueur;
        QObject::connect(&tueur, &QTimer::timeout, &tueur, [&] {
            const QByteArray pid = LitFichier(dossier + u"/pid"_s).trimmed();
            if (!pid.isEmpty() && ::kill(pid.toInt(), SIGKILL) == 0)
                tueur.stop();
        });
        tueur.start(50);
        QVERIFY(!ExécuteEtAttend(installateur, dossier));
    }

    void fichiersHostiles_data() {
        QTest::addColumn<QByteArray>("avant"); // hostile bytes before the useful section
        QTest::newRow("binary garbage") << Bruit(64 * 1024) + "\r\n";
        QTest::newRow("10 MB line") << "[Autre]\r\nCl\xE9=" + QByteArray(10 << 20, 'x') + "\r\n";
        QByteArray clés = "[Autre]\r\n";
        for (int i = 0; i < 100'000; ++i)
            clés += "Cl\xE9" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\r\n";
        QTest::newRow("100,000 keys") << clés;
        QTest::newRow("unterminated blocks")
            << "<TXT_STATUT_OK>\r\n<TXT_INTRO>ouvert\r\n[Bloc\r\n"_ba;
    }

    // Settings, a language file and an uninstall entry, each with the hostile part first:
    // what follows it is read, and what is missing takes its default.
    void fichiersHostiles() {
        QFETCH(QByteArray, avant);
        QTemporaryDir dossier;
        QElapsedTimer durée;
        durée.start();

        ParamètresRenovo p;
        p.FichierParamètres = dossier.filePath(u"Renovo.ini"_s);
        QVERIFY(ÉcritFichier(p.FichierParamètres, avant + "\r\n[Config]\r\nProxyType=2\r\n"));
        QDate dernière;
        LitParamètres(p, dernière);
        QCOMPARE(p.ProxyType, 2);
        QCOMPARE(p.RechercherMaJFréquence, qint16(1));

        const QString langue = dossier.filePath(u"Langue.lng"_s);
        QVERIFY(ÉcritFichier(langue, avant + "\r\n[Traduction]\r\nTXT_STATUT_OK=Bien\r\n"));
        QCOMPARE(LitTraduction(langue, u"TXT_STATUT_OK"_s, u"OK"_s), u"Bien"_s);
        QCOMPARE(LitTraduction(langue, u"TXT_STATUT_ERREUR"_s, u"erreur"_s), u"erreur"_s);

        const QString entrées = dossier.filePath(u"donnees/korvane/uninstall"_s);
        QVERIFY(ÉcritFichier(entrées + u"/Outil.ini"_s,
                             avant +
                                 "\r\n[Uninstall]\r\nPublisher=Korvane\r\nDisplayName=Outil v2\r\n"
                                 "DisplayVersion=2\r\n"));
        QVERIFY(ÉcritFichier(entrées + u"/Bruit.ini"_s, avant));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dossier.filePath(u"donnees"_s)));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(dossier.filePath(u"systeme"_s)));
        QStringList logiciels;
        RechercheLogicielsInstallés(*RegistreSystème(), RacineRegistre::HKEY_CURRENT_USER,
                                    CléDésinstallation, logiciels);
        QCOMPARE(logiciels, QStringList{u"Outil=2"_s});
        QVERIFY2(durée.elapsed() < 20'000, qPrintable(QString::number(durée.elapsed())));
    }

    // Names a file may have and a registry key may not: a leading ":" (a resource path to
    // Qt) and a backslash (the registry's separator) stay plain files.
    void nomsInhabituels() {
        QTemporaryDir dossier;
        const QString entrées = dossier.filePath(u"donnees/korvane/uninstall"_s);
        for (const QString& nom : {u":Outil"_s, u"Sous\\Outil"_s})
            QVERIFY(ÉcritFichier(entrées + u'/' + nom + u".ini"_s,
                                 "[Uninstall]\r\nPublisher=Korvane\r\nDisplayName=" +
                                     nom.toLatin1() + " v2\r\nDisplayVersion=2\r\n"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dossier.filePath(u"donnees"_s)));
        QStringList logiciels;
        RechercheLogicielsInstallés(*RegistreSystème(), RacineRegistre::HKEY_CURRENT_USER,
                                    CléDésinstallation, logiciels);
        QCOMPARE(logiciels, (QStringList{u":Outil=2"_s, u"Sous\\Outil=2"_s}));

        serveur.options = {};
        serveur.options.tailleGénérée = 2'500;
        Progression progression;
        QVERIFY(Télécharge(ParamètresRenovo{},
                           u"http://127.0.0.1:%1/file/Outil2.exe"_s.arg(serveur.port()),
                           dossier.path(), u":Outil2_setup.exe"_s, progression, traductions));
        QCOMPARE(QFileInfo(dossier.path() + u"/:Outil2_setup.exe"_s).size(), 2'500);
    }

    // Killed at any moment of the exit sequence's writes, the settings file holds each line
    // as it was or as it became, never a half-written file.
    void arretBrutalPendantEcriture() {
        const QString ini = racine.filePath(u"Renovo.ini"_s);
        const auto écritUneFois = [&](const char* état) {
            QProcess programme;
            programme.start(QStringLiteral(ECRIT_PARAMETRES_RENOVO),
                            {ini, QString::fromLatin1(état)});
            return programme.waitForFinished() && programme.exitCode() == 0;
        };
        QVERIFY(ÉcritFichier(
            ini, "; r\xE9glages\r\n[Autre]\r\nCl\xE9=1\r\n[Config]\r\nLangue=English\r\n"));
        QVERIFY(écritUneFois("first"));
        const QList<QByteArray> premier = LitFichier(ini).split('\n');
        QVERIFY(écritUneFois("second"));
        const QList<QByteArray> second = LitFichier(ini).split('\n');
        QVERIFY(écritUneFois("first"));
        QCOMPARE(second.size(), premier.size());
        QVERIFY(premier != second);

        QRandomGenerator aléa(QRandomGenerator::global()->generate());
        for (int i = 0; i < 200; ++i) {
            QProcess programme;
            programme.start(QStringLiteral(ECRIT_PARAMETRES_RENOVO), {ini});
            QVERIFY(programme.waitForReadyRead(5'000));
            QThread::usleep(aléa.bounded(3'000));
            programme.kill();
            QVERIFY(programme.waitForFinished());

            const QList<QByteArray> lignes = LitFichier(ini).split('\n');
            QCOMPARE(lignes.size(), premier.size());
            for (qsizetype l = 0; l < lignes.size(); ++l)
                QVERIFY2(lignes.at(l) == premier.at(l) || lignes.at(l) == second.at(l),
                         lignes.at(l).constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestPannesRenovo)
#include "tst_pannes_renovo.moc"
