#include "ansi.h"
#include "boite_message.h"
#include "boitier_simule.h"
#include "core/frmNavelo.h"
#include "dialogs/frmConfiguration.h"
#include "proxy_local.h"

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

using namespace Qt::StringLiterals;

namespace {

// Runs `action` on the configuration dialog once it is open.
void QuandConfigurationOuverte(const std::function<void(frmConfiguration*)>& action) {
    auto* attente = new QTimer;
    attente->setInterval(20);
    QObject::connect(attente, &QTimer::timeout, [attente, action] {
        if (auto* dialogue = qobject_cast<frmConfiguration*>(QApplication::activeModalWidget())) {
            attente->deleteLater();
            attente->stop();
            action(dialogue);
        }
    });
    attente->start();
}

QString LitFichier(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? DepuisAnsi(f.readAll()) : QString();
}

void ÉcritFichier(const QString& chemin, const QString& lignes) {
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(EnAnsi(QString(u"[Config]\r\n"_s + lignes + u"\r\n"_s)));
}

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
        dossier = std::make_unique<QTemporaryDir>();
        OublieMessages();
    }

    // The program itself, from a folder of its own: its settings hold a code, and it fetches
    // the channel list, which tells when its start-up is over.
    void signaux_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void signaux() {
        QFETCH(int, signal);
        QProcess navelo;
        démarre(navelo, {{u"QT_QPA_PLATFORM"_s, u"offscreen"_s}});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dossier->filePath(u"channels"_s)), 15000);
        ::kill(static_cast<pid_t>(navelo.processId()), signal);
        QVERIFY(navelo.waitForFinished(10000));
        QCOMPARE(navelo.exitStatus(), QProcess::NormalExit);
        QCOMPARE(navelo.exitCode(), 0);
        const QString écrit = LitFichier(dossier->filePath(u"Navelo.ini"_s));
        QVERIFY2(
            écrit.startsWith(u"[Config]\r\nCodeTélécommande=12345678\r\n"_s + positionParDéfaut),
            qPrintable(écrit));
        QVERIFY(écrit.contains(u"FenêtreListeChaînesHauteur="_s));
    }

    // Qt ends the process with exit() when the X server goes away.
    void serveurXDisparu() {
        const QString xvfb = QStandardPaths::findExecutable(u"Xvfb"_s);
        if (xvfb.isEmpty())
            QSKIP("Xvfb is not installed");
        QProcess serveur;
        serveur.start(xvfb, {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s,
                             u"0"_s, u"800x800x24"_s});
        const auto arrêt = qScopeGuard([&] {
            serveur.kill();
            serveur.waitForFinished();
        });
        QTRY_VERIFY_WITH_TIMEOUT(serveur.canReadLine(), 10000);
        const QString écran = u":"_s + QString::fromLatin1(serveur.readLine().trimmed());

        QProcess navelo;
        démarre(navelo, {{u"QT_QPA_PLATFORM"_s, u"xcb"_s}, {u"DISPLAY"_s, écran}});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dossier->filePath(u"channels"_s)), 15000);
        serveur.terminate();
        QVERIFY(navelo.waitForFinished(10000));
        QVERIFY(LitFichier(dossier->filePath(u"Navelo.ini"_s)).contains(positionParDéfaut));
    }

    // The code of a first start reaches the file at OK, even when the user then gives up at the
    // channel list warning.
    void codeEcritAuOK() {
        qputenv("http_proxy", "http://127.0.0.1:9");
        const auto proxy = qScopeGuard([this] { ProxyLocal(boitier.port()); });
        RéponsesSuivantes({QMessageBox::No});
        auto fenêtre = crée();
        QuandConfigurationOuverte([](frmConfiguration* dialogue) {
            dialogue->txtCodeTélécommande->setText(u"87654321"_s);
            dialogue->btnOK->click();
        });
        QVERIFY(!fenêtre->Form_Load());
        QCOMPARE(MessagesAffichés().size(), 1);
        QVERIFY(litIni().contains(u"CodeTélécommande=87654321\r\n"_s));
    }

    // During the start-up the open dialog is cancelled: no code, nothing written.
    void finPendantLePremierDemarrage() {
        auto fenêtre = crée();
        QuandConfigurationOuverte([&](frmConfiguration* dialogue) {
            dialogue->txtCodeTélécommande->setText(u"87654321"_s);
            fenêtre->Termine();
        });
        QVERIFY(!fenêtre->Form_Load());
        QVERIFY(!QFile::exists(dossier->filePath(u"Navelo.ini"_s)));
    }

    // Once running: as Quit, once, and never a restart even when one was due.
    void finApresLeDemarrage() {
        ÉcritFichier(dossier->filePath(u"Navelo.ini"_s), u"CodeTélécommande=12345678"_s);
        QFile::copy(QStringLiteral(EXEMPLE_CHAINES), dossier->filePath(u"channels"_s));
        auto fenêtre = crée();
        QVERIFY(fenêtre->Form_Load());
        QSignalSpy fin(fenêtre.get(), &frmNavelo::programEnded);
        fenêtre->move(30, 60);
        fenêtre->Paramètres().RedémarrageNécessaire = true;
        fenêtre->Termine();
        fenêtre->Termine();
        QCOMPARE(fin.size(), 1);
        QVERIFY(!fenêtre->isVisible());
        QVERIFY(litIni().contains(u"FenêtreGauche=450\r\nFenêtreHaut=900\r\n"_s));
        QVERIFY(lancés.isEmpty());
    }

private:
    QString litIni() const { return LitFichier(dossier->filePath(u"Navelo.ini"_s)); }

    std::unique_ptr<frmNavelo> crée() {
        OptionsNavelo options;
        options.dossierParamètres = dossier->path();
        options.nomInstance = u"navelo-fin-%1"_s.arg(++numéro);
        options.lanceur = [this](const QString& programme, const QStringList&, ModeAffichage) {
            lancés.append(programme);
            return true;
        };
        return std::make_unique<frmNavelo>(options);
    }

    void démarre(QProcess& navelo, const QList<std::pair<QString, QString>>& variables) {
        const QString programme = dossier->filePath(u"Navelo"_s);
        QVERIFY(QFile::copy(QStringLiteral(PROGRAMME_NAVELO), programme));
        ÉcritFichier(dossier->filePath(u"Navelo.ini"_s), u"CodeTélécommande=12345678"_s);
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        for (const auto& [nom, valeur] : variables)
            environnement.insert(nom, valeur);
        navelo.setProcessEnvironment(environnement);
        navelo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        navelo.start(programme, {});
        QVERIFY(navelo.waitForStarted());
    }

    BoitierSimule boitier;
    QTemporaryDir temporaire;
    std::unique_ptr<QTemporaryDir> dossier;
    QStringList lancés;
    int numéro = 0;
};

QTEST_MAIN(TestFinNavelo)
#include "tst_fin_navelo.moc"
