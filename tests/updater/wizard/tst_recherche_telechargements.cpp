#include "ansi.h"
#include "boite_message.h"
#include "serveur_maj.h"
#include "wizard/frmKorvaneUpdate.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

// Lines of the download list, or name, version, status, check and tag of each program.
QStringList Lignes(const QListWidget* liste) {
    QStringList lignes;
    for (int i = 0; i < liste->count(); ++i)
        lignes << liste->item(i)->text();
    return lignes;
}

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

const QString enCoursDeCheck = u"Téléchargement de Navelo110_setup.exe... "_s;

} // namespace

class TestRechercheTelechargements : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dossier;
    ServeurMaj serveur;

    QString Chemin(const QString& nom) const { return dossier->filePath(nom); }

    // Settings pointing at the local server, with a download folder of their own.
    OptionsRenovo Options(const QStringList& arguments = {}) {
        QDir(dossier->path()).mkpath(u"téléchargements"_s);
        QDir(dossier->path()).mkpath(u"serveur"_s);
        QFile ini(Chemin(u"Renovo.ini"_s));
        if (!ini.exists() && ini.open(QIODevice::WriteOnly))
            ini.write(EnAnsi(
                QString(u"[Config]\r\nLangue=Français\r\nAdresseServeur=http://127.0.0.1:"_s +
                        QString::number(serveur.port()) + u"/file/\r\nRépertoireTéléchargement="_s +
                        Chemin(u"téléchargements"_s) + u"\r\n"_s)));
        OptionsRenovo options;
        options.dossierProgramme = dossier->path();
        options.dossierUtilisateur = Chemin(u"utilisateur"_s);
        options.arguments = arguments;
        options.codeLangueSystème = [] { return qint16(12); };
        options.horloge = [] { return QDateTime(QDate(2026, 12, 7), QTime(9, 0)); };
        return options;
    }

    void PublieInstallateur() {
        QFile fichier(Chemin(u"serveur/Navelo110.exe"_s));
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        fichier.write("MZ installateur de Navelo 1.1");
    }

private Q_SLOTS:
    void initTestCase() {
        QCoreApplication::setApplicationName(u"Renovo"_s);
        QCoreApplication::setApplicationVersion(u"1.0.0"_s);
        QVERIFY(serveur.écoute() != 0);
    }

    void init() {
        dossier = std::make_unique<QTemporaryDir>();
        // The maker's programs, as their uninstall entries name them.
        qputenv("XDG_DATA_HOME", QFile::encodeName(Chemin(u"donnees"_s)));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(Chemin(u"systeme"_s)));
        QVERIFY(QDir().mkpath(Chemin(u"donnees/korvane/uninstall"_s)));
        for (const auto& [nom, version] :
             {std::pair(u"Inconnu"_s, u"1.0"_s), std::pair(u"Navelo"_s, u"1.0.0"_s),
              std::pair(u"Prog2"_s, u"1.5"_s)}) {
            QFile entrée(Chemin(u"donnees/korvane/uninstall/"_s + nom + u".ini"_s));
            QVERIFY(entrée.open(QIODevice::WriteOnly));
            entrée.write(EnAnsi(QString(u"[Uninstall]\r\nPublisher=Korvane\r\nDisplayName="_s +
                                        nom + u"\r\nDisplayVersion="_s + version + u"\r\n"_s)));
        }
        serveur.options = {};
        serveur.options.catalogue = u"Navelo=1.1.0\nProg2=1.5.0"_s;
        serveur.options.dossierInstallateurs = Chemin(u"serveur"_s);
        serveur.oublieRequêtes();
        OublieMessages();
    }

    // A failed download stays checked; Back and Next fetch it again, and only it.
    void stepsWithRetry() {
        frmKorvaneUpdate fenêtre(Options());
        QVERIFY(fenêtre.Form_Load());
        fenêtre.btnSuivant->click();
        QCOMPARE(fenêtre.Etape, 1);
        QVERIFY(fenêtre.lvwLogicielsInstallés->isVisible());
        QVERIFY(fenêtre.lblEtape1->text().startsWith(u"Vous pouvez voir ci-dessous"_s));
        QCOMPARE(Éléments(fenêtre.lvwLogicielsInstallés),
                 QStringList({u"Inconnu;v1.0;non pris en charge par KorvaneUpdate;;"_s,
                              u"Navelo;v1.0;v1.1 publiée;x;|v1.1|110"_s,
                              u"Prog2;v1.5;OK;;|v1.5|150"_s}));
        QVERIFY(fenêtre.btnSuivant->isEnabled());

        fenêtre.btnSuivant->click();
        fenêtre.btnSuivant->click();
        QCOMPARE(fenêtre.Etape, 3);
        QCOMPARE(Lignes(fenêtre.lstTéléchargements), QStringList{enCoursDeCheck + u"erreur"_s});
        QCOMPARE(Éléments(fenêtre.lvwLogicielsInstallés).at(1),
                 u"Navelo;v1.0;v1.1 erreur (téléchargement);x;TKO|v1.1|110"_s);
        QVERIFY(!fenêtre.btnSuivant->isEnabled());
        QVERIFY(!fenêtre.lblEtape3b->isVisible());

        PublieInstallateur();
        fenêtre.btnPrécédent->click();
        fenêtre.btnSuivant->click();
        QCOMPARE(Lignes(fenêtre.lstTéléchargements),
                 QStringList({enCoursDeCheck + u"erreur"_s, enCoursDeCheck + u"OK"_s}));
        QCOMPARE(Éléments(fenêtre.lvwLogicielsInstallés).at(1),
                 u"Navelo;v1.0;v1.1 téléchargée;;TOK|v1.1|110"_s);
        QFile reçu(Chemin(u"téléchargements/Navelo110_setup.exe"_s));
        QVERIFY(reçu.open(QIODevice::ReadOnly));
        QCOMPARE(reçu.readAll(), "MZ installateur de Navelo 1.1"_ba);
        QVERIFY(fenêtre.lblEtape3b->isVisible());
        QVERIFY(fenêtre.lblEtape3b->text().startsWith(u"Un ou plusieurs téléchargements"_s));
        QVERIFY(fenêtre.btnSuivant->isEnabled());

        // Step 1 again: the list as it was, no new exchange, Next still allowed.
        fenêtre.btnPrécédent->click();
        fenêtre.btnPrécédent->click();
        QCOMPARE(fenêtre.Etape, 1);
        QVERIFY(fenêtre.btnSuivant->isEnabled());
        int versions = 0;
        for (const RequeteMaj& requête : serveur.requêtes())
            versions += requête.cible.contains("_versions.php");
        QCOMPARE(versions, 1);
        QVERIFY(MessagesAffichés().isEmpty());
    }

    // A failed exchange is asked again on the next visit; so is an answer that failed the step.
    void failedExchanges() {
        serveur.options.versionsIntrouvables = true;
        frmKorvaneUpdate fenêtre(Options());
        QVERIFY(fenêtre.Form_Load());
        fenêtre.btnSuivant->click();
        QVERIFY(fenêtre.lblEtape1->text().startsWith(u"Impossible de se connecter"_s));
        QVERIFY2(fenêtre.lblEtape1->text().contains(u"du site 127.0.0.1 (à l'aide"_s),
                 qPrintable(fenêtre.lblEtape1->text()));
        QVERIFY(!fenêtre.lvwLogicielsInstallés->isVisible());
        QVERIFY(!fenêtre.btnSuivant->isEnabled());

        serveur.options.versionsIntrouvables = false;
        serveur.options.catalogue = u"Navelo=1.1.0\nNAVELO=1.2"_s;
        RéponsesSuivantes({QMessageBox::Ok});
        fenêtre.btnPrécédent->click();
        fenêtre.btnSuivant->click();
        QCOMPARE(MessagesAffichés().size(), 1);
        QVERIFY(MessagesAffichés().at(0).texte.startsWith(u"Une erreur (457)"_s));
        QCOMPARE(fenêtre.Etape, 0);

        serveur.options.catalogue = u"Navelo=1.1.0"_s;
        fenêtre.btnSuivant->click();
        QVERIFY(fenêtre.lvwLogicielsInstallés->isVisible());
        QCOMPARE(serveur.requêtes().size(), 3);
    }

    void closeDuringDownload() {
        serveur.options.tailleGénérée = 200000;
        serveur.options.octetsParSeconde = 20000;
        frmKorvaneUpdate fenêtre(Options());
        QVERIFY(fenêtre.Form_Load());
        for (int i = 0; i < 2; ++i)
            fenêtre.btnSuivant->click();
        QTimer::singleShot(500, &fenêtre, [&] {
            QVERIFY(fenêtre.pgbDownload->isVisible());
            QVERIFY(fenêtre.lblReste->text().startsWith(u"Téléchargé : "_s));
            fenêtre.close();
        });
        fenêtre.btnSuivant->click();
        QVERIFY(fenêtre.Déchargée());
        QCOMPARE(QDir(Chemin(u"téléchargements"_s)).entryList(QDir::Files | QDir::Hidden),
                 QStringList());
    }

    void scheduledCheck_data() {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<bool>("fenêtre");
        QTest::addColumn<QString>("texte");
        QTest::newRow("update") << u"Navelo=1.1.0"_s << true << u"Vous pouvez voir"_s;
        QTest::newRow("none") << u"Navelo=1.0.0"_s << false << QString();
        QTest::newRow("failed exchange") << QString() << true << u"Impossible de se"_s;
    }

    void scheduledCheck() {
        QFETCH(QString, catalogue);
        QFETCH(bool, fenêtre);
        QFETCH(QString, texte);
        serveur.options.catalogue = catalogue;
        serveur.options.versionsIntrouvables = catalogue.isEmpty();
        frmKorvaneUpdate assistant(Options({u"/startup"_s}));
        QCOMPARE(assistant.Form_Load(), fenêtre);
        QCOMPARE(assistant.isVisible(), fenêtre);
        QCOMPARE(assistant.Déchargée(), !fenêtre);
        if (fenêtre) {
            QCOMPARE(assistant.Etape, 1);
            QVERIFY(assistant.lblEtape1->text().startsWith(texte));
        }
        QFile ini(Chemin(u"Renovo.ini"_s));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(DepuisAnsi(ini.readAll()).contains(u"RechercherMaJDernière=07/12/2026"_s));
    }
};

QTEST_MAIN(TestRechercheTelechargements)
#include "tst_recherche_telechargements.moc"
