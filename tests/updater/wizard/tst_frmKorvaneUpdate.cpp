#include "assistant_test.h"
#include "settings/frmConfiguration.h"
#include "translation/traductions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QProcess>

#include <csignal>

namespace {

// A wizard whose first step fails, as a step's work may.
class AssistantEnPanne : public frmKorvaneUpdate {
public:
    using frmKorvaneUpdate::frmKorvaneUpdate;
    void ÉtapeIntroduction() override { throw ErreurRenovo::FichierIntrouvable(); }
};

} // namespace

// The wizard window: its start-up and exit, controls, buttons and links.
class TestFrmKorvaneUpdate : public QObject, BancAssistant {
    Q_OBJECT

    // "Name:a|b": Name.lng with those lines, btnQuitter and COL_NOM as Name; "Name:!" unreadable.
    void ÉcritLangue(const QString& entrée) {
        const QString nom = entrée.section(u':', 0, 0), lignes = entrée.section(u':', 1);
        if (lignes == u"!")
            QVERIFY(QFile::link(u"/proc/sys/vm/drop_caches"_s, Chemin(nom + u".lng"_s)));
        else
            Écrit(nom + u".lng"_s, u"[Traduction]\r\n%1\r\nbtnQuitter=%2\r\nCOL_NOM=%2\r\n"_s.arg(
                                       QString(lignes).replace(u'|', u"\r\n"_s), nom));
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(Démarre()); }
    void init() { Prépare(); }

    // A failed start writes nothing. A first start picks the system's language, else French after
    // a notice; a language whose file has gone or cannot be read runs in French, name kept.
    void demarrage_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<int>("code"); // of the system's language; -1: the locale's, German
        QTest::addColumn<QStringList>("fichiers");
        QTest::addColumn<QString>("langue");    // empty: the start fails
        QTest::addColumn<QString>("interface"); // the language file used; empty: none
        QTest::addColumn<QString>("message");
        const QStringList anglais{u"English:CodeLangue=9"_s};
        QTest::newRow("aucun logiciel")
            << u"-"_s << 12 << anglais << QString() << QString()
            << u"Aucun logiciel Korvane n'est installé sur ce poste...\n\nL'outil va être fermé."_s;
        QTest::newRow("réglage illisible")
            << u"[Config]\r\nLangue=Français\r\nProxyType=abc\r\n"_s << 12 << anglais << QString()
            << QString()
            << u"Une erreur (13) est survenue lors de l'initialisation de l'application :\n\n"
               u"Incompatibilité de type\n\nVeuillez contacter l'auteur du logiciel si le "
               u"problème persiste..."_s;
        QTest::newRow("même code")
            << QString() << 9 << QStringList{u"Anglais:CodeLangue=9"_s, anglais[0]} << u"Anglais"_s
            << u"Anglais"_s << QString();
        QTest::newRow("allemand") << QString() << -1
                                  << QStringList{anglais[0], u"Deutsch:CodeLangue=7"_s}
                                  << u"Deutsch"_s << u"Deutsch"_s << QString();
        QTest::newRow("langue sans numéro")
            << QString() << 0 << QStringList{u"Esperanto:"_s} << u"Français"_s << QString()
            << u"First, thank you for having installed Renovo.\n\n"_s;
        QTest::newRow("fichier illisible")
            << u"[Config]\r\nLangue=English\r\n"_s << 9 << QStringList{u"English:!"_s}
            << u"English"_s << QString() << QString();
        QTest::newRow("traduction incomplète")
            << u"[Config]\r\nLangue=english\r\n"_s << 12
            << QStringList{u"English:TraductionIncomplète=À finir§merci"_s} << u"english"_s
            << u"English"_s << u"À finir\nmerci"_s;
    }
    void demarrage() {
        QFETCH(QString, ini);
        QFETCH(int, code);
        QFETCH(QStringList, fichiers);
        QFETCH(QString, langue);
        QFETCH(QString, interface);
        QFETCH(QString, message);
        if (ini == u"-")
            QVERIFY(QFile::remove(Chemin(u"donnees/korvane/uninstall/Navelo.ini"_s)));
        else if (!ini.isEmpty())
            Écrit(u"Renovo.ini"_s, ini);
        for (const QString& fichier : fichiers)
            ÉcritLangue(fichier);
        OptionsRenovo options = Options();
        options.codeLangueSystème = CodeLangueSystème;
        if (code >= 0)
            options.codeLangueSystème = [code] { return qint16(code); };
        RéponsesSuivantes({QMessageBox::Ok});
        QCOMPARE(Ouvre(std::move(options)), !langue.isEmpty());
        QCOMPARE(MessagesAffichés().size(), message.isEmpty() ? 0 : 1);
        QVERIFY(message.isEmpty() || MessagesAffichés().at(0).texte.startsWith(message));
        if (langue.isEmpty())
            QCOMPARE(MessagesAffichés().at(0).icône,
                     ini == u"-" ? QMessageBox::Warning : QMessageBox::Critical);
        f->close();
        if (langue.isEmpty())
            QCOMPARE(Lit(u"Renovo.ini"_s), ini == u"-" ? QString() : ini);
        else
            QVERIFY(Lit(u"Renovo.ini"_s).contains(u"Langue=%1\r\n"_s.arg(langue)));
        QCOMPARE(f->btnQuitter->text(), interface.isEmpty() ? u"&Quitter"_s : interface);
        QCOMPARE(f->lvwLogicielsInstallés->headerItem()->text(0),
                 interface.isEmpty() ? u"Nom"_s : interface);
    }

    // An installed program's older file moves to the user's folder, its language kept.
    void ancienFichierDeplace() {
        QVERIFY(QDir().mkpath(Chemin(u"share/renovo"_s)));
        Écrit(u"bin/Renovo.ini"_s, u"[Config]\r\nLangue=English\r\n"_s);
        OptionsRenovo options = Options();
        options.dossierProgramme = Chemin(u"bin"_s);
        RéponsesSuivantes({QMessageBox::Ok});
        QVERIFY(Ouvre(std::move(options)));
        f->btnQuitter->click();
        QVERIFY(MessagesAffichés().isEmpty() && !QFile::exists(Chemin(u"bin/Renovo.ini"_s)));
        QVERIFY(Lit(u"utilisateur/Renovo.ini"_s).startsWith(u"[Config]\r\nLangue=English\r\n"_s));
        QCOMPARE(QFile::permissions(Chemin(u"utilisateur/Renovo.ini"_s)) & 0x0077, 0);
    }

    // A second start ends at once, bringing the first up unless it is a logon check.
    void uneSeuleInstance() {
        OptionsRenovo options = Options();
        options.nomInstance = u"renovo-essai-%1"_s.arg(QCoreApplication::applicationPid());
        QVERIFY(Ouvre(options));
        f->showMinimized();
        for (const QString& argument : {u"/startup"_s, QString()}) {
            options.arguments = argument.isEmpty() ? QStringList() : QStringList{argument};
            frmKorvaneUpdate second(options);
            QVERIFY(!second.Form_Load());
            QCOMPARE(f->isMinimized(), !argument.isEmpty());
        }
    }

    // SIGTERM while a start's message waits ends the process, writing nothing.
    void finParSignal() {
        const QString programme = Chemin(u"Renovo"_s);
        QVERIFY(QFile::copy(QStringLiteral(PROGRAMME_RENOVO), programme));
        // No program installed there; the folder is the owner's only, as a runtime folder is.
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        for (const char* nom : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_RUNTIME_DIR"})
            environnement.insert(QString::fromLatin1(nom), dossier->path());
        QProcess renovo;
        renovo.setProcessEnvironment(environnement);
        renovo.start(programme, {});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(Chemin(u"Renovo.WakeUp!"_s)), 15000);
        QCOMPARE(renovo.state(), QProcess::Running);
        ::kill(static_cast<pid_t>(renovo.processId()), SIGTERM);
        QVERIFY(renovo.waitForFinished(15000));
        QCOMPARE(renovo.exitStatus(), QProcess::NormalExit);
        QVERIFY(!QFile::exists(Chemin(u"Renovo.ini"_s)));
    }

    // Cancel changes nothing; a folder chosen is the download folder.
    void choixDuDossier() {
        QVERIFY(Ouvre(Options()));
        const QString choisi = Chemin(u"utilisateur"_s);
        QVERIFY(QDir().mkpath(choisi));
        for (const bool annule : {true, false}) {
            QuandOuvert<QDialog>([&](QDialog* dialogue) {
                auto* navigateur = dialogue->findChild<QFileDialog*>();
                QVERIFY(navigateur);
                navigateur->setDirectory(choisi);
                annule ? navigateur->reject() : static_cast<QDialog*>(navigateur)->accept();
            });
            f->txtRépertoire->setText(dossier->path());
            f->btnRépertoireParcourir_Click();
            QCOMPARE(f->Paramètres().RépertoireTéléchargement, annule ? dossier->path() : choisi);
        }
    }

    // Quit writes the folder, and on a first start every setting (Windows-1252, password
    // scrambled, owner only).
    void introductionEtSortie() {
        QVERIFY(Ouvre(Options()));
        f->txtRépertoire->setText(u"/tmp/é"_s);
        f->Paramètres().ProxyPassword = u"pé"_s;
        f->Paramètres().RechercherMaJOuvertureSession = true;
        f->btnQuitter->click();
        QVERIFY(MessagesAffichés().isEmpty());
        QCOMPARE(
            LitFichier(Chemin(u"Renovo.ini"_s)),
            "[Config]\r\nLangue=Fran\xE7"
            "ais\r\nRechercherMaJOuvertureSession=-1\r\nRechercherMaJFr\xE9quence=1\r\n"
            "ProxyType=1\r\nProxyAdresse=\r\nProxyPort=\r\nProxyLogin=\r\nProxyPassword=F961\r\n"
            "ProxySiErreurTesterAussiAcc\xE8sDirect=0\r\nR\xE9pertoireT\xE9l\xE9"
            "chargement=/tmp/\xE9\r\n");
        QCOMPARE(QFile::permissions(Chemin(u"Renovo.ini"_s)) & 0x0077, 0);

        // Once chosen, only the folder is written; the password reads back.
        const QString ini = u"[Config]\r\nLangue=Français\r\nProxyPassword=F961\r\n"_s;
        Écrit(u"Renovo.ini"_s, ini);
        QVERIFY(Ouvre(Options()));
        QCOMPARE(f->Paramètres().ProxyPassword, u"pé"_s);
        f->txtRépertoire->setText(u"/tmp"_s);
        f->close();
        QCOMPARE(Lit(u"Renovo.ini"_s), ini + u"RépertoireTéléchargement=/tmp\r\n"_s);
    }

    // A step's error is shown, and at the first step leaves the wizard there, usable.
    void cheminDErreur() {
        RéponsesSuivantes({QMessageBox::Ok, QMessageBox::Ok});
        f = std::make_unique<AssistantEnPanne>(Options());
        QVERIFY(f->Form_Load());
        f->AfficheEtape();
        QVERIFY(f->Etape == 0 && f->btnQuitter->isEnabled() && MessagesAffichés().size() == 2);
    }

    // While an installer runs, a close waits for its end, says so once, and starts no other
    // installer; the grey delete box keeps the file.
    void fermetureAttendLInstallateur() {
        QVERIFY(Ouvre(Options()));
        const QDir téléchargés(Chemin(u"télé chargés"_s));
        f->Paramètres().RépertoireTéléchargement = téléchargés.path();
        for (const auto& [nom, tag, fichier] :
             {std::tuple{u"Navelo"_s, u"TOK|v1.1|110"_s, u"Navelo110_setup.exe"_s},
              {u"Outil"_s, u"TOK|v2|2"_s, u"Outil2_setup.exe"_s}}) {
            auto* élément = new QTreeWidgetItem(f->lvwLogicielsInstallés, {nom, u"v1.0"_s});
            DéfinitTagÉlément(élément, tag);
            DéfinitInstallateurÉlément(élément, {téléchargés.filePath(fichier), {}, {}});
            QVERIFY(ÉcritFichier(téléchargés.filePath(fichier),
                                 "#!/bin/sh\ntouch parti\ni=0\nwhile [ ! -e signal ] && [ $i -lt "
                                 "200 ]; do i=$((i+1)); sleep 0.05; done\n"));
        }
        f->Etape = 4;
        f->chkSupprimerFichiersAprèsInstallation->setCheckState(Qt::PartiallyChecked);
        QTimer attente;
        connect(&attente, &QTimer::timeout, this, [&] {
            if (!QFile::exists(téléchargés.filePath(u"parti"_s)))
                return;
            attente.stop();
            f->close();
            f->close();
            QVERIFY(!f->Déchargée());
            QFile(téléchargés.filePath(u"signal"_s)).open(QIODevice::WriteOnly);
        });
        attente.start(20);
        f->AfficheEtape();
        QVERIFY(f->Déchargée() && QFile::exists(téléchargés.filePath(u"Navelo110_setup.exe"_s)));
        QCOMPARE(f->lstInstallations->count(), 2);
        QCOMPARE(Ligne(f->lstInstallations, 0), u"Installation de Navelo110_setup.exe... OK"_s);
        QCOMPARE(Ligne(f->lstInstallations, 1),
                 u"L'outil sera fermé dès la fin de l'installation en cours..."_s);
    }

    // Cancel changes nothing; OK with a new language restarts the program after a notice.
    void configurer() {
        Écrit(u"English.lng"_s, QString());
        QVERIFY(Ouvre(Options()));
        RéponsesSuivantes({QMessageBox::Ok});
        for (const bool annule : {true, false}) {
            f->Paramètres().ParamètresModifiés = false;
            QuandOuvert<frmConfiguration>([annule](frmConfiguration* dialogue) {
                dialogue->cboLangue->setCurrentText(u"English"_s);
                (annule ? dialogue->btnAnnuler : dialogue->btnOK)->click();
            });
            f->lblConfigurer_Click();
            QCOMPARE(f->Paramètres().ParamètresModifiés, !annule);
            QCOMPARE(f->Déchargée(), !annule);
        }
        QCOMPARE(MessagesAffichés().size(), 1);
        QCOMPARE(MessagesAffichés().at(0).texte,
                 u"Le changement de langue de l'interface sera pris en compte après "
                 u"redémarrage du logiciel..."_s);
        QCOMPARE(lancés, QStringList{u"/opt/korvane/Renovo"_s});
    }
};

int main(int argc, char* argv[]) {
    // The system's language, for the first start that has no file of it.
    qputenv("LC_ALL", "de_DE.UTF-8");
    QApplication application(argc, argv);
    TestFrmKorvaneUpdate test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frmKorvaneUpdate.moc"
