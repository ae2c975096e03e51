#include "boitier_simule.h"
#include "core/expediteur_touches.h"
#include "guide/frmListeChaines.h"
#include "proxy_local.h"

#include <QCheckBox>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr auto Pause = 200ms;
const QColor Rouge(220, 0, 0);
const QColor Vert(0, 160, 0);
const QColor Bleu(0, 0, 220);

struct Logo {
    QString chemin; // under the test folder
    QColor couleur; // invalid: bytes that are no picture
};

const QByteArray Document = R"([{"id":1,"name":"Un","available":true},)"
                            R"({"id":2,"name":"Deux","available":false},)"
                            R"({"id":" 12 ","name":"Douze","available":true},)"
                            R"({"id":5,"name":"Cinq","available":true},)"
                            R"({"id":40000,"name":"Grand","available":true}])"
                            "\r\n";

} // namespace

class TestFrmListeChaines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        boîtier.définitCode(u"1234"_s);
        QVERIFY(boîtier.écoute() != 0);
        ProxyLocal(boîtier.port());
    }

    void init() {
        dossier = std::make_unique<QTemporaryDir>();
        paramètres = {};
        paramètres.CodeTélécommande = u"1234"_s;
        paramètres.FichierChaînes = dossier->filePath(u"channels"_s);
        QFile cache(paramètres.FichierChaînes);
        QVERIFY(cache.open(QIODevice::WriteOnly) && cache.write(Document) > 0);
        boîtier.oublieRequêtes();
    }

    void filtre() {
        ouvre();
        const QStringList disponibles{u"1. Un"_s, u" 12 . Douze"_s, u"5. Cinq"_s,
                                      u"40000. Grand"_s};
        QCOMPARE(Textes(), disponibles);
        QTest::mouseClick(caseÀCocher(), Qt::LeftButton);
        QCOMPARE(Textes(), (QStringList{u"1. Un"_s, u"2. Deux"_s, u" 12 . Douze"_s, u"5. Cinq"_s,
                                        u"40000. Grand"_s}));
        const QColor grisé = liste()->palette().color(QPalette::Disabled, QPalette::Text);
        for (int i = 0; i < liste()->topLevelItemCount(); ++i)
            QCOMPARE(liste()->topLevelItem(i)->foreground(0).color() == grisé, i == 1);
        QTest::mouseClick(caseÀCocher(), Qt::LeftButton);
        QCOMPARE(Textes(), disponibles);
    }

    // Each beside the default picture, in blue.
    void logos_data() {
        QTest::addColumn<QList<Logo>>("logos");
        QTest::addColumn<QString>("élément");
        QTest::addColumn<QColor>("couleur");
        const auto ligne = [](const char* nom, const QList<Logo>& logos, QColor couleur,
                              const QString& élément = u"5. Cinq"_s) {
            QTest::newRow(nom) << QList<Logo>{{u"logos/_sans.png"_s, Bleu}} + logos << élément
                               << couleur;
        };
        ligne("logo de la chaîne", {{u"logos/Canal 5.png"_s, Rouge}}, Rouge);
        ligne("numéro entouré de blancs", {{u"logos/Canal 12.png"_s, Rouge}}, Rouge,
              u" 12 . Douze"_s);
        ligne("image par défaut", {{u"logos/Canal 1.png"_s, Rouge}}, Bleu);
        ligne("numéro au-delà de 32767", {{u"logos/Canal 40000.png"_s, Rouge}}, Rouge,
              u"40000. Grand"_s);
        ligne("même numéro, le premier dossier gagne",
              {{u"logos/Canal 05.png"_s, Rouge}, {u"autres/Canal 5.png"_s, Vert}}, Rouge);
        ligne("numéro au-delà de 32 bits", {{u"logos/Canal 4294967301.png"_s, Rouge}}, Bleu);
        ligne("extension en capitales", {{u"logos/Canal 5.PNG"_s, Rouge}}, Rouge);
        ligne("logo illisible ignoré", {{u"logos/Canal 5.png"_s, {}}}, Bleu);
    }

    // At 25 %, the smallest size, whose halves round up to even.
    void logos() {
        QFETCH(QList<Logo>, logos);
        QFETCH(QString, élément);
        QFETCH(QColor, couleur);
        for (const Logo& logo : logos) {
            QImage image(70, 54, QImage::Format_RGB32);
            image.fill(logo.couleur);
            QFile fichier(dossier->filePath(logo.chemin));
            QVERIFY(QDir().mkpath(QFileInfo(fichier).path()));
            QVERIFY(fichier.open(QIODevice::WriteOnly));
            QVERIFY(logo.couleur.isValid() ? image.save(&fichier, "PNG")
                                           : fichier.write("\x89PNG\r\n\x1a\n?") > 0);
        }
        paramètres.TailleLogos = 25;
        ouvre();

        QCOMPARE(liste()->iconSize(), QSize(18, 14));
        const QIcon icône = liste()->findItems(élément, Qt::MatchExactly).value(0)->icon(0);
        QCOMPARE(icône.pixmap(QSize(18, 14)).toImage().pixelColor(9, 7), couleur);
    }

    // Every digit but the last is a long press, with a pause before the next. The remote
    // stays usable meanwhile: its keys keep their own press, and a second double-click does
    // not start a zap inside this one.
    void zap() {
        ouvre();
        QTimer::singleShot(Pause / 2, this, [this] {
            expéditeur->TraiteTouche(u"vol_inc"_s);
            doubleClique(u"1. Un"_s);
        });
        doubleClique(u" 12 . Douze"_s);
        QTRY_COMPARE(Envoyés(), (QStringList{u"1 long"_s, u"vol_inc"_s, u"2"_s}));
        QVERIFY(!expéditeur->ToucheLongue);
    }

    // Quitting the program during a zap sends no further digit.
    void quitterPendantLeZap() {
        ouvre();
        QTimer::singleShot(0, this, [this] {
            QTimer::singleShot(Pause / 2, qApp, &QCoreApplication::quit);
            doubleClique(u" 12 . Douze"_s);
        });
        QCoreApplication::exec();
        QTest::qWait(2 * Pause.count());
        QCOMPARE(Envoyés(), QStringList{u"1 long"_s});
    }

    void listeVide() {
        QFile::remove(paramètres.FichierChaînes);
        ouvre();
        doubleClique();
        QTest::mouseClick(caseÀCocher(), Qt::LeftButton);
        QCOMPARE(liste()->topLevelItemCount(), 0);
        QTest::qWait(100);
        QVERIFY(boîtier.requêtes().isEmpty());
    }

    // Opened before the start-up got round to loading it, the window loads at once; closed,
    // it only hides.
    void apparitionEtFermeture() {
        ouvre(false);
        QVERIFY(Textes().isEmpty());
        fenêtre->show();
        QCOMPARE(Textes().size(), 4);
        paramètres.ListeChaînesAffichée = true;
        fenêtre->close();
        QVERIFY(!fenêtre->isVisible());
        QVERIFY(!paramètres.ListeChaînesAffichée);
    }

    // In twips: the box 90 above the bottom, the list 120 from the left, top and right
    // edges and 60 above the box, nothing below 0; its column never wider than it.
    void redimensionnement_data() {
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<QRect>("liste");
        QTest::addColumn<int>("case");
        QTest::newRow("300 x 450") << QSize(300, 450) << QRect(8, 8, 284, 415) << 427;
        QTest::newRow("249 x 10") << QSize(249, 10) << QRect(8, 8, 233, 0) << 0;
    }

    void redimensionnement() {
        QFETCH(QSize, taille);
        ouvre();
        fenêtre->show();
        fenêtre->resize(taille);
        QTRY_COMPARE(fenêtre->size(), taille);
        QTEST(liste()->geometry(), "liste");
        QTEST(caseÀCocher()->y(), "case");
        QVERIFY(liste()->columnWidth(0) <= qMax(0, liste()->viewport()->width()));
    }

private:
    void ouvre(bool charge = true) {
        expéditeur = std::make_unique<ExpéditeurTouches>(paramètres);
        fenêtre = std::make_unique<frmListeChaînes>(
            paramètres, *expéditeur,
            QStringList{dossier->filePath(u"logos"_s), dossier->filePath(u"autres"_s)});
        fenêtre->définitPauseZap(Pause);
        if (charge)
            fenêtre->Form_Load();
    }

    QTreeWidget* liste() const { return fenêtre->findChild<QTreeWidget*>(u"lvwChaînes"_s); }
    QCheckBox* caseÀCocher() const {
        return fenêtre->findChild<QCheckBox*>(u"chkAfficherToutesLesChaînes"_s);
    }

    QStringList Textes() const {
        QStringList textes;
        for (int i = 0; i < liste()->topLevelItemCount(); ++i)
            textes.append(liste()->topLevelItem(i)->text(0));
        return textes;
    }

    // The events of a real double-click (QTest's alone skips the first press and release), on
    // the item shown with that text, or on an empty list.
    void doubleClique(const QString& texte = {}) {
        fenêtre->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenêtre.get()));
        const auto éléments = liste()->findItems(texte, Qt::MatchExactly);
        QCOMPARE(éléments.size(), texte.isEmpty() ? 0 : 1);
        const QPoint point =
            éléments.isEmpty() ? QPoint(20, 20) : liste()->visualItemRect(éléments[0]).center();
        QTest::mouseClick(liste()->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(liste()->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(liste()->viewport(), Qt::LeftButton, {}, point);
    }

    // The keys the box received, "long" after a long press.
    QStringList Envoyés() const {
        QStringList envoyés;
        for (const RequeteRecue& requête : boîtier.requêtes())
            envoyés.append(requête.touche + (requête.longue ? u" long"_s : QString()));
        return envoyés;
    }

    BoitierSimule boîtier;
    std::unique_ptr<QTemporaryDir> dossier;
    ParamètresNavelo paramètres;
    std::unique_ptr<ExpéditeurTouches> expéditeur;
    std::unique_ptr<frmListeChaînes> fenêtre;
};

QTEST_MAIN(TestFrmListeChaines)
#include "tst_frmListeChaines.moc"
