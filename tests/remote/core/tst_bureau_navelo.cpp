#include "boite_message.h"
#include "boitier_simule.h"
#include "dialogs/frmConfiguration.h"
#include "guide/bouton_touche.h"
#include "guide/frmClavier.h"
#include "instance_unique.h"
#include "navelo_essai.h"
#include "proxy_local.h"
#include "quand_ouvert.h"
#include "serveur_scripte.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;
using Variables = QList<std::pair<QString, QString>>;

namespace {

const QString service = u"org.mpris.MediaPlayer2.navelo"_s;
const QString appui = QAccessibleActionInterface::pressAction();
const QString code = u"CodeTélécommande=12345678\r\n"_s;

// Another program run to its end within this event loop: its exit code (-1: crash, hang), output.
std::pair<int, QByteArray> Exécute(const QString& programme, const QStringList& arguments) {
    QProcess processus;
    processus.start(programme, arguments);
    const bool fini =
        QTest::qWaitFor([&] { return processus.state() == QProcess::NotRunning; }, 30000);
    return {fini && processus.exitStatus() == QProcess::NormalExit ? processus.exitCode() : -1,
            processus.readAllStandardOutput()};
}

std::pair<int, QByteArray> Playerctl(const QString& commande) {
    return Exécute(u"playerctl"_s, QStringList{u"-p"_s, u"navelo"_s} + commande.split(u' '));
}

// A call to the player as any D-Bus client makes it.
int Appelle(const QString& méthode) {
    return Exécute(u"dbus-send"_s, {u"--session"_s, u"--print-reply"_s, u"--dest="_s + service,
                                    u"/org/mpris/MediaPlayer2"_s, méthode})
        .first;
}

bool NomPris() {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(service).value();
}

// The program copied beside its settings (none when null); a variable of null value is removed.
void Lance(QProcess& navelo, const QString& dossier, const QString& réglages,
           const Variables& variables, const QStringList& arguments = {}) {
    const QString programme = QDir(dossier).filePath(u"Navelo"_s);
    QVERIFY(QFile::copy(QStringLiteral(PROGRAMME_NAVELO), programme));
    if (!réglages.isNull())
        QVERIFY(ÉcritConfig(QDir(dossier).filePath(u"Navelo.ini"_s), réglages));
    QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
    for (const auto& [nom, valeur] : variables) {
        if (valeur.isNull())
            environnement.remove(nom);
        else
            environnement.insert(nom, valeur);
    }
    navelo.setProcessEnvironment(environnement);
    navelo.start(programme, arguments);
    QVERIFY(navelo.waitForStarted());
}

} // namespace

// Navelo among the desktop's programs, and the ends the system, not the user, asks for.
class TestBureauNavelo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
        qputenv("XDG_RUNTIME_DIR", temporaire.path().toLocal8Bit());
        qputenv("TMPDIR", temporaire.path().toLocal8Bit());
        boitier.définitCode(u"12345678"_s);
        boitier.définitFichierChaînes(QStringLiteral(EXEMPLE_CHAINES));
        QVERIFY(boitier.écoute() != 0);
        ProxyLocal(boitier.port());
    }

    void init() {
        essai = std::make_unique<NaveloEssai>();
        boitier.oublieRequêtes();
        OublieMessages();
    }

    // As media controls drive it: each command presses its key; the status follows the play
    // toggle, a click included, announced at each change. The name comes and goes with the
    // remote, a second remote runs without it; Raise shows the remote, Quit ends it.
    void lecteur() {
        QVERIFY(!NomPris());
        const auto fenêtre = essai->démarre();
        QVERIFY(fenêtre && NomPris());
        QCOMPARE(Playerctl(u"metadata title"_s).second, "Freebox HD (v5)\n");
        QProcess suivi;
        suivi.start(u"playerctl"_s, {u"-p"_s, u"navelo"_s, u"--follow"_s, u"status"_s});
        QByteArray états;
        QTRY_VERIFY((états += suivi.readAllStandardOutput()) == "Paused\n");
        // Pause toggles as well: the box's own state is not known.
        const QStringList commandes{u"play-pause"_s,  u"pause"_s, u"next"_s,
                                    u"previous"_s,    u"stop"_s,  u"position 10+"_s,
                                    u"position 10-"_s};
        for (const QString& commande : commandes) {
            QCOMPARE(Playerctl(commande).first, 0);
            QTRY_COMPARE(boitier.requêtes().size(), commandes.indexOf(commande) + 1);
        }
        auto* lecture = fenêtre->findChild<QWidget*>(u"imgToucheV5[42]"_s);
        QVERIFY(lecture);
        QTest::mouseClick(lecture, Qt::LeftButton);
        QTRY_COMPARE(Envoyés(), (QStringList{u"play"_s, u"pause"_s, u"prgm_inc"_s, u"prgm_dec"_s,
                                             u"stop"_s, u"fwd"_s, u"bwd"_s, u"play"_s}));
        QTRY_COMPARE(états += suivi.readAllStandardOutput(), "Paused\nPlaying\nPaused\nPlaying\n");
        suivi.kill();
        suivi.waitForFinished();

        NaveloEssai autre;
        const auto seconde = autre.démarre();
        QVERIFY(seconde);
        seconde->close();
        QVERIFY(NomPris());
        fenêtre->hide();
        QCOMPARE(Appelle(u"org.mpris.MediaPlayer2.Raise"_s), 0);
        QTRY_VERIFY(fenêtre->isVisible());
        QSignalSpy fin(fenêtre.get(), &frmNavelo::programEnded);
        QCOMPARE(Appelle(u"org.mpris.MediaPlayer2.Quit"_s), 0);
        QTRY_COMPARE(fin.size(), 1);
        QVERIFY(!NomPris());
    }

    void cle_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("réglages"); // null: no settings file, through the open remote
        QTest::addColumn<QStringList>("envoyés");
        QTest::addColumn<int>("sortie");
        QTest::addColumn<bool>("injoignable");
        const auto ligne = [](const char* nom, const char16_t* arguments, const QString& réglages,
                              const QStringList& envoyés, int sortie, bool injoignable = false) {
            QTest::newRow(nom) << QString::fromUtf16(arguments) << réglages << envoyés << sortie
                               << injoignable;
        };
        // The remote's own play toggle goes on from the command's.
        ligne("through the open remote", u"--key play,vol_inc", {},
              {u"play"_s, u"vol_inc"_s, u"pause"_s}, 0);
        ligne("alone", u"--key mute,play,play", code, {u"mute"_s, u"play"_s, u"pause"_s}, 0);
        ligne("long presses", u"--key 1 --long --key 2", code, {u"1 long"_s, u"2 long"_s}, 0);
        ligne("unknown name", u"--key mute,no_such_key", code, {}, 2);
        ligne("no code", u"--key mute", u""_s, {}, 1);
        ligne("code refused", u"--key mute,1", u"CodeTélécommande=87654321"_s, {u"mute"_s}, 1);
        ligne("box unreachable", u"--key mute", code, {}, 1, true);
    }

    // The program itself, without a display: were it to open a window, it could not start.
    void cle() {
        QFETCH(QString, arguments);
        QFETCH(QString, réglages);
        QFETCH(QStringList, envoyés);
        QFETCH(int, sortie);
        std::unique_ptr<frmNavelo> fenêtre;
        if (réglages.isNull()) {
            essai->nomInstance = NomInstance(u"Navelo"_s, u"WakeUp!"_s);
            fenêtre = essai->démarre();
            QVERIFY(fenêtre);
            fenêtre->hide();
        }
        QTemporaryDir dossier;
        QProcess navelo;
        Variables variables{
            {u"QT_QPA_PLATFORM"_s, {}}, {u"DISPLAY"_s, {}}, {u"WAYLAND_DISPLAY"_s, {}}};
        if (QFETCH(bool, injoignable); injoignable)
            variables.append({u"http_proxy"_s, u"http://127.0.0.1:9"_s});
        Lance(navelo, dossier.path(), réglages, variables, arguments.split(u' '));
        QVERIFY(QTest::qWaitFor([&] { return navelo.state() == QProcess::NotRunning; }, 30000));
        const QByteArray erreurs = navelo.readAllStandardError();
        QVERIFY2(navelo.exitStatus() == QProcess::NormalExit && navelo.exitCode() == sortie,
                 erreurs.constData());
        QCOMPARE(erreurs.count('\n'), sortie == 0 ? 0 : 1);
        if (fenêtre) {
            QVERIFY(!fenêtre->isVisible());
            fenêtre->TraiteTouche(u"play"_s);
        }
        QTRY_COMPARE(Envoyés(), envoyés);
    }

    void accessibilite_data() {
        QTest::addColumn<int>("modèle");
        QTest::addColumn<QString>("objet"); // zone, keyboard character or special key, index
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("longue"); // a long press offered as well, and the one done
        QTest::addColumn<QString>("envoyé");
        QTest::newRow("key, long")
            << 5 << u"zone 26"_s << u"Volume +"_s << true << u"vol_inc long"_s;
        QTest::newRow("model 6 key")
            << 6 << u"zone 24"_s << u"Coupure du son"_s << false << u"mute"_s;
        QTest::newRow("keyboard letter") << 5 << u"caractère 27"_s << u"k"_s << false << u"5 x2"_s;
        QTest::newRow("keyboard arrow, long")
            << 5 << u"spéciale 4"_s << u"Haut"_s << true << u"up long"_s;
    }

    // As a screen reader sees the keys: buttons that it can press.
    void accessibilite() {
        QFETCH(int, modèle);
        QFETCH(QString, objet);
        QFETCH(bool, longue);
        QFETCH(QString, envoyé);
        const auto fenêtre = essai->démarre(u"Version=%1"_s.arg(modèle));
        QVERIFY(fenêtre);
        const int index = objet.section(u' ', 1).toInt();
        QWidget* touche =
            objet.startsWith(u"zone"_s)
                ? fenêtre->findChild<QWidget*>(u"imgToucheV%1[%2]"_s.arg(modèle).arg(index))
            : objet.startsWith(u"caractère"_s) ? fenêtre->Clavier()->btnTouche.value(index)
                                               : fenêtre->Clavier()->btnToucheSpéciale.value(index);
        QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(touche);
        QVERIFY(interface && interface->actionInterface());
        QCOMPARE(interface->role(), QAccessible::Button);
        QTEST(interface->text(QAccessible::Name), "nom");
        const QStringList actions =
            longue ? QStringList{appui, u"Appui long"_s} : QStringList{appui};
        QCOMPARE(interface->actionInterface()->actionNames(), actions);
        interface->actionInterface()->doAction(actions.last());
        QTRY_COMPARE(Envoyés(), QStringList{envoyé});
    }

    // The program itself ends cleanly, writing its settings, at a signal or when its X server
    // goes away (Qt then calls exit()), even while a mute box holds up its start-up.
    void signaux_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("boîtierMuet");
        QTest::newRow("SIGTERM") << SIGTERM << false;
        QTest::newRow("X server gone") << 0 << false;
        QTest::newRow("SIGTERM during the channel list's fetch") << SIGTERM << true;
    }

    void signaux() {
        QFETCH(int, signal);
        QFETCH(bool, boîtierMuet);
        QVERIFY(QFile::remove(essai->dossier.filePath(u"channels"_s)));
        ServeurScripté muet({{}, 0, true});
        QProcess serveur;
        // With its media player on the session bus, which exit() tears down under it.
        Variables variables{{u"QT_QPA_PLATFORM"_s, u"offscreen"_s}};
        if (signal == 0) {
            const QString xvfb = QStandardPaths::findExecutable(u"Xvfb"_s);
            if (xvfb.isEmpty())
                QSKIP("Xvfb is not installed");
            serveur.start(xvfb, {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s,
                                 u"0"_s, u"800x800x24"_s});
            QTRY_VERIFY_WITH_TIMEOUT(serveur.canReadLine(), 10000);
            variables.first() = {u"QT_QPA_PLATFORM"_s, u"xcb"_s};
            variables.append(
                {u"DISPLAY"_s, u":"_s + QString::fromLatin1(serveur.readLine().trimmed())});
        }
        if (boîtierMuet)
            variables.append({u"http_proxy"_s, muet.url()});
        QProcess navelo;
        Lance(navelo, essai->dossier.path(), code, variables);
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
        serveur.waitForFinished();
        QCOMPARE(navelo.exitStatus(), QProcess::NormalExit);
        // Model 5 at 100 % (168 x 600) centred on the offscreen screen (800 x 800).
        QVERIFY(essai->litIni().startsWith(u"[Config]\r\n"_s + code +
                                           u"FenêtreGauche=4740\r\nFenêtreHaut=1500\r\n"_s));
    }

    // During the first start, the dialog and a message over it are cancelled; nothing written.
    void finPendantLePremierDemarrage() {
        auto fenêtre = essai->crée();
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
        QVERIFY(!QFile::exists(essai->ini()));
    }

    // Once running: as Quit, once, never a restart, closing the message shown at Quit.
    void finApresLeDemarrage_data() {
        QTest::addColumn<bool>("message");
        QTest::newRow("none") << false;
        QTest::newRow("message at Quit") << true;
    }

    void finApresLeDemarrage() {
        QFETCH(bool, message);
        auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        QSignalSpy fin(fenêtre.get(), &frmNavelo::programEnded);
        fenêtre->Paramètres().RedémarrageNécessaire = true;
        bool fermé = !message;
        if (message) {
            QuandOuvert([&](QWidget* ouvert) {
                fenêtre->Termine();
                fermé = !ouvert->isVisible();
                ouvert->close();
            });
            rendIniInaccessible(*fenêtre);
            fenêtre->close();
        } else {
            fenêtre->Termine();
            fenêtre->Termine();
        }
        QVERIFY(fermé);
        QCOMPARE(fin.size(), 1);
        QVERIFY(essai->lancés.isEmpty());
    }

    // Settings that cannot be written are said once, at the OK; the end says nothing more.
    void ecritureImpossible() {
        auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        rendIniInaccessible(*fenêtre);
        RéponsesSuivantes({QMessageBox::Ok, QMessageBox::Ok});
        for (int i = 0; i < 2; ++i) {
            QuandOuvert<frmConfiguration>(
                [](frmConfiguration* dialogue) { dialogue->btnOK->click(); });
            fenêtre->Configure(true);
        }
        fenêtre->close();
        QCOMPARE(MessagesAffichés().size(), 1);
        QCOMPARE(
            std::pair(MessagesAffichés().constFirst().titre, MessagesAffichés().constFirst().icône),
            std::pair(u"Attention"_s, QMessageBox::Warning));
    }

private:
    // What the box received, "long" after a long press and the count of a repeat.
    QStringList Envoyés() const {
        QStringList envoyés;
        for (const RequeteRecue& requête : boitier.requêtes()) {
            envoyés.append(
                requête.touche + (requête.longue ? u" long"_s : QString()) +
                (requête.répétition > 1 ? u" x%1"_s.arg(requête.répétition) : QString()));
        }
        return envoyés;
    }

    // Settings under a file where a folder should be: they cannot be written.
    void rendIniInaccessible(frmNavelo& fenêtre) {
        QVERIFY(ÉcritConfig(essai->dossier.filePath(u"fichier"_s), {}));
        fenêtre.Paramètres().FichierIni = essai->dossier.filePath(u"fichier/Navelo.ini"_s);
    }

    BoitierSimule boitier;
    QTemporaryDir temporaire;
    std::unique_ptr<NaveloEssai> essai;
};

QTEST_MAIN(TestBureauNavelo)
#include "tst_bureau_navelo.moc"
