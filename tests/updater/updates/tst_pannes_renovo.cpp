#include "../renovo_test.h"
#include "limite_fichiers.h"
#include "serveur_maj.h"
#include "serveur_scripte.h"
#include "settings/parametres_renovo.h"
#include "translation/traductions.h"
#include "updates/installation.h"
#include "updates/logiciels_installes.h"
#include "updates/telechargement.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <functional>

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

// Writes the settings as the exit sequence does: the given state once, or both by turns for
// ever after "ready", to be killed at any moment.
int ÉcritOuTourne(const QString& fichier, const QString& état) {
    const auto écrit = [&](bool second) {
        ParamètresRenovo p;
        p.FichierParamètres = fichier;
        p.Langue = second ? u"English"_s : u"Français"_s;
        p.ProxyType = second ? 2 : 1;
        p.ProxyPassword = second ? u"secret"_s : u"autre"_s;
        p.RépertoireTéléchargement = second ? u"/home/moi/Téléchargements"_s : u"/tmp"_s;
        EcritParamètres(p);
        EcritRépertoireTéléchargement(p);
    };
    if (!état.isEmpty()) {
        écrit(état == u"second");
        return 0;
    }
    écrit(false);
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (bool second = true;; second = !second)
        écrit(second);
}

} // namespace

// What a user notices when the server, the disk, an installer or a file misbehaves: no
// crash, no wait beyond the timeouts, no damaged installer under its own name.
class TestPannesRenovo : public QObject {
    Q_OBJECT

    QTemporaryDir racine;
    colTraductions traductions;
    ServeurMaj serveur;

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
        ChargeTraductions(traductions, QString());
        QVERIFY(serveur.écoute() != 0);
    }

    void serveurEnPanne_data() {
        QTest::addColumn<Réponse>("réponse");
        QTest::addColumn<QByteArray>("reçu"); // the installer saved; "ancien": a failure
        const QByteArray corps = Bruit(20'000), ancien = "ancien";
        const auto r = [](const QByteArray& octets, bool ouverte = false) {
            return Réponse{octets, 0, false, false, ouverte};
        };
        const auto annonce = [&](qsizetype longueur, qsizetype envoyés, bool ouverte = false) {
            return r("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(longueur) +
                         "\r\n\r\n" + corps.left(envoyés),
                     ouverte);
        };
        QTest::newRow("whole") << annonce(20'000, 20'000) << corps;
        QTest::newRow("Content-Length 0") << annonce(0, 0) << QByteArray("");
        QTest::newRow("no Content-Length") << r("HTTP/1.1 200 OK\r\n\r\n" + corps) << ancien;
        QTest::newRow("closed mid-body") << annonce(20'000, 5'000) << ancien;
        QTest::newRow("Content-Length above the body") << annonce(40'000, 20'000) << ancien;
        QTest::newRow("Content-Length below the body")
            << annonce(1'000, 20'000) << corps.left(1'000);
        QTest::newRow("stalled past the silence timeout") << annonce(20'000, 5'000, true) << ancien;
        QTest::newRow("reset") << Réponse{{}, 0, false, true} << ancien;
        for (const char* ligne :
             {"407 Proxy Authentication Required", "404 Not Found", "500 Internal Server Error"})
            QTest::newRow(ligne) << r(ServeurScripté::réponse(ligne, corps)) << ancien;
        QTest::newRow("301 Moved Permanently")
            << r("HTTP/1.1 301 Moved Permanently\r\nLocation: /ailleurs.exe\r\n"
                 "Content-Length: 0\r\n\r\n")
            << ancien;
    }
    // The file mode, then the text mode, of each answer.
    void serveurEnPanne() {
        QFETCH(Réponse, réponse);
        QFETCH(QByteArray, reçu);
        ServeurScripté scripté(réponse);
        const QString dossier = racine.filePath(QString::fromLatin1(QTest::currentDataTag()));
        Progression progression;
        const bool réussi = reçu != "ancien";
        QCOMPARE(TéléchargeSurAncien(scripté.url() + u"Prog.exe"_s, dossier, progression), réussi);
        QCOMPARE(LitFichier(dossier + u"/Prog_setup.exe"_s), reçu);
        QCOMPARE(Fichiers(dossier), QStringList{u"Prog_setup.exe"_s});
        // Text may end with the connection; an installer needs its length.
        if (!réussi && QByteArrayView(QTest::currentDataTag()) != "no Content-Length")
            QCOMPARE(Télécharge(ParamètresRenovo{}, scripté.url() + u"_versions.php"_s), QString());
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
        QTest::newRow("killed while it hangs") << "#!/bin/sh\necho $$ > pid\nexec sleep 600\n"_ba;
        QTest::newRow("crashes") << "#!/bin/sh\nkill -SEGV $$\n"_ba;
        QTest::newRow("not a program") << Bruit(4'096);
        QTest::newRow("missing") << QByteArray();
    }
    // Each counts as a failed installation; a hanging one waits until it is killed.
    void installateurEnPanne() {
        QFETCH(QByteArray, contenu);
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
        QVERIFY(!ExécuteEtAttend(dossier + u"/Prog_setup.exe"_s, dossier));
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
        ParamètresRenovo p;
        p.FichierParamètres = dossier.filePath(u"Renovo.ini"_s);
        QVERIFY(ÉcritFichier(p.FichierParamètres, avant + "\r\n[Config]\r\nProxyType=2\r\n"));
        QDate dernière;
        LitParamètres(p, dernière);
        QCOMPARE(std::pair(p.ProxyType, p.RechercherMaJFréquence), std::pair(2, qint16(1)));

        const QString langue = dossier.filePath(u"Langue.lng"_s);
        QVERIFY(ÉcritFichier(langue, avant + "\r\n[Traduction]\r\nTXT_STATUT_OK=Bien\r\n"));
        QCOMPARE(LitTraduction(langue, u"TXT_STATUT_OK"_s, u"OK"_s), u"Bien"_s);
        QCOMPARE(LitTraduction(langue, u"TXT_STATUT_ERREUR"_s, u"erreur"_s), u"erreur"_s);

        const QString entrées = dossier.filePath(u"donnees/korvane/uninstall/"_s);
        QVERIFY(ÉcritFichier(entrées + u"Outil.ini"_s,
                             avant + "\r\n[Uninstall]\r\nPublisher=Korvane\r\n"
                                     "DisplayName=Outil v2\r\nDisplayVersion=2\r\n"));
        QVERIFY(ÉcritFichier(entrées + u"Bruit.ini"_s, avant));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dossier.filePath(u"donnees"_s)));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(dossier.filePath(u"systeme"_s)));
        QStringList logiciels;
        RechercheLogicielsInstallés(*RegistreSystème(), RacineRegistre::HKEY_CURRENT_USER,
                                    CléDésinstallation, logiciels);
        QCOMPARE(logiciels, QStringList{u"Outil=2"_s});
    }

    // Killed at any moment of the exit sequence's writes, the settings file holds each line
    // as it was or as it became, never a half-written file.
    void arretBrutalPendantEcriture() {
        const QString ini = racine.filePath(u"Renovo.ini"_s);
        const auto lance = [&](QProcess& programme, const QString& état) {
            programme.start(QCoreApplication::applicationFilePath(), {u"--ecrit"_s, ini, état});
        };
        QVERIFY(ÉcritFichier(
            ini, "; r\xE9glages\r\n[Autre]\r\nCl\xE9=1\r\n[Config]\r\nLangue=English\r\n"));
        QList<QByteArray> états[2];
        for (const int second : {0, 1, 0}) {
            QProcess programme;
            lance(programme, second ? u"second"_s : u"first"_s);
            QVERIFY(programme.waitForFinished() && programme.exitCode() == 0);
            états[second] = LitFichier(ini).split('\n');
        }
        QCOMPARE(états[1].size(), états[0].size());
        QVERIFY(états[0] != états[1]);

        QRandomGenerator aléa(QRandomGenerator::global()->generate());
        for (int i = 0; i < 60; ++i) {
            QProcess programme;
            lance(programme, QString());
            QVERIFY(programme.waitForReadyRead(5'000));
            QThread::usleep(aléa.bounded(3'000));
            programme.kill();
            QVERIFY(programme.waitForFinished());
            const QList<QByteArray> lignes = LitFichier(ini).split('\n');
            QCOMPARE(lignes.size(), états[0].size());
            for (qsizetype l = 0; l < lignes.size(); ++l)
                QVERIFY2(lignes[l] == états[0][l] || lignes[l] == états[1][l], lignes[l].data());
        }
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == u"--ecrit")
        return ÉcritOuTourne(arguments[2], arguments[3]);
    TestPannesRenovo test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pannes_renovo.moc"
