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
    bool panne = false;
    void ÉtapeIntroduction() override {
        if (panne)
            throw ErreurRenovo::FichierIntrouvable();
        frmKorvaneUpdate::ÉtapeIntroduction();
    }
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
        const QString premier = u"First, thank you for having installed Renovo.\n\n"_s;
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
        QTest::newRow("langue sans numéro") << QString() << 0 << QStringList{u"Esperanto:"_s}
                                            << u"Français"_s << QString() << premier;
        QTest::newRow("fichier disparu") << u"[Config]\r\nLangue=Deutsch\r\n"_s << 9
                                         << QStringList() << u"Deutsch"_s << QString() << QString();
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
        QVERIFY(QDir().mkpath(Chemin(u"bin"_s)));
        Écrit(u"bin/Renovo.ini"_s, u"[Config]\r\nLangue=English\r\n"_s);
        Écrit(u"share/renovo/English.lng"_s, u"[Traduction]\r\nbtnQuitter=&Quit\r\n"_s);
        OptionsRenovo options = Options();
        options.dossierProgramme = Chemin(u"bin"_s);
        options.codeLangueSystème = [] { return qint16(7); };
        RéponsesSuivantes({QMessageBox::Ok});
        QVERIFY(Ouvre(std::move(options)));
        QCOMPARE(f->btnQuitter->text(), u"&Quit"_s);
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
            QVERIFY(!second.isVisible());
            QCOMPARE(f->isMinimized(), !argument.isEmpty());
        }
    }

    // SIGTERM while a start's message waits ends the process, writing nothing.
    void finParSignal() {
        const QString programme = Chemin(u"Renovo"_s);
        QVERIFY(QFile::copy(QStringLiteral(PROGRAMME_RENOVO), programme));
        const QString vide = Chemin(u"vide"_s);
        QVERIFY(
            QDir().mkpath(vide) &&
            QFile::setPermissions(vide, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        for (const char* nom : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_RUNTIME_DIR"})
            environnement.insert(QString::fromLatin1(nom), vide);
        QProcess renovo;
        renovo.setProcessEnvironment(environnement);
        renovo.start(programme, {});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(vide + u"/Renovo.WakeUp!"_s), 15000);
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
            QString phrase;
            QuandOuvert<QDialog>([&](QDialog* dialogue) {
                auto* navigateur = dialogue->findChild<QFileDialog*>();
                QVERIFY(navigateur && dialogue->findChild<QLabel*>());
                phrase = dialogue->findChild<QLabel*>()->text();
                navigateur->setDirectory(choisi);
                annule ? navigateur->reject() : static_cast<QDialog*>(navigateur)->accept();
            });
            f->txtRépertoire->setText(dossier->path());
            f->btnRépertoireParcourir_Click();
            QCOMPARE(phrase, u"Veuillez sélectionner le dossier dans lequel le ou les fichiers à "
                             u"télécharger seront enregistrés."_s);
            QCOMPARE(f->Paramètres().RépertoireTéléchargement, annule ? dossier->path() : choisi);
        }
    }

    // Quit writes the folder, and on a first start every setting (Windows-1252, password
    // scrambled, owner only).
    void introductionEtSortie() {
        QVERIFY(Ouvre(Options()));
        QCOMPARE(f->windowTitle(), u"Renovo v1.5.2"_s);
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

    // What Next allows at each step; past the first, Back is allowed and the settings are not.
    void boutons_data() {
        QTest::addColumn<int>("étape");
        QTest::addColumn<QString>("cas"); // at step 2, the folder ("." ours); "réussi": downloaded
        QTest::addColumn<bool>("suivant");
        QTest::newRow("1 décoché") << 1 << QString() << false;
        QTest::newRow("2 dossier") << 2 << u"."_s << true;
        QTest::newRow("2 texte vide") << 2 << u""_s << false;
        QTest::newRow("2 fichier") << 2 << u"fichier"_s << false;
        QTest::newRow("4 téléchargement réussi") << 4 << u"réussi"_s << false;
    }
    void boutons() {
        QFETCH(int, étape);
        QFETCH(QString, cas);
        Écrit(u"fichier"_s, u"x"_s);
        QVERIFY(Ouvre(Options()));
        f->TéléchargementRéussi = cas == u"réussi"_s;
        (new QTreeWidgetItem(f->lvwLogicielsInstallés, {u"Navelo"_s}))
            ->setCheckState(0, Qt::Unchecked);
        if (étape == 2)
            f->txtRépertoire->setText(cas.isEmpty() ? cas : Chemin(cas));
        f->Etape = qint16(étape);
        f->AfficheEtape();
        QTEST(f->btnSuivant->isEnabled(), "suivant");
        QVERIFY(f->btnPrécédent->isEnabled() && !f->lblConfigurer->isEnabled());
        QCOMPARE(f->lblDossierIncorrect->isVisible(), étape == 2 && !f->btnSuivant->isEnabled());
    }

    // A step's error shows its number and goes back one step, never below step 0.
    void cheminDErreur() {
        auto* assistant = new AssistantEnPanne(Options());
        f.reset(assistant);
        QVERIFY(f->Form_Load());
        assistant->panne = true;
        RéponsesSuivantes({QMessageBox::Ok});
        f->AfficheEtape();
        QCOMPARE(f->Etape, 0);
        QCOMPARE(MessagesAffichés().size(), 1);
        QVERIFY(MessagesAffichés().at(0).texte.startsWith(
            u"Une erreur (53) est survenue durant le traitement :\n\n"_s));
        QVERIFY(f->btnQuitter->isEnabled() && !QApplication::overrideCursor());
    }

    // While an installer runs, a close waits for its end, says so once, and starts no other
    // installer; the grey delete box keeps the file.
    void fermetureAttendLInstallateur() {
        QVERIFY(Ouvre(Options()));
        const QDir téléchargés(Chemin(u"télé chargés"_s));
        QVERIFY(téléchargés.mkpath(u"."_s));
        f->Paramètres().RépertoireTéléchargement = téléchargés.path();
        for (const auto& [nom, tag, fichier] :
             {std::tuple{u"Navelo"_s, u"TOK|v1.1|110"_s, u"Navelo110_setup.exe"_s},
              {u"Outil"_s, u"TOK|v2|2"_s, u"Outil2_setup.exe"_s}}) {
            auto* élément = new QTreeWidgetItem(f->lvwLogicielsInstallés, {nom, u"v1.0"_s});
            DéfinitTagÉlément(élément, tag);
            DéfinitInstallateurÉlément(élément, {téléchargés.filePath(fichier), {}, {}});
        }
        f->Etape = 4;
        const QString installateur = téléchargés.filePath(u"Navelo110_setup.exe"_s);
        QVERIFY(ÉcritFichier(installateur, "#!/bin/sh\ntouch parti\ni=0\nwhile [ ! -e signal ] "
                                           "&& [ $i -lt 200 ]; do i=$((i+1)); sleep 0.05; done\n"));
        QVERIFY(QFile::copy(installateur, téléchargés.filePath(u"Outil2_setup.exe"_s)));
        f->chkSupprimerFichiersAprèsInstallation->setCheckState(Qt::PartiallyChecked);
        bool fin = false;
        connect(f.get(), &frmKorvaneUpdate::programEnded, this, [&fin] { fin = true; });
        QTimer attente;
        connect(&attente, &QTimer::timeout, this, [&] {
            if (!QFile::exists(téléchargés.filePath(u"parti"_s)))
                return;
            attente.stop();
            QVERIFY(f->isMinimized() && !f->btnQuitter->isEnabled());
            QCOMPARE(Ligne(f->lstInstallations, 0),
                     u"Installation de Navelo110_setup.exe... en cours"_s);
            f->close();
            f->close();
            QVERIFY(!fin);
            QFile(téléchargés.filePath(u"signal"_s)).open(QIODevice::WriteOnly);
        });
        attente.start(20);
        f->AfficheEtape();
        QVERIFY(fin && QFile::exists(installateur) && !f->isMinimized());
        QCOMPARE(f->lstInstallations->count(), 2);
        QCOMPARE(Ligne(f->lstInstallations, 0), u"Installation de Navelo110_setup.exe... OK"_s);
        QCOMPARE(Ligne(f->lstInstallations, 1),
                 u"L'outil sera fermé dès la fin de l'installation en cours..."_s);
    }

    // OK marks the settings changed; a new language restarts the program after a notice.
    void configurer() {
        Écrit(u"English.lng"_s, QString());
        QVERIFY(Ouvre(Options()));
        for (const auto& [langue, annule] :
             {std::pair{u"Français"_s, false}, {u"English"_s, true}, {u"English"_s, false}}) {
            f->Paramètres().ParamètresModifiés = false;
            QuandOuvert<frmConfiguration>([l = langue, a = annule](frmConfiguration* dialogue) {
                dialogue->cboLangue->setCurrentText(l);
                (a ? dialogue->btnAnnuler : dialogue->btnOK)->click();
            });
            OublieMessages();
            RéponsesSuivantes({QMessageBox::Ok});
            f->lblConfigurer_Click();
            const bool redémarre = langue == u"English" && !annule;
            QCOMPARE(f->Paramètres().ParamètresModifiés, !annule);
            QCOMPARE(f->Déchargée(), redémarre);
            QCOMPARE(MessagesAffichés().value(0).texte,
                     redémarre ? u"Le changement de langue de l'interface sera pris en compte "
                                 u"après redémarrage du logiciel..."_s
                               : QString());
        }
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
