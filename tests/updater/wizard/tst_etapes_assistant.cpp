#include "assistant_test.h"
#include "wizard/dossier_cible.h"

#include <QProgressBar>

// The wizard's steps against the local update server.
class TestEtapesAssistant : public QObject, BancAssistant {
    Q_OBJECT

    void Suivant(int fois) {
        while (fois-- > 0)
            f->btnSuivant->click();
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(Démarre()); }
    void init() { Prépare(); }

    // A failed exchange, or an answer that fails the step, is asked again on the next visit; a
    // failed download stays checked, and Back and Next fetch it again, and only it.
    void reprises() {
        serveur.options.versionsIntrouvables = true;
        QVERIFY(Ouvre(OptionsEnLigne()));
        f->btnSuivant->click();
        QVERIFY(f->lblEtape1->text().startsWith(u"Impossible de se connecter"_s));
        QVERIFY(f->lblEtape1->text().contains(u"du site 127.0.0.1 (à l'aide"_s));

        serveur.options.versionsIntrouvables = false;
        serveur.options.catalogue = u"Navelo=1.1.0\nNAVELO=1.2"_s;
        RéponsesSuivantes({QMessageBox::Ok});
        f->btnPrécédent->click();
        f->btnSuivant->click();
        QCOMPARE(MessagesAffichés().size(), 1);
        QVERIFY(MessagesAffichés().at(0).texte.startsWith(
            u"Une erreur (457) est survenue durant le traitement :\n\n"_s));
        QCOMPARE(f->Etape, 0);

        OublieMessages();
        serveur.options.catalogue = u"Navelo=1.1.0\nProg2=1.5.0"_s;
        f->btnSuivant->click();
        QCOMPARE(Éléments(f->lvwLogicielsInstallés),
                 QStringList({u"Inconnu;v1.0;non pris en charge par KorvaneUpdate;;"_s,
                              u"Navelo;v1.0;v1.1 publiée;x;|v1.1|110"_s,
                              u"Prog2;v1.5;OK;;|v1.5|150"_s}));
        // A grey program cannot be ticked; with none ticked, Next waits.
        QTreeWidgetItem* const gris = f->lvwLogicielsInstallés->topLevelItem(0);
        gris->setCheckState(0, Qt::Checked);
        f->lvwLogicielsInstallés->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        QVERIFY(gris->checkState(0) == Qt::Unchecked && !f->btnSuivant->isEnabled());
        f->lvwLogicielsInstallés->topLevelItem(1)->setCheckState(0, Qt::Checked);

        Suivant(2);
        QCOMPARE(Ligne(f->lstTéléchargements, 0), enCoursDe + u"erreur"_s);
        QCOMPARE(Éléments(f->lvwLogicielsInstallés).value(1),
                 u"Navelo;v1.0;v1.1 erreur (téléchargement);x;TKO|v1.1|110"_s);
        QVERIFY(f->Etape == 3 && !f->btnSuivant->isEnabled());

        QVERIFY(ÉcritFichier(Chemin(u"serveur/Navelo110.exe"_s), "MZ installateur de Navelo 1.1"));
        f->btnPrécédent->click();
        f->btnSuivant->click();
        QCOMPARE(Ligne(f->lstTéléchargements, 1), enCoursDe + u"OK"_s);
        QCOMPARE(Éléments(f->lvwLogicielsInstallés).value(1),
                 u"Navelo;v1.0;v1.1 téléchargée;;TOK|v1.1|110"_s);
        QCOMPARE(Lit(u"téléchargements/Navelo110_setup.exe"_s), u"MZ installateur de Navelo 1.1"_s);

        // Back from the installations runs the downloads again: none is checked.
        f->btnSuivant->click();
        f->btnPrécédent->click();
        QVERIFY(f->lstTéléchargements->count() == 2 && f->btnSuivant->isEnabled());

        // Step 1 again: the list as it was, no new exchange, Next still allowed.
        f->btnPrécédent->click();
        f->btnPrécédent->click();
        QVERIFY(f->Etape == 1 && f->btnSuivant->isEnabled() && MessagesAffichés().isEmpty());
        QCOMPARE(serveur.requêtes().size(), 5);
    }

    // An existing folder that can be written; Next at step 2 follows it.
    void dossierCible() {
        Écrit(u"fichier"_s, u"x"_s);
        QVERIFY(DossierCibleValide(dossier->path()));
        for (const QString& refusé : {QString(), Chemin(u"fichier"_s), Chemin(u"absent"_s)})
            QVERIFY2(!DossierCibleValide(refusé), qPrintable(refusé));
    }

    // A close mid-download leaves nothing; under the About box the transfer goes on to its end.
    void pendantLeTelechargement_data() {
        QTest::addColumn<bool>("ferme");
        QTest::newRow("close") << true;
        QTest::newRow("About box") << false;
    }
    void pendantLeTelechargement() {
        QFETCH(bool, ferme);
        serveur.options.tailleGénérée = 100'000;
        serveur.options.octetsParSeconde = ferme ? 20'000 : 50'000;
        QVERIFY(Ouvre(OptionsEnLigne()));
        Suivant(2);
        bool finiSousLaBoîte = false;
        QTimer::singleShot(300, f.get(), [&] {
            if (ferme)
                f->close();
            else
                f->lblAProposDe_Click();
        });
        if (!ferme)
            QuandOuvert<QDialog>([&](QDialog* boîte) {
                finiSousLaBoîte = QTest::qWaitFor(
                    [&] { return f->pgbDownload->value() == f->pgbDownload->maximum(); }, 30'000);
                boîte->reject();
            });
        f->btnSuivant->click();
        QCOMPARE(f->Déchargée(), ferme);
        QCOMPARE(finiSousLaBoîte, !ferme);
        QCOMPARE(QDir(Chemin(u"téléchargements"_s)).entryList(QDir::Files | QDir::Hidden),
                 ferme ? QStringList() : QStringList{u"Navelo110_setup.exe"_s});
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
        QTest::newRow("no .minisig") << u"absente"_s << refusé << QString();
    }
    // With the maker's key, only the installer signed for its name is kept, and run as kept.
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
        if (cas == u"absente")
            QVERIFY(QFile::remove(Chemin(u"serveur/Navelo110.exe.minisig"_s)));
        QVERIFY(Ouvre(OptionsEnLigne()));
        Suivant(3);

        const bool gardé = cas != u"absente";
        QCOMPARE(Ligne(f->lstTéléchargements, 0), enCoursDe + (gardé ? u"OK"_s : u"erreur"_s));
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
            QVERIFY(f->Etape == 4 && !f->btnSuivant->isEnabled());
        }
        QTEST(Éléments(f->lvwLogicielsInstallés).value(1).section(u';', 2, 2), "statut");
        QTEST(LitAnsi(journal), "journal");
        QCOMPARE(QDir(dossier->path()).entryList({u"installation-*"_s}, QDir::Dirs), QStringList());
    }

    // Weekly, last on 1 January 1980, unless the row says otherwise; notices only with a window.
    void scheduledCheck_data() {
        QTest::addColumn<QString>("catalogue"); // "-": no program installed
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("texte"); // of step 1; empty: no window
        const QString faiteCeJour =
            u"RechercherMaJFréquence=0\r\nRechercherMaJDernière=07/12/2026\r\n"_s;
        QTest::newRow("update") << u"Navelo=1.1.0"_s << u"Langue=Incomplète\r\n"_s
                                << u"Vous pouvez voir"_s;
        QTest::newRow("none, first start") << u"Navelo=1.0.0"_s << u"Langue=\r\n"_s << QString();
        QTest::newRow("failed exchange") << QString() << QString() << u"Impossible de se"_s;
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
        const QString avant = Lit(u"Renovo.ini"_s);
        RéponsesSuivantes({QMessageBox::Ok});
        QCOMPARE(f->Form_Load(), visible);
        QCOMPARE(MessagesAffichés().size(), visible && !ligne.isEmpty() ? 1 : 0);
        const bool vérifiée = catalogue != u"-" && !ligne.contains(u"07/12/2026"_s);
        QCOMPARE(f->Déchargée(), !visible && vérifiée);
        QVERIFY(!visible || (f->Etape == 1 && f->lblEtape1->text().startsWith(texte)));
        const QString après = Lit(u"Renovo.ini"_s);
        QVERIFY(vérifiée ? après.contains(u"RechercherMaJDernière=07/12/2026"_s) : après == avant);
        QVERIFY(après.startsWith(u"[Config]\r\n"_s + ligne.section(u'\n', 0, 0)));
        QCOMPARE(serveur.requêtes().isEmpty(), !vérifiée);
    }
};

QTEST_MAIN(TestEtapesAssistant)
#include "tst_etapes_assistant.moc"
