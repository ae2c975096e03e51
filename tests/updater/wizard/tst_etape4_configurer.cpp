#include "boite_message.h"
#include "settings/frmConfiguration.h"
#include "wizard/frmKorvaneUpdate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

class TestEtape4Configurer : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;
    std::unique_ptr<frmKorvaneUpdate> fenêtre;
    QStringList lancés;
    bool réduite = false; // the window was minimised at some point
    void Ajoute(const QString& nom, const QString& tag) {
        auto* élément = new QTreeWidgetItem(fenêtre->lvwLogicielsInstallés, {nom, u"v1.0"_s});
        DéfinitTagÉlément(élément, tag);
    }

    bool eventFilter(QObject*, QEvent* évènement) override {
        if (évènement->type() == QEvent::WindowStateChange && fenêtre->isMinimized())
            réduite = true;
        return false;
    }

private Q_SLOTS:
    void init() {
        // Navelo is installed, for the user.
        qputenv("XDG_DATA_HOME", QFile::encodeName(dossier.filePath(u"donnees"_s)));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(dossier.filePath(u"systeme"_s)));
        QVERIFY(QDir().mkpath(dossier.filePath(u"donnees/korvane/uninstall"_s)));
        QFile entrée(dossier.filePath(u"donnees/korvane/uninstall/Navelo.ini"_s));
        QVERIFY(entrée.open(QIODevice::WriteOnly));
        entrée.write(
            "[Uninstall]\r\nPublisher=Korvane\r\nDisplayName=Navelo\r\nDisplayVersion=1.0\r\n");
        entrée.close();
        OptionsRenovo options;
        options.dossierProgramme = dossier.path();
        options.dossierUtilisateur = dossier.filePath(u"utilisateur"_s);
        options.codeLangueSystème = [] { return qint16(12); };
        options.lanceur = [this](const QString& programme, const QStringList&, ModeAffichage) {
            lancés << programme;
            return true;
        };
        fenêtre = std::make_unique<frmKorvaneUpdate>(options);
        QVERIFY(fenêtre->Form_Load());
        fenêtre->Paramètres().RépertoireTéléchargement = dossier.filePath(u"télé chargés"_s);
        QVERIFY(QDir().mkpath(fenêtre->Paramètres().RépertoireTéléchargement));
        fenêtre->installEventFilter(this);
        réduite = false;
        fenêtre->Etape = 4;
    }

    // Nothing to run: the window is minimised and restored all the same, and no line added.
    void rienAInstaller() {
        Ajoute(u"Navelo"_s, u"IOK|v1.1|110"_s);
        fenêtre->AfficheEtape();
        QVERIFY(réduite);
        QVERIFY(!fenêtre->isMinimized());
        QCOMPARE(fenêtre->lstInstallations->count(), 0);
    }

    // The installer waits for a file that only a timer of ours creates once it has started:
    // the window's events run meanwhile. A close asked for then waits for its end, and no
    // other installer starts. The wizard stays minimised with its buttons disabled. The grey
    // delete box keeps the file.
    void fermetureAttendLInstallateur() {
        const QDir téléchargés(fenêtre->Paramètres().RépertoireTéléchargement);
        QFile installateur(téléchargés.filePath(u"Navelo110_setup.exe"_s));
        QVERIFY(installateur.open(QIODevice::WriteOnly));
        installateur.write("#!/bin/sh\ntouch parti\ni=0\nwhile [ ! -e signal ] && [ $i -lt 600 ]; "
                           "do i=$((i+1)); sleep 0.05; done\n");
        installateur.close();
        QVERIFY(QFile::copy(installateur.fileName(), téléchargés.filePath(u"Outil2_setup.exe"_s)));
        Ajoute(u"Navelo"_s, u"TOK|v1.1|110"_s);
        Ajoute(u"Outil"_s, u"TOK|v2|2"_s);
        fenêtre->chkSupprimerFichiersAprèsInstallation->setCheckState(Qt::PartiallyChecked);
        bool fin = false;
        connect(fenêtre.get(), &frmKorvaneUpdate::programEnded, this, [&fin] { fin = true; });
        QTimer attente;
        connect(&attente, &QTimer::timeout, this, [&] {
            if (!QFile::exists(téléchargés.filePath(u"parti"_s)))
                return;
            attente.stop();
            QVERIFY(fenêtre->isMinimized());
            QVERIFY(!fenêtre->btnQuitter->isEnabled());
            QCOMPARE(fenêtre->lstInstallations->item(0)->text(),
                     u"Installation de Navelo110_setup.exe... en cours"_s);
            fenêtre->close();
            QVERIFY(!fin);
            QFile(téléchargés.filePath(u"signal"_s)).open(QIODevice::WriteOnly);
        });
        attente.start(20);
        fenêtre->AfficheEtape();
        QVERIFY(fin);
        QCOMPARE(fenêtre->lstInstallations->count(), 1);
        QCOMPARE(fenêtre->lstInstallations->item(0)->text(),
                 u"Installation de Navelo110_setup.exe... OK"_s);
        QCOMPARE(fenêtre->lvwLogicielsInstallés->topLevelItem(0)->text(2), u"v1.1 installée"_s);
        QVERIFY(installateur.exists());
        QVERIFY(!fenêtre->isMinimized());
    }

    // Cancel changes nothing; a valid OK marks the settings changed, and a new language closes
    // the window, which starts the program again.
    void configurer() {
        QFile(dossier.filePath(u"English.lng"_s)).open(QIODevice::WriteOnly);
        fenêtre->Etape = 0;
        fenêtre->AfficheEtape();
        fenêtre->Paramètres().ParamètresModifiés = false; // whatever the start left
        for (const bool annule : {true, false}) {
            QTimer::singleShot(0, this, [this, annule] {
                auto* dialogue = fenêtre->findChild<frmConfiguration*>();
                QVERIFY(dialogue);
                dialogue->cboLangue->setCurrentText(u"English"_s);
                (annule ? dialogue->btnAnnuler : dialogue->btnOK)->click();
            });
            RéponsesSuivantes({QMessageBox::Ok});
            fenêtre->lblConfigurer_Click();
            QCOMPARE(fenêtre->Paramètres().ParamètresModifiés, !annule);
            QCOMPARE(fenêtre->Déchargée(), !annule);
        }
        QCOMPARE(lancés.size(), 1);
    }
};

QTEST_MAIN(TestEtape4Configurer)
#include "tst_etape4_configurer.moc"
