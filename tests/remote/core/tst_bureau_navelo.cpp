#include "boitier_simule.h"
#include "core/frmNavelo.h"
#include "guide/bouton_touche.h"
#include "guide/frmClavier.h"
#include "navelo_essai.h"
#include "proxy_local.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString service = u"org.mpris.MediaPlayer2.navelo"_s;
const QString appui = QAccessibleActionInterface::pressAction();

struct Fin {
    int code = -1;
    QByteArray sortie;
    QByteArray erreurs;
};

// A program run to its end while this one's event loop runs, so that the box and the player
// here can answer it.
Fin Exécute(const QString& programme, const QStringList& arguments,
            const QProcessEnvironment& environnement = QProcessEnvironment::systemEnvironment()) {
    QProcess processus;
    processus.setProcessEnvironment(environnement);
    processus.start(programme, arguments);
    if (!QTest::qWaitFor([&] { return processus.state() == QProcess::NotRunning; }, 30000)) {
        processus.kill();
        processus.waitForFinished();
    }
    return {processus.exitStatus() == QProcess::NormalExit ? processus.exitCode() : -1,
            processus.readAllStandardOutput(), processus.readAllStandardError()};
}

Fin Playerctl(const QStringList& arguments) {
    return Exécute(u"playerctl"_s, QStringList{u"-p"_s, u"navelo"_s} + arguments);
}

// A call to the player as any D-Bus client makes it.
Fin Appelle(const QString& méthode) {
    return Exécute(u"dbus-send"_s, {u"--session"_s, u"--print-reply"_s, u"--dest="_s + service,
                                    u"/org/mpris/MediaPlayer2"_s, méthode});
}

bool NomPris() {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(service).value();
}

} // namespace

// Navelo among the desktop's programs: the media player its controls drive (on this test's own
// session bus), `Navelo --key` from a shortcut, and assistive technology.
class TestBureauNavelo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
        qputenv("XDG_RUNTIME_DIR", temporaire.path().toLocal8Bit());
        qputenv("TMPDIR", temporaire.path().toLocal8Bit());
        boitier.définitCode(u"12345678"_s);
        QVERIFY(boitier.écoute() != 0);
        ProxyLocal(boitier.port());
    }

    void init() {
        essai = std::make_unique<NaveloEssai>();
        boitier.oublieRequêtes();
    }

    // As the desktop's media controls drive it (playerctl here): each command presses its
    // key; the status follows the play key's toggle, a click on the remote included, and
    // each change is announced to the clients that follow it.
    void lecteur() {
        const auto fenêtre = essai->démarre();
        QVERIFY(fenêtre);
        QCOMPARE(Exécute(u"playerctl"_s, {u"-l"_s}).sortie, "navelo\n");
        QCOMPARE(Playerctl({u"metadata"_s, u"title"_s}).sortie, "Freebox HD (v5)\n");
        QProcess suivi;
        suivi.start(u"playerctl"_s, {u"-p"_s, u"navelo"_s, u"--follow"_s, u"status"_s});
        QByteArray états;
        QTRY_VERIFY((états += suivi.readAllStandardOutput()) == "Paused\n");
        // Pause toggles as well: the box's own state is not known.
        const QStringList commandes{u"play-pause"_s,  u"pause"_s, u"next"_s,
                                    u"previous"_s,    u"stop"_s,  u"position 10+"_s,
                                    u"position 10-"_s};
        for (const QString& commande : commandes) {
            QCOMPARE(Playerctl(commande.split(u' ')).code, 0);
            QTRY_COMPARE(boitier.requêtes().size(), commandes.indexOf(commande) + 1);
        }
        QTest::mouseClick(fenêtre->findChild<QWidget*>(u"imgToucheV5[42]"_s), Qt::LeftButton);
        QTRY_COMPARE(Envoyés(), (QStringList{u"play"_s, u"pause"_s, u"prgm_inc"_s, u"prgm_dec"_s,
                                             u"stop"_s, u"fwd"_s, u"bwd"_s, u"play"_s}));
        QTRY_COMPARE(états += suivi.readAllStandardOutput(), "Paused\nPlaying\nPaused\nPlaying\n");
        suivi.kill();
        suivi.waitForFinished();
    }

    // The name comes and goes with the remote; a second remote runs without it. Raise shows
    // the remote, Quit ends it as the menu does.
    void nom() {
        QVERIFY(!NomPris());
        const auto première = essai->démarre();
        QVERIFY(première && NomPris());
        NaveloEssai autre;
        const auto seconde = autre.démarre();
        QVERIFY(seconde);
        seconde->close();
        QVERIFY(NomPris());
        première->hide();
        QCOMPARE(Appelle(u"org.mpris.MediaPlayer2.Raise"_s).code, 0);
        QTRY_VERIFY(première->isVisible());
        QSignalSpy fin(première.get(), &frmNavelo::programEnded);
        QCOMPARE(Appelle(u"org.mpris.MediaPlayer2.Quit"_s).code, 0);
        QTRY_COMPARE(fin.size(), 1);
        QVERIFY(!NomPris());
    }

    void cle_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("réglages"); // null: no settings file
        QTest::addColumn<bool>("télécommande");
        QTest::addColumn<bool>("injoignable");
        QTest::addColumn<QStringList>("envoyés");
        QTest::addColumn<int>("code");
        const QString code = u"CodeTélécommande=12345678"_s;
        const auto ligne = [](const char* nom, const QStringList& arguments,
                              const QString& réglages, const QStringList& envoyés, int sortie,
                              bool télécommande = false, bool injoignable = false) {
            QTest::newRow(nom) << arguments << réglages << télécommande << injoignable << envoyés
                               << sortie;
        };
        // The remote's own play toggle goes on from the command's.
        ligne("through the open remote", {u"--key"_s, u"play,vol_inc"_s}, {},
              {u"play"_s, u"vol_inc"_s, u"pause"_s}, 0, true);
        ligne("alone", {u"--key"_s, u"mute,play,play"_s}, code, {u"mute"_s, u"play"_s, u"pause"_s},
              0);
        ligne("long presses", {u"--key"_s, u"1"_s, u"--long"_s, u"--key"_s, u"2"_s}, code,
              {u"1 long"_s, u"2 long"_s}, 0);
        ligne("unknown name", {u"--key"_s, u"mute,no_such_key"_s}, code, {}, 2);
        ligne("no code", {u"--key"_s, u"mute"_s}, u""_s, {}, 1);
        ligne("code refused", {u"--key"_s, u"mute,1"_s}, u"CodeTélécommande=87654321"_s,
              {u"mute"_s}, 1);
        ligne("box unreachable", {u"--key"_s, u"mute"_s}, code, {}, 1, false, true);
    }

    // The program itself, without a display: were it to open a window, it could not start.
    void cle() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, réglages);
        QFETCH(bool, télécommande);
        QFETCH(bool, injoignable);
        QFETCH(QStringList, envoyés);
        QFETCH(int, code);
        std::unique_ptr<frmNavelo> fenêtre;
        if (télécommande) {
            essai->nomInstance = NomInstance(u"Navelo"_s, u"WakeUp!"_s);
            fenêtre = essai->démarre();
            QVERIFY(fenêtre);
            fenêtre->hide();
        }
        QTemporaryDir dossier;
        const QString programme = dossier.filePath(u"Navelo"_s);
        QVERIFY(QFile::copy(QStringLiteral(PROGRAMME_NAVELO), programme));
        if (!réglages.isNull())
            QVERIFY(ÉcritConfig(dossier.filePath(u"Navelo.ini"_s), réglages));
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        for (const QString& nom : {u"QT_QPA_PLATFORM"_s, u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s})
            environnement.remove(nom);
        if (injoignable)
            environnement.insert(u"http_proxy"_s, u"http://127.0.0.1:9"_s);

        const Fin fin = Exécute(programme, arguments, environnement);
        QVERIFY2(fin.code == code, fin.erreurs.constData());
        QCOMPARE(fin.erreurs.count('\n'), code == 0 ? 0 : 1);
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
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("envoyé");
        const QStringList deux{appui, u"Appui long"_s};
        QTest::newRow("key") << 5 << u"zone 26"_s << u"Volume +"_s << deux << appui << u"vol_inc"_s;
        QTest::newRow("key, long")
            << 5 << u"zone 26"_s << u"Volume +"_s << deux << u"Appui long"_s << u"vol_inc long"_s;
        QTest::newRow("model 6 key")
            << 6 << u"zone 24"_s << u"Coupure du son"_s << QStringList{appui} << appui << u"mute"_s;
        QTest::newRow("keyboard letter")
            << 5 << u"caractère 27"_s << u"k"_s << QStringList{appui} << appui << u"5 x2"_s;
        QTest::newRow("keyboard arrow, long")
            << 5 << u"spéciale 4"_s << u"Haut"_s << deux << u"Appui long"_s << u"up long"_s;
    }

    // As a screen reader sees the keys: buttons that it can press.
    void accessibilite() {
        QFETCH(int, modèle);
        QFETCH(QString, objet);
        QFETCH(QString, action);
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
        QTEST(interface->actionInterface()->actionNames(), "actions");
        interface->actionInterface()->doAction(action);
        QTRY_COMPARE(Envoyés(), QStringList{envoyé});
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

    BoitierSimule boitier;
    QTemporaryDir temporaire;
    std::unique_ptr<NaveloEssai> essai;
};

QTEST_MAIN(TestBureauNavelo)
#include "tst_bureau_navelo.moc"
