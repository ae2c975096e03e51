#include "../renovo_test.h"
#include "boite_message.h"
#include "minisign.h"
#include "quand_ouvert.h"
#include "serveur_maj.h"
#include "settings/frmConfiguration.h"
#include "translation/traductions.h"
#include "wizard/a_propos_renovo.h"
#include "wizard/dessins_renovo.h"
#include "wizard/elements_logiciels.h"
#include "wizard/frmKorvaneUpdate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>

#include <csignal>

namespace {

// A wizard whose folder step fails, as a step's work may.
class AssistantEnPanne : public frmKorvaneUpdate {
public:
    using frmKorvaneUpdate::frmKorvaneUpdate;
    int panne = -1;
    void ÉtapeIntroduction() override {
        if (panne == 0)
            throw ErreurRenovo::FichierIntrouvable();
        frmKorvaneUpdate::ÉtapeIntroduction();
    }
    void ÉtapeDossier() override {
        if (panne == 2)
            throw ErreurRenovo::CléEnDouble();
    }
};

const QString introduction =
    u"Cet outil a pour rôle de rechercher l'existence de mises à jour des logiciels Korvane "
    u"installés sur cet ordinateur. Le traitement se déroulera en plusieurs étapes :\n"
    u"   - recherche des logiciels installés (en fait, ça c'est déjà fait !)\n"
    u"   - connexion au site de l'auteur pour rapatrier le référentiel des dernières versions\n"
    u"   - affichage de la liste des téléchargements à effectuer\n"
    u"   - sélection du dossier dans lequel les packages à télécharger seront placés\n"
    u"   - téléchargement des packages\n"
    u"   - et pour finir, installation de ceux-ci\n\n"
    u"Selon votre mode de connexion à Internet, il est possible que vous ayez à modifier les "
    u"paramètres par défaut via le lien \"Configurer...\"."_s;

// Name, version, status, check and tag of each program.
QStringList Éléments(const QTreeWidget* liste) {
    QStringList éléments;
    for (int i = 0; i < liste->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* é = liste->topLevelItem(i);
        éléments << QStringList{é->text(0), é->text(1), é->text(2),
                                é->checkState(0) == Qt::Checked ? u"x"_s : QString(), TagÉlément(é)}
                        .join(u';');
    }
    return éléments;
}

const QString enCoursDe = u"Téléchargement de Navelo110_setup.exe... "_s;

} // namespace

class TestFrmKorvaneUpdate : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dossier;
    QStringList lancés;
    ServeurMaj serveur;
    Minisign éditeur;
    std::unique_ptr<frmKorvaneUpdate> f; // the window under test

    bool Ouvre(OptionsRenovo options) {
        f = std::make_unique<frmKorvaneUpdate>(std::move(options));
        return f->Form_Load();
    }

    QString Chemin(const QString& nom) const { return dossier->filePath(nom); }
    void Écrit(const QString& nom, const QString& contenu) {
        QVERIFY(ÉcritFichier(Chemin(nom), EnAnsi(contenu)));
    }
    QString Lit(const QString& nom) const { return LitAnsi(Chemin(nom)); }
    // "Name:lines" gives Name.lng holding the lines (split at "|"), then btnQuitter and COL_NOM
    // translated to its name; "Name:!" a file no one can read.
    void ÉcritLangue(const QString& entrée) {
        const QString nom = entrée.section(u':', 0, 0), lignes = entrée.section(u':', 1);
        if (lignes == u"!")
            QVERIFY(QFile::link(u"/proc/sys/vm/drop_caches"_s, Chemin(nom + u".lng"_s)));
        else
            Écrit(nom + u".lng"_s, u"[Traduction]\r\n%1\r\nbtnQuitter=%2\r\nCOL_NOM=%2\r\n"_s.arg(
                                       QString(lignes).replace(u'|', u"\r\n"_s), nom));
    }
    static void Survole(QWidget* contrôle) {
        QMouseEvent mouvement(QEvent::MouseMove, QPointF(1, 1),
                              contrôle->mapToGlobal(QPointF(1, 1)), Qt::NoButton, Qt::NoButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(contrôle, &mouvement);
    }
    // The user's uninstall entries, none machine-wide, from names and versions.
    void Inscrit(const QStringList& logiciels) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(Chemin(u"donnees"_s)));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(Chemin(u"systeme"_s)));
        QDir().mkpath(Chemin(u"donnees/korvane/uninstall"_s));
        for (qsizetype i = 0; i + 1 < logiciels.size(); i += 2) {
            const QByteArray nom = logiciels[i].toLatin1(), version = logiciels[i + 1].toLatin1();
            ÉcritFichier(Chemin(u"donnees/korvane/uninstall/"_s + logiciels[i] + u".ini"_s),
                         "[Uninstall]\r\nPublisher=Korvane\r\nDisplayName=" + nom + " v" + version +
                             "\r\nDisplayVersion=" + version + "\r\n");
        }
    }

    // A French start on 7 December 2026; restarts are recorded, never made.
    OptionsRenovo Options(const QStringList& arguments = {}) {
        OptionsRenovo options;
        options.dossierProgramme = dossier->path();
        options.dossierUtilisateur = Chemin(u"utilisateur"_s);
        options.arguments = arguments;
        options.codeLangueSystème = [] { return qint16(12); };
        options.horloge = [] { return QDateTime(QDate(2026, 12, 7), QTime(9, 0)); };
        options.programme = u"/opt/korvane/Renovo"_s;
        options.lanceur = [this](const QString& programme, const QStringList&, ModeAffichage) {
            lancés.append(programme);
            return true;
        };
        options.nomInstance.clear();
        return options;
    }

    // Three programs registered and settings pointing at the local server, with a download
    // folder of their own; `ligne` added to them.
    OptionsRenovo OptionsEnLigne(const QStringList& arguments = {}, const QString& ligne = {}) {
        Inscrit({u"Inconnu"_s, u"1.0"_s, u"Navelo"_s, u"1.0.0"_s, u"Prog2"_s, u"1.5"_s});
        QDir(dossier->path()).mkpath(u"téléchargements"_s);
        Écrit(u"Renovo.ini"_s, u"[Config]\r\n%3Langue=Français\r\nAdresseServeur=http://127.0.0.1:"
                               u"%1/file/\r\nRépertoireTéléchargement=%2\r\n"_s.arg(serveur.port())
                                   .arg(Chemin(u"téléchargements"_s), ligne));
        return Options(arguments);
    }

private Q_SLOTS:
    void initTestCase() {
        QCoreApplication::setApplicationName(u"Renovo"_s);
        QCoreApplication::setApplicationVersion(u"1.5.2"_s);
        QVERIFY(serveur.écoute() != 0 && éditeur.crée());
    }

    void init() {
        f.reset();
        dossier = std::make_unique<QTemporaryDir>();
        Inscrit({u"Navelo"_s, u"1.0"_s});
        lancés.clear();
        OublieMessages();
        serveur.options = {};
        serveur.options.catalogue = u"Navelo=1.1.0\nProg2=1.5.0"_s;
        serveur.options.dossierInstallateurs = Chemin(u"serveur"_s);
        serveur.oublieRequêtes();
    }

    // A failed start writes nothing. A first start picks the first file of the system's
    // language, else French after a notice; a language whose file has gone or cannot be read
    // runs in French and keeps its name. A translator's notice shows once the window is up.
    void demarrage_data() {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<int>("code"); // of the system's language; -1: German, by the locale
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
        QTest::newRow("anglais") << QString() << 9 << anglais << u"English"_s << u"English"_s
                                 << QString();
        QTest::newRow("même code")
            << QString() << 9 << QStringList{u"Anglais:CodeLangue=9"_s, anglais[0]} << u"Anglais"_s
            << u"Anglais"_s << QString();
        QTest::newRow("allemand sans fichier")
            << QString() << -1 << anglais << u"Français"_s << QString() << premier;
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

    // An older file beside an installed program is moved to the user's folder before its
    // language is read: no first start, and the language stays.
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

    // One wizard at a time: a user's second start brings the first up, a logon check leaves
    // it alone; both end at once.
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

    // The system's end, while the message of a start with no program waits: the process ends,
    // and the files stay as they were. A second start meanwhile ends at once.
    void finParSignal_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void finParSignal() {
        QFETCH(int, signal);
        const QString programme = Chemin(u"Renovo"_s);
        QVERIFY(QFile::copy(QStringLiteral(PROGRAMME_RENOVO), programme));
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        for (const char* nom : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_RUNTIME_DIR"})
            environnement.insert(QString::fromLatin1(nom), Chemin(u"vide"_s));
        QVERIFY(QDir().mkpath(Chemin(u"vide"_s)));
        QVERIFY(QFile::setPermissions(Chemin(u"vide"_s),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const auto lance = [&](QProcess& renovo) {
            renovo.setProcessEnvironment(environnement);
            renovo.start(programme, {});
            QVERIFY(renovo.waitForStarted());
        };
        QProcess renovo, second;
        lance(renovo);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(Chemin(u"vide/Renovo.WakeUp!"_s)), 15000);
        lance(second);
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(renovo.state(), QProcess::Running);
        ::kill(static_cast<pid_t>(renovo.processId()), signal);
        QVERIFY(renovo.waitForFinished(15000));
        QCOMPARE(renovo.exitStatus(), QProcess::NormalExit);
        QVERIFY(!QFile::exists(Chemin(u"Renovo.ini"_s)));
    }

    // The folder browser holds the sentence under a short title. Cancel changes nothing; a
    // folder chosen is the download folder.
    void choixDuDossier() {
        QVERIFY(Ouvre(Options()));
        const QString choisi = Chemin(u"utilisateur"_s);
        QVERIFY(QDir().mkpath(choisi));
        for (const bool annule : {true, false}) {
            QStringList vu; // title, sentence, start folder
            QuandOuvert<QDialog>([&](QDialog* dialogue) {
                auto* navigateur = dialogue->findChild<QFileDialog*>();
                vu = {dialogue->windowTitle(), dialogue->findChild<QLabel*>()->text(),
                      navigateur->directory().path()};
                navigateur->setDirectory(choisi);
                if (annule)
                    navigateur->reject();
                else
                    static_cast<QDialog*>(navigateur)->accept();
            });
            f->txtRépertoire->setText(dossier->path());
            f->btnRépertoireParcourir_Click();
            QCOMPARE(vu, QStringList({u"Dossier"_s,
                                      u"Veuillez sélectionner le dossier dans lequel le ou les "
                                      u"fichiers à télécharger seront enregistrés."_s,
                                      dossier->path()}));
            QCOMPARE(f->txtRépertoire->text(), annule ? dossier->path() : choisi);
            QCOMPARE(f->Paramètres().RépertoireTéléchargement, f->txtRépertoire->text());
        }
    }

    // A cell too narrow for its text shows it whole in a tooltip; a line of the installations
    // never needs scrolling to show its end.
    void textesCoupes() {
        QVERIFY(Ouvre(Options()));
        const QString longue = u"Installation de "_s + QString(120, u'x') + u"_setup.exe... OK"_s;
        f->lstInstallations->addItems({u"Installation de a_setup.exe... OK"_s, longue});
        (new QTreeWidgetItem(f->lvwLogicielsInstallés, {QString(60, u'N'), u"v1.0"_s}));
        f->picEtape[0]->hide();
        for (const int étape : {1, 4})
            f->picEtape[étape]->show();
        f->lvwLogicielsInstallés->show();
        QTest::qWait(0);
        // No tip first: a tip hides some time after it is asked to.
        const auto bulle = [](QAbstractItemView* vue, const QModelIndex& index) {
            const QPoint centre = vue->visualRect(index).center();
            QHelpEvent aide(QEvent::ToolTip, centre, vue->viewport()->mapToGlobal(centre));
            QCoreApplication::sendEvent(vue->viewport(), &aide);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QListWidget* lignes = f->lstInstallations;
        QTreeWidget* liste = f->lvwLogicielsInstallés;
        QCOMPARE(bulle(lignes, lignes->model()->index(0, 0)), QString());
        QCOMPARE(bulle(liste, liste->model()->index(0, 1)), QString());
        QCOMPARE(bulle(lignes, lignes->model()->index(1, 0)), longue);
        QCOMPARE(bulle(liste, liste->model()->index(0, 0)), QString(60, u'N'));
        QCOMPARE(lignes->horizontalScrollBar()->maximum(), 0);
    }

    // The About box in a language: its title, captions under their names (an element of an
    // array under its index), the introduction as description, the translator's credit with
    // the room it takes.
    void aPropos() {
        Écrit(u"English.lng"_s, u"[Traduction]\r\nfrmAPropos=About\r\nlbl(1)=Mail:\r\n"
                                u"lblTraduitPar=Translated by me\r\nTXT_INTRO=Hi."_s);
        colTraductions anglais;
        ChargeTraductions(anglais, Chemin(u"English.lng"_s));
        frmAPropos avec(OptionsAProposRenovo(anglais, Chemin(u"English.lng"_s), 1));
        frmAPropos sans(OptionsAProposRenovo(anglais, QString(), 1));
        QCOMPARE(QStringList({avec.windowTitle(), avec.lbl[0]->text(), avec.lbl[1]->text(),
                              avec.txtDescription->toPlainText(), sans.windowTitle()}),
                 QStringList({u"About"_s, u"Www :"_s, u"Mail:"_s, u"Hi..."_s,
                              u"A propos de KorvaneUpdate"_s}));
        QVERIFY(!avec.lblTraduitPar->isHidden() && sans.lblTraduitPar->isHidden());
        QCOMPARE(avec.height() - sans.height(), QFontMetrics(avec.lblTraduitPar->font()).height());
    }

    // Quit writes the folder, and on a first start every setting: in the file's own code page,
    // the password scrambled, the file readable by its owner only.
    void introductionEtSortie() {
        QVERIFY(Ouvre(Options()));
        QCOMPARE(f->windowTitle(), u"Renovo v1.5.2"_s);
        QCOMPARE(f->txtIntro->toPlainText(), introduction);
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

    void boutons_data() {
        QTest::addColumn<int>("étape");
        QTest::addColumn<QString>("cas");
        QTest::addColumn<bool>("suivant");
        QTest::newRow("0") << 0 << QString() << true;
        QTest::newRow("1 décoché") << 1 << QString() << false;
        QTest::newRow("2 dossier") << 2 << u"dossier"_s << true;
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
            f->txtRépertoire->setText(cas == u"dossier"_s ? dossier->path()
                                      : cas.isEmpty()     ? cas
                                                          : Chemin(cas));
        f->Etape = qint16(étape);
        f->AfficheEtape();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(f->picEtape[i]->isVisible(), i == étape);
        QTEST(f->btnSuivant->isEnabled(), "suivant");
        QCOMPARE(f->btnPrécédent->isEnabled(), étape >= 1);
        QCOMPARE(f->lblConfigurer->isEnabled(), étape == 0);
        QVERIFY(f->btnQuitter->isEnabled() && f->lblAProposDe->isEnabled());
        QCOMPARE(f->lblDossierIncorrect->isVisible(), étape == 2 && !f->btnSuivant->isEnabled());
        QCOMPARE(f->Paramètres().RépertoireTéléchargement, f->txtRépertoire->text());
    }

    // A step's error shows its number and goes back one step, never below step 0.
    void cheminDErreur() {
        for (const auto& [panne, étapeFinale, numéro] :
             {std::tuple{2, 1, u"457"_s}, {0, 0, u"53"_s}}) {
            OublieMessages();
            auto* assistant = new AssistantEnPanne(Options());
            f.reset(assistant);
            QVERIFY(f->Form_Load());
            assistant->panne = f->Etape = qint16(panne);
            RéponsesSuivantes({QMessageBox::Ok});
            f->AfficheEtape();
            QCOMPARE(f->Etape, étapeFinale);
            QCOMPARE(MessagesAffichés().size(), 1);
            QVERIFY(MessagesAffichés().at(0).texte.startsWith(
                u"Une erreur ("_s + numéro + u") est survenue durant le traitement :\n\n"_s));
            QVERIFY(f->btnQuitter->isEnabled() && !QApplication::overrideCursor());
        }
    }

    // While the installer runs (until our timer's file), the window is minimised and disabled
    // yet live; a close waits for its end, says so once, and starts no other installer. The
    // grey delete box keeps the file.
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
                                           "&& [ $i -lt 600 ]; do i=$((i+1)); sleep 0.05; done\n"));
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
            QCOMPARE(f->lstInstallations->item(0)->text(),
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
        QCOMPARE(f->lstInstallations->item(0)->text(),
                 u"Installation de Navelo110_setup.exe... OK"_s);
        QCOMPARE(f->lstInstallations->item(1)->text(),
                 u"L'outil sera fermé dès la fin de l'installation en cours..."_s);
    }

    // Nothing downloaded: no line, nothing run, the window back to its normal state.
    void rienAInstaller() {
        QVERIFY(Ouvre(Options()));
        DéfinitTagÉlément(new QTreeWidgetItem(f->lvwLogicielsInstallés, {u"Navelo"_s, u"v1.0"_s}),
                          u"IOK|v1.1|110"_s);
        f->Etape = 4;
        f->AfficheEtape();
        QCOMPARE(f->lstInstallations->count(), 0);
        QVERIFY(!f->isMinimized());
    }

    // The link under the mouse turns red and underlined, the other blue; anywhere else, both
    // blue: on the wizard and on its About box.
    void survolDesLiens() {
        QVERIFY(Ouvre(Options()));
        frmAPropos boîte(OptionsAProposRenovo(f->Traductions(), QString(), 1));
        const auto couleurs = [](const QLabel* a, const QLabel* b) {
            QString texte;
            for (const QLabel* lien : {a, b}) {
                const QColor c = lien->palette().color(QPalette::Active, QPalette::WindowText);
                texte += c == QColor(255, 0, 0) ? u"R"_s : c == QColor(0, 0, 255) ? u"B"_s : u"?"_s;
                texte += lien->font().underline() ? u"_ "_s : u" "_s;
            }
            return texte;
        };
        using Liens = std::tuple<QLabel*, QLabel*, QList<QWidget*>>;
        for (const auto& [a, b, ailleurs] :
             {Liens{f->lblConfigurer, f->lblAProposDe, {f->btnSuivant, f->imgPar, f->picEtape[0]}},
              Liens{boîte.lblSite, boîte.lblEmail, {&boîte, boîte.btnOK}}}) {
            Survole(a);
            QCOMPARE(couleurs(a, b), u"R_ B "_s);
            Survole(b);
            QCOMPARE(couleurs(a, b), u"B R_ "_s);
            for (QWidget* autre : ailleurs) {
                Survole(b);
                Survole(autre);
                QCOMPARE(couleurs(a, b), u"B B "_s);
            }
        }
    }

    // Frames 1 to 8 in turn, then 1 again.
    void animation() {
        f = std::make_unique<frmKorvaneUpdate>(Options());
        QList<int> vues;
        for (int tic = 0; tic < 10; ++tic) {
            const QImage vue = (f->tmrAttente_Timer(), f->imgAttente->pixmap().toImage());
            for (int image = 1; image <= 8; ++image) {
                if (vue == ImageAttente(image, qApp->devicePixelRatio()).toImage())
                    vues.append(image);
            }
        }
        QCOMPARE(vues, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 1, 2}));
    }

    // Cancel changes nothing; a valid OK marks the settings changed, and a new language closes
    // the window after a notice, and starts the program again by its full path.
    void configurer() {
        Écrit(u"English.lng"_s, QString());
        QVERIFY(Ouvre(Options()));
        for (const auto& [langue, annule] :
             {std::pair{u"Français"_s, false}, {u"English"_s, true}, {u"English"_s, false}}) {
            f->Paramètres().ParamètresModifiés = false;
            QTimer::singleShot(0, this, [this, l = langue, a = annule] {
                auto* dialogue = f->findChild<frmConfiguration*>();
                QVERIFY(dialogue);
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
    // A failed download stays checked; Back and Next fetch it again, and only it.
    void stepsWithRetry() {
        QVERIFY(Ouvre(OptionsEnLigne()));
        f->btnSuivant->click();
        QCOMPARE(f->Etape, 1);
        QVERIFY(f->lvwLogicielsInstallés->isVisible() && f->btnSuivant->isEnabled());
        QCOMPARE(Éléments(f->lvwLogicielsInstallés),
                 QStringList({u"Inconnu;v1.0;non pris en charge par KorvaneUpdate;;"_s,
                              u"Navelo;v1.0;v1.1 publiée;x;|v1.1|110"_s,
                              u"Prog2;v1.5;OK;;|v1.5|150"_s}));
        f->lvwLogicielsInstallés->topLevelItem(0)->setCheckState(0, Qt::Checked);
        QCOMPARE(f->lvwLogicielsInstallés->topLevelItem(0)->checkState(0), Qt::Unchecked);

        f->btnSuivant->click();
        f->btnSuivant->click();
        QCOMPARE(f->Etape, 3);
        QCOMPARE(f->lstTéléchargements->item(0)->text(), enCoursDe + u"erreur"_s);
        QCOMPARE(Éléments(f->lvwLogicielsInstallés).at(1),
                 u"Navelo;v1.0;v1.1 erreur (téléchargement);x;TKO|v1.1|110"_s);
        QVERIFY(!f->btnSuivant->isEnabled() && !f->lblEtape3b->isVisible());

        QVERIFY(ÉcritFichier(Chemin(u"serveur/Navelo110.exe"_s), "MZ installateur de Navelo 1.1"));
        f->btnPrécédent->click();
        f->btnSuivant->click();
        QCOMPARE(f->lstTéléchargements->count(), 2);
        QCOMPARE(f->lstTéléchargements->item(1)->text(), enCoursDe + u"OK"_s);
        QCOMPARE(Éléments(f->lvwLogicielsInstallés).at(1),
                 u"Navelo;v1.0;v1.1 téléchargée;;TOK|v1.1|110"_s);
        QCOMPARE(LitAnsi(Chemin(u"téléchargements/Navelo110_setup.exe"_s)),
                 u"MZ installateur de Navelo 1.1"_s);
        QVERIFY(f->lblEtape3b->text().startsWith(u"Un ou plusieurs téléchargements"_s));
        QVERIFY(f->lblEtape3b->isVisible() && f->btnSuivant->isEnabled());

        // Back from the installations runs the downloads again: none is checked.
        f->btnSuivant->click();
        QCOMPARE(f->lstInstallations->count(), 1);
        f->btnPrécédent->click();
        QCOMPARE(f->Etape, 3);
        QCOMPARE(f->lstTéléchargements->count(), 2);
        QVERIFY(f->lblEtape3b->isVisible() && f->btnSuivant->isEnabled());

        // Step 1 again: the list as it was, no new exchange, Next still allowed.
        f->btnPrécédent->click();
        f->btnPrécédent->click();
        QCOMPARE(f->Etape, 1);
        QVERIFY(f->btnSuivant->isEnabled());
        QCOMPARE(serveur.requêtes().size(), 3);
        QVERIFY(MessagesAffichés().isEmpty());
    }

    // A failed exchange is asked again on the next visit; so is an answer that failed the step.
    void failedExchanges() {
        serveur.options.versionsIntrouvables = true;
        QVERIFY(Ouvre(OptionsEnLigne()));
        f->btnSuivant->click();
        QVERIFY(f->lblEtape1->text().startsWith(u"Impossible de se connecter"_s));
        QVERIFY(f->lblEtape1->text().contains(u"du site 127.0.0.1 (à l'aide"_s));
        QVERIFY(!f->lvwLogicielsInstallés->isVisible() && !f->btnSuivant->isEnabled());

        serveur.options.versionsIntrouvables = false;
        serveur.options.catalogue = u"Navelo=1.1.0\nNAVELO=1.2"_s;
        RéponsesSuivantes({QMessageBox::Ok});
        f->btnPrécédent->click();
        f->btnSuivant->click();
        QVERIFY(MessagesAffichés().size() == 1 &&
                MessagesAffichés().at(0).texte.startsWith(u"Une erreur (457)"_s));
        QCOMPARE(f->Etape, 0);

        serveur.options.catalogue = u"Navelo=1.1.0"_s;
        f->btnSuivant->click();
        QVERIFY(f->lvwLogicielsInstallés->isVisible());
        QCOMPARE(serveur.requêtes().size(), 3);
    }

    void closeDuringDownload() {
        serveur.options.tailleGénérée = 200000;
        serveur.options.octetsParSeconde = 20000;
        QVERIFY(Ouvre(OptionsEnLigne()));
        f->btnSuivant->click();
        f->btnSuivant->click();
        QTimer::singleShot(500, f.get(), [this] {
            QVERIFY(f->pgbDownload->isVisible());
            QVERIFY(f->lblReste->text().startsWith(u"Téléchargé : "_s));
            f->close();
        });
        f->btnSuivant->click();
        QVERIFY(f->Déchargée());
        QCOMPARE(QDir(Chemin(u"téléchargements"_s)).entryList(QDir::Files | QDir::Hidden),
                 QStringList());
    }

    // The About box held open during a download: the transfer goes on under it, to its end.
    void aboutBoxDuringDownload() {
        serveur.options.tailleGénérée = 100'000;
        serveur.options.octetsParSeconde = 50'000;
        QVERIFY(Ouvre(OptionsEnLigne()));
        f->btnSuivant->click();
        f->btnSuivant->click();
        bool finiSousLaBoîte = false;
        QTimer::singleShot(200, f.get(), [this] { f->lblAProposDe_Click(); });
        QuandOuvert<QDialog>([&](QDialog* boîte) {
            finiSousLaBoîte = QTest::qWaitFor(
                [&] { return f->pgbDownload->value() == f->pgbDownload->maximum(); }, 30'000);
            boîte->reject();
        });
        f->btnSuivant->click();
        QVERIFY(finiSousLaBoîte);
        QCOMPARE(f->lstTéléchargements->item(0)->text(), enCoursDe + u"OK"_s);
    }

    void signedInstallers_data() {
        QTest::addColumn<QString>("cas");
        QTest::addColumn<QString>("statut");  // Navelo's, at the end
        QTest::addColumn<QString>("journal"); // of the installers run
        const QString refusé = u"v1.1 erreur (signature)"_s;
        QTest::newRow("signed, then another folder")
            << u"signé"_s << u"v1.1 installée"_s << u"publie\n"_s;
        QTest::newRow("no key, then another folder")
            << u"sans clé"_s << u"v1.1 installée"_s << u"publie\n"_s;
        QTest::newRow("replaced before step 4") << u"remplacé"_s << refusé << QString();
        QTest::newRow("changed after signing") << u"modifié"_s << refusé << QString();
        QTest::newRow("no .minisig") << u"absente"_s << refusé << QString();
    }
    // With the maker's key beside the program, only the installer signed for its name is
    // kept; step 4 runs that very file (checked again with a key), whatever the folder says.
    void signedInstallers() {
        QFETCH(QString, cas);
        const QString journal = Chemin(u"journal"_s);
        const auto installateur = [&](const QString& nom, const QByteArray& qui) {
            QVERIFY(ÉcritFichier(Chemin(nom), "#!/bin/sh\necho " + qui + " >> '" +
                                                  QFile::encodeName(journal) + "'\n"));
        };
        if (cas != u"sans clé")
            QVERIFY(ÉcritFichier(Chemin(u"keys/korvane.pub"_s), LitFichier(éditeur.cléPublique())));
        installateur(u"serveur/Navelo110.exe"_s, "publie");
        QVERIFY(!éditeur.signe(Chemin(u"serveur/Navelo110.exe"_s)).isEmpty());
        if (cas == u"modifié")
            installateur(u"serveur/Navelo110.exe"_s, "autre");
        if (cas == u"absente")
            QVERIFY(QFile::remove(Chemin(u"serveur/Navelo110.exe.minisig"_s)));
        QVERIFY(Ouvre(OptionsEnLigne()));
        for (int étape = 1; étape <= 3; ++étape)
            f->btnSuivant->click();

        const bool gardé = cas == u"signé" || cas == u"sans clé" || cas == u"remplacé";
        QCOMPARE(f->lstTéléchargements->item(0)->text(),
                 enCoursDe + (gardé ? u"OK"_s : u"erreur"_s));
        QCOMPARE(QDir(Chemin(u"téléchargements"_s))
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 gardé ? QStringList{u"Navelo110_setup.exe"_s} : QStringList());
        if (cas == u"remplacé") {
            installateur(u"téléchargements/Navelo110_setup.exe"_s, "remplacant");
        } else if (gardé) {
            installateur(u"ailleurs/Navelo110_setup.exe"_s, "ailleurs");
            f->btnPrécédent->click();
            f->txtRépertoire->setText(Chemin(u"ailleurs"_s));
            f->btnSuivant->click();
        }
        if (gardé) {
            f->btnSuivant->click();
            QCOMPARE(f->Etape, 4);
        }
        QTEST(Éléments(f->lvwLogicielsInstallés).at(1).section(u';', 2, 2), "statut");
        QTEST(LitAnsi(journal), "journal");
        QCOMPARE(QDir(dossier->path()).entryList({u"installation-*"_s}, QDir::Dirs), QStringList());
    }

    // Weekly by default, last on 1 January 1980, unless the row says otherwise. A German
    // system's first start, or a translator's notice, says so only with a window.
    void scheduledCheck_data() {
        QTest::addColumn<QString>("catalogue"); // "-": no program installed
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("texte"); // of step 1; empty: no window
        const QString faiteCeJour =
            u"RechercherMaJFréquence=0\r\nRechercherMaJDernière=07/12/2026\r\n"_s;
        const QString incomplète = u"Langue=Incomplète\r\n"_s;
        QTest::newRow("update") << u"Navelo=1.1.0"_s << incomplète << u"Vous pouvez voir"_s;
        QTest::newRow("none, first start") << u"Navelo=1.0.0"_s << u"Langue=\r\n"_s << QString();
        QTest::newRow("failed exchange") << QString() << QString() << u"Impossible de se"_s;
        QTest::newRow("done today, daily")
            << u"Navelo=1.1.0"_s << incomplète + faiteCeJour << QString();
        QTest::newRow("first start, not due")
            << u"Navelo=1.1.0"_s << u"Langue=\r\n"_s + faiteCeJour << QString();
        QTest::newRow("no program") << u"-"_s << u"Langue=\r\n"_s << QString();
    }
    void scheduledCheck() {
        QFETCH(QString, catalogue);
        QFETCH(QString, ligne);
        QFETCH(QString, texte);
        const bool visible = !texte.isEmpty();
        serveur.options.catalogue = catalogue;
        serveur.options.versionsIntrouvables = catalogue.isEmpty();
        Écrit(u"Incomplète.lng"_s, u"[Traduction]\r\nTraductionIncomplète=À finir\r\n"_s);
        OptionsRenovo options = OptionsEnLigne({u"/startup"_s}, ligne);
        options.codeLangueSystème = [] { return qint16(7); };
        if (catalogue == u"-")
            QVERIFY(QDir(Chemin(u"donnees/korvane"_s)).removeRecursively());
        f = std::make_unique<frmKorvaneUpdate>(std::move(options));
        const QString avant = LitAnsi(Chemin(u"Renovo.ini"_s));
        RéponsesSuivantes({QMessageBox::Ok});
        QCOMPARE(f->Form_Load(), visible);
        QCOMPARE(f->isVisible(), visible);
        QCOMPARE(MessagesAffichés().size(), visible && !ligne.isEmpty() ? 1 : 0);
        const bool vérifiée = catalogue != u"-" && !ligne.contains(u"07/12/2026"_s);
        // A check not due ends before anything is loaded.
        QCOMPARE(f->Déchargée(), !visible && vérifiée);
        QVERIFY(!visible || (f->Etape == 1 && f->lblEtape1->text().startsWith(texte)));
        const QString après = LitAnsi(Chemin(u"Renovo.ini"_s));
        QVERIFY(vérifiée ? après.contains(u"RechercherMaJDernière=07/12/2026"_s) : après == avant);
        // A first start's choice waits for a window to show its notice.
        QVERIFY(après.startsWith(u"[Config]\r\n"_s + ligne.section(u'\n', 0, 0)));
        QCOMPARE(serveur.requêtes().isEmpty(), !vérifiée);
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
