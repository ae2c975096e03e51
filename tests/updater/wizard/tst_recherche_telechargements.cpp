#include "assistant_test.h"
#include "serveur_maj.h"

#include <QProgressBar>

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

const QString enCoursDe = u"Téléchargement de Navelo110_setup.exe... "_s;

} // namespace

class TestRechercheTelechargements : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dossier;
    ServeurMaj serveur;

    QString Chemin(const QString& nom) const { return dossier->filePath(nom); }

    // Settings pointing at the local server, with a download folder of their own; `ligne`
    // added to them.
    OptionsRenovo Options(const QStringList& arguments = {}, const QString& ligne = {}) {
        QDir(dossier->path()).mkpath(u"téléchargements"_s);
        ÉcritFichier(Chemin(u"Renovo.ini"_s),
                     EnAnsi(u"[Config]\r\nLangue=Français\r\nAdresseServeur=http://127.0.0.1:%1/"
                            u"file/\r\nRépertoireTéléchargement=%2\r\n%3"_s.arg(serveur.port())
                                .arg(Chemin(u"téléchargements"_s), ligne)));
        return OptionsTest(dossier->path(), arguments);
    }

private Q_SLOTS:
    void initTestCase() {
        QCoreApplication::setApplicationName(u"Renovo"_s);
        QCoreApplication::setApplicationVersion(u"1.0.0"_s);
        QVERIFY(serveur.écoute() != 0);
    }

    void init() {
        dossier = std::make_unique<QTemporaryDir>();
        InscritLogiciels(dossier->path(),
                         {u"Inconnu"_s, u"1.0"_s, u"Navelo"_s, u"1.0.0"_s, u"Prog2"_s, u"1.5"_s});
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
        QVERIFY(fenêtre.lvwLogicielsInstallés->isVisible() && fenêtre.btnSuivant->isEnabled());
        QVERIFY(fenêtre.lblEtape1->text().startsWith(u"Vous pouvez voir ci-dessous"_s));
        QCOMPARE(Éléments(fenêtre.lvwLogicielsInstallés),
                 QStringList({u"Inconnu;v1.0;non pris en charge par KorvaneUpdate;;"_s,
                              u"Navelo;v1.0;v1.1 publiée;x;|v1.1|110"_s,
                              u"Prog2;v1.5;OK;;|v1.5|150"_s}));

        fenêtre.btnSuivant->click();
        fenêtre.btnSuivant->click();
        QCOMPARE(fenêtre.Etape, 3);
        QCOMPARE(Lignes(fenêtre.lstTéléchargements), QStringList{enCoursDe + u"erreur"_s});
        QCOMPARE(Éléments(fenêtre.lvwLogicielsInstallés).at(1),
                 u"Navelo;v1.0;v1.1 erreur (téléchargement);x;TKO|v1.1|110"_s);
        QVERIFY(!fenêtre.btnSuivant->isEnabled() && !fenêtre.lblEtape3b->isVisible());

        QVERIFY(ÉcritFichier(Chemin(u"serveur/Navelo110.exe"_s), "MZ installateur de Navelo 1.1"));
        fenêtre.btnPrécédent->click();
        fenêtre.btnSuivant->click();
        QCOMPARE(Lignes(fenêtre.lstTéléchargements),
                 QStringList({enCoursDe + u"erreur"_s, enCoursDe + u"OK"_s}));
        QCOMPARE(Éléments(fenêtre.lvwLogicielsInstallés).at(1),
                 u"Navelo;v1.0;v1.1 téléchargée;;TOK|v1.1|110"_s);
        QCOMPARE(LitAnsi(Chemin(u"téléchargements/Navelo110_setup.exe"_s)),
                 u"MZ installateur de Navelo 1.1"_s);
        QVERIFY(fenêtre.lblEtape3b->text().startsWith(u"Un ou plusieurs téléchargements"_s));
        QVERIFY(fenêtre.lblEtape3b->isVisible() && fenêtre.btnSuivant->isEnabled());

        // Step 1 again: the list as it was, no new exchange, Next still allowed.
        fenêtre.btnPrécédent->click();
        fenêtre.btnPrécédent->click();
        QCOMPARE(fenêtre.Etape, 1);
        QVERIFY(fenêtre.btnSuivant->isEnabled());
        QCOMPARE(serveur.requêtes().size(), 3);
        QVERIFY(MessagesAffichés().isEmpty());
    }

    // A failed exchange is asked again on the next visit; so is an answer that failed the step.
    void failedExchanges() {
        serveur.options.versionsIntrouvables = true;
        frmKorvaneUpdate fenêtre(Options());
        QVERIFY(fenêtre.Form_Load());
        fenêtre.btnSuivant->click();
        QVERIFY(fenêtre.lblEtape1->text().startsWith(u"Impossible de se connecter"_s));
        QVERIFY(fenêtre.lblEtape1->text().contains(u"du site 127.0.0.1 (à l'aide"_s));
        QVERIFY(!fenêtre.lvwLogicielsInstallés->isVisible() && !fenêtre.btnSuivant->isEnabled());

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
        fenêtre.btnSuivant->click();
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

    // Weekly by default, last on 1 January 1980, unless the row says otherwise.
    void scheduledCheck_data() {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("texte"); // of step 1; empty: no window
        QTest::newRow("update") << u"Navelo=1.1.0"_s << QString() << u"Vous pouvez voir"_s;
        QTest::newRow("none") << u"Navelo=1.0.0"_s << QString() << QString();
        QTest::newRow("failed exchange") << QString() << QString() << u"Impossible de se"_s;
        QTest::newRow("done today, daily")
            << u"Navelo=1.1.0"_s
            << u"RechercherMaJFréquence=0\r\nRechercherMaJDernière=07/12/2026\r\n"_s << QString();
    }
    void scheduledCheck() {
        QFETCH(QString, catalogue);
        QFETCH(QString, ligne);
        QFETCH(QString, texte);
        const bool fenêtre = !texte.isEmpty();
        serveur.options.catalogue = catalogue;
        serveur.options.versionsIntrouvables = catalogue.isEmpty();
        frmKorvaneUpdate assistant(Options({u"/startup"_s}, ligne));
        const QString avant = LitAnsi(Chemin(u"Renovo.ini"_s));
        QCOMPARE(assistant.Form_Load(), fenêtre);
        QCOMPARE(assistant.isVisible(), fenêtre);
        // A check not due ends before anything is loaded.
        QCOMPARE(assistant.Déchargée(), !fenêtre && ligne.isEmpty());
        QVERIFY(!fenêtre ||
                (assistant.Etape == 1 && assistant.lblEtape1->text().startsWith(texte)));
        const QString après = LitAnsi(Chemin(u"Renovo.ini"_s));
        QVERIFY(ligne.isEmpty() ? après.contains(u"RechercherMaJDernière=07/12/2026"_s)
                                : après == avant);
        QCOMPARE(serveur.requêtes().isEmpty(), !ligne.isEmpty());
    }
};

QTEST_MAIN(TestRechercheTelechargements)
#include "tst_recherche_telechargements.moc"
