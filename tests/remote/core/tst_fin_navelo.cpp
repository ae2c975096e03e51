#include "boite_message.h"
#include "boitier_simule.h"
#include "core/frmNavelo.h"
#include "dialogs/frmConfiguration.h"
#include "instance_unique.h"
#include "navelo_essai.h"
#include "proxy_local.h"
#include "quand_ouvert.h"
#include "serveur_scripte.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The remote of model 5 at 100 % (168 x 600) centred on the offscreen screen (800 x 800).
const QString positionParDéfaut = u"FenêtreGauche=4740\r\nFenêtreHaut=1500\r\n"_s;

} // namespace

// How Navelo ends when the system, not the user, ends it.
class TestFinNavelo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(temporaire.isValid());
        boitier.définitFichierChaînes(QStringLiteral(EXEMPLE_CHAINES));
        QVERIFY(boitier.écoute() != 0);
        ProxyLocal(boitier.port());
        qputenv("TMPDIR", temporaire.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", temporaire.path().toLocal8Bit());
    }

    void init() {
        essai = std::make_unique<NaveloEssai>();
        dossier = &essai->dossier;
        // No cache: the program's fetch tells when its start-up is over.
        QFile::remove(dossier->filePath(u"channels"_s));
        OublieMessages();
    }

    // The program itself, from a folder of its own: its settings hold a code, and it fetches
    // the channel list, which tells when its start-up is over. Without a signal, its X server
    // goes away, and Qt ends the process with exit(). A box that never answers the fetch keeps
    // the start-up waiting: the end cancels it, and asks nothing.
    void signaux_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("boîtierMuet");
        QTest::newRow("SIGTERM") << SIGTERM << false;
        QTest::newRow("SIGINT") << SIGINT << false;
        QTest::newRow("SIGHUP") << SIGHUP << false;
        QTest::newRow("X server gone") << 0 << false;
        QTest::newRow("SIGTERM during the channel list's fetch") << SIGTERM << true;
    }

    void signaux() {
        QFETCH(int, signal);
        QFETCH(bool, boîtierMuet);
        ServeurScripté muet({{}, 0, true});
        QProcess serveur;
        const auto arrêt = qScopeGuard([&] {
            serveur.kill();
            serveur.waitForFinished();
        });
        QList<std::pair<QString, QString>> variables{{u"QT_QPA_PLATFORM"_s, u"offscreen"_s}};
        if (signal == 0) {
            const QString xvfb = QStandardPaths::findExecutable(u"Xvfb"_s);
            if (xvfb.isEmpty())
                QSKIP("Xvfb is not installed");
            serveur.start(xvfb, {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s,
                                 u"0"_s, u"800x800x24"_s});
            QTRY_VERIFY_WITH_TIMEOUT(serveur.canReadLine(), 10000);
            variables = {
                {u"QT_QPA_PLATFORM"_s, u"xcb"_s},
                {u"DISPLAY"_s, u":"_s + QString::fromLatin1(serveur.readLine().trimmed())}};
        }
        if (boîtierMuet)
            variables.append({u"http_proxy"_s, muet.url()});
        QProcess navelo;
        lance(navelo, dossier->path(), variables);
        if (boîtierMuet)
            QTRY_VERIFY_WITH_TIMEOUT(muet.requêtes() > 0, 15000);
        else // the remote is up once it answers a command
            QTRY_VERIFY_WITH_TIMEOUT(!InstanceUnique(NomInstance(u"Navelo"_s, u"WakeUp!"_s))
                                          .EnvoieCommande("keys mute", 15000)
                                          .value_or(QByteArray())
                                          .isEmpty(),
                                     15000);
        if (signal == 0)
            serveur.terminate();
        else
            ::kill(static_cast<pid_t>(navelo.processId()), signal);
        QVERIFY(navelo.waitForFinished(10000));
        QCOMPARE(navelo.exitStatus(), QProcess::NormalExit);
        QVERIFY(litIni().startsWith(u"[Config]\r\nCodeTélécommande=12345678\r\n"_s +
                                    positionParDéfaut));
    }

    // The code of a first start reaches the file at OK, even when the user then gives up at the
    // channel list warning.
    void codeEcritAuOK() {
        qputenv("http_proxy", "http://127.0.0.1:9");
        const auto proxy = qScopeGuard([this] { ProxyLocal(boitier.port()); });
        RéponsesSuivantes({QMessageBox::No});
        auto fenêtre = crée();
        QuandOuvert<frmConfiguration>([](frmConfiguration* dialogue) {
            dialogue->txtCodeTélécommande->setText(u"87654321"_s);
            dialogue->btnOK->click();
        });
        QVERIFY(!fenêtre->Form_Load());
        QCOMPARE(MessagesAffichés().size(), 1);
        QVERIFY(litIni().contains(u"CodeTélécommande=87654321\r\n"_s));
    }

    // During the start-up its open dialogs are cancelled, a message over the first one
    // included: no code, nothing written.
    void finPendantLePremierDemarrage() {
        auto fenêtre = crée();
        bool dialogueFermé = false;
        QuandOuvert<frmConfiguration>([&](frmConfiguration* dialogue) {
            QuandOuvert<QMessageBox>([&](QMessageBox*) {
                fenêtre->Termine();
                dialogueFermé = !dialogue->isVisible();
                dialogue->close();
            });
            dialogue->btnOK->click();
        });
        QVERIFY(!fenêtre->Form_Load());
        QVERIFY(dialogueFermé);
        QVERIFY(!QFile::exists(dossier->filePath(u"Navelo.ini"_s)));
    }

    // Once running: as Quit, once, and never a restart even when one was due.
    void finApresLeDemarrage() {
        QVERIFY(QFile::copy(QStringLiteral(EXEMPLE_CHAINES), dossier->filePath(u"channels"_s)));
        auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        QSignalSpy fin(fenêtre.get(), &frmNavelo::programEnded);
        fenêtre->move(30, 60);
        fenêtre->Paramètres().RedémarrageNécessaire = true;
        fenêtre->Termine();
        fenêtre->Termine();
        QCOMPARE(fin.size(), 1);
        QVERIFY(litIni().contains(u"FenêtreGauche=450\r\nFenêtreHaut=900\r\n"_s));
        QVERIFY(essai->lancés.isEmpty());
    }

    // Once running, the end closes the open dialog, the About box or, at Quit, the message
    // that the settings cannot be written; the program then ends.
    void finPendantUnDialogue_data() {
        QTest::addColumn<bool>("àLaFermeture");
        QTest::newRow("About box") << false;
        QTest::newRow("message at Quit") << true;
    }

    void finPendantUnDialogue() {
        QFETCH(bool, àLaFermeture);
        QVERIFY(QFile::copy(QStringLiteral(EXEMPLE_CHAINES), dossier->filePath(u"channels"_s)));
        auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        QSignalSpy fin(fenêtre.get(), &frmNavelo::programEnded);
        bool fermé = false;
        QuandOuvert([&](QWidget* dialogue) {
            fenêtre->Termine();
            fermé = !dialogue->isVisible();
            dialogue->close();
        });
        if (àLaFermeture) {
            QVERIFY(ÉcritConfig(dossier->filePath(u"fichier"_s), {}));
            fenêtre->Paramètres().FichierIni = dossier->filePath(u"fichier/Navelo.ini"_s);
            fenêtre->close();
        } else {
            fenêtre->AfficheAPropos();
        }
        QVERIFY(fermé);
        QCOMPARE(fin.size(), 1);
    }

    // A program folder the user cannot write, holding settings: they are read, and kept in
    // the user's own folder from the first write on. The program runs as nobody.
    void dossierEnLectureSeule() {
        const passwd* personne = ::getpwnam("nobody");
        if (::geteuid() != 0 || !personne)
            QSKIP("running as another user needs root");
        const QDir base(dossier->path());
        const QString maison = base.filePath(u"maison"_s);
        const QString run = base.filePath(u"maison/run"_s);
        QVERIFY(base.mkpath(u"programme"_s) && base.mkpath(u"maison/run"_s));
        for (const QString& chemin : {temporaire.path(), dossier->path()})
            QVERIFY(QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ExeOwner | QFile::ExeOther));
        QVERIFY(QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        for (const QString& chemin : {maison, run})
            QVERIFY(::chown(QFile::encodeName(chemin).constData(), personne->pw_uid,
                            personne->pw_gid) == 0);

        QProcess navelo;
        lance(navelo, base.filePath(u"programme"_s),
              {{u"QT_QPA_PLATFORM"_s, u"offscreen"_s},
               {u"HOME"_s, maison},
               {u"XDG_DATA_HOME"_s, maison + u"/.local/share"_s},
               {u"TMPDIR"_s, run},
               {u"XDG_RUNTIME_DIR"_s, run}},
              {u"--reuid=%1"_s.arg(personne->pw_uid), u"--regid=%1"_s.arg(personne->pw_gid),
               u"--clear-groups"_s},
              u"TailleFenêtrePrincipale=150"_s);
        const QString iniProgramme = base.filePath(u"programme/Navelo.ini"_s);
        const QString original = LitFichier(iniProgramme);
        // The channel cache goes to the user's folder too; once it is there, the start is over.
        const QDir utilisateur(maison + u"/.local/share/Navelo"_s);
        QTRY_VERIFY_WITH_TIMEOUT(utilisateur.exists(u"channels"_s), 15000);
        ::kill(static_cast<pid_t>(navelo.processId()), SIGTERM);
        QVERIFY(navelo.waitForFinished(10000));
        QCOMPARE(LitFichier(iniProgramme), original);
        // At 150 % the remote (252 x 900) is taller than the 800 x 800 screen: its top shows.
        const QString copie = utilisateur.filePath(u"Navelo.ini"_s);
        QVERIFY(
            LitFichier(copie).startsWith(original + u"FenêtreGauche=4110\r\nFenêtreHaut=0\r\n"_s));
        // It holds the code: the user's only.
        QVERIFY(!(QFile::permissions(copie) & (QFile::ReadGroup | QFile::ReadOther)));
    }

    // A settings file that cannot be written is said once, at the OK that could not store it;
    // the end that follows says nothing more.
    void ecritureImpossible() {
        QVERIFY(ÉcritConfig(dossier->filePath(u"fichier"_s), {}));
        QVERIFY(QFile::copy(QStringLiteral(EXEMPLE_CHAINES), dossier->filePath(u"channels"_s)));
        auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        fenêtre->Paramètres().FichierIni = dossier->filePath(u"fichier/Navelo.ini"_s);
        RéponsesSuivantes({QMessageBox::Ok, QMessageBox::Ok});
        for (int i = 0; i < 2; ++i) {
            QuandOuvert<frmConfiguration>(
                [](frmConfiguration* dialogue) { dialogue->btnOK->click(); });
            fenêtre->Configure(true);
        }
        fenêtre->close();
        QCOMPARE(MessagesAffichés().size(), 1);
        QCOMPARE(MessagesAffichés().constFirst().titre, u"Attention"_s);
        QCOMPARE(MessagesAffichés().constFirst().icône, QMessageBox::Warning);
    }

private:
    QString litIni() const { return LitFichier(dossier->filePath(u"Navelo.ini"_s)); }

    std::unique_ptr<frmNavelo> crée() { return essai->crée(); }

    // The program copied into `dossierProgramme` beside settings that hold a code, started
    // through setpriv when `utilisateur` says as whom.
    void lance(QProcess& navelo, const QString& dossierProgramme,
               const QList<std::pair<QString, QString>>& variables,
               const QStringList& utilisateur = {}, const QString& lignes = {}) {
        const QString programme = QDir(dossierProgramme).filePath(u"Navelo"_s);
        QVERIFY(QFile::copy(QStringLiteral(PROGRAMME_NAVELO), programme));
        QVERIFY(ÉcritConfig(QDir(dossierProgramme).filePath(u"Navelo.ini"_s),
                            u"CodeTélécommande=12345678\r\n"_s + lignes));
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        for (const auto& [nom, valeur] : variables)
            environnement.insert(nom, valeur);
        navelo.setProcessEnvironment(environnement);
        navelo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (utilisateur.isEmpty())
            navelo.start(programme, {});
        else
            navelo.start(u"setpriv"_s, utilisateur + QStringList{programme});
        QVERIFY(navelo.waitForStarted());
    }

    BoitierSimule boitier;
    QTemporaryDir temporaire;
    std::unique_ptr<NaveloEssai> essai;
    QTemporaryDir* dossier = nullptr;
};

QTEST_MAIN(TestFinNavelo)
#include "tst_fin_navelo.moc"
