#include "boitier_simule.h"
#include "core/expediteur_touches.h"
#include "core/parametres.h"
#include "guide/frmListeChaines.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QString Code = u"12345678"_s;
constexpr auto Pause = 200ms;

// Logos of one flat colour each, so that the icon shown tells which file it came from.
const QColor Rouge(220, 0, 0);
const QColor Vert(0, 160, 0);
const QColor Bleu(0, 0, 220);

struct Fichier {
    QString chemin; // relative to the test folder
    QColor couleur; // invalid: bytes that are no picture
};

// Channel records as the box writes them, one per line.
const QByteArray Document = "[{\"id\":1,\"name\":\"Un\",\"available\":true},"
                            "{\"id\":2,\"name\":\"Deux\",\"available\":false},"
                            "{\"id\":\" 12 \",\"name\":\"Douze\",\"available\":true},"
                            "{\"id\":5,\"name\":\"Cinq\",\"available\":true},"
                            "{\"id\":6,\"name\":\"Six\",\"available\":false},"
                            "{\"id\":40000,\"name\":\"Grand\",\"available\":true}]\r\n";

QStringList Textes(const QTreeWidget* liste) {
    QStringList textes;
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        textes.append(liste->topLevelItem(i)->text(0));
    return textes;
}

// The colour in the middle of the item's icon; invalid when it has none.
QColor CouleurIcône(const QTreeWidget* liste, const QString& texte) {
    const QList<QTreeWidgetItem*> trouvés = liste->findItems(texte, Qt::MatchExactly);
    if (trouvés.size() != 1 || trouvés.first()->icon(0).isNull())
        return {};
    const QImage image = trouvés.first()->icon(0).pixmap(liste->iconSize()).toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

// The events of a real double-click: QTest's alone skips the first press and release.
void DoubleClic(QWidget* cible, QPoint position) {
    QTest::mouseClick(cible, Qt::LeftButton, {}, position);
    QTest::mouseDClick(cible, Qt::LeftButton, {}, position);
    QTest::mouseRelease(cible, Qt::LeftButton, {}, position);
}

} // namespace

class TestFrmListeChaines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        boîtier.définitCode(Code);
        QVERIFY(boîtier.écoute() != 0);
        qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(boîtier.port()));
        qunsetenv("no_proxy");
    }

    void init() {
        dossier = std::make_unique<QTemporaryDir>();
        QVERIFY(dossier->isValid());
        paramètres = {};
        paramètres.CodeTélécommande = Code;
        paramètres.FichierChaînes = dossier->filePath(u"channels"_s);
        écrit(u"channels"_s, Document);
        boîtier.oublieRequêtes();
    }

    void cleanup() {
        fenêtre.reset();
        expéditeur.reset();
    }

    void filtre() {
        ouvre();
        const QStringList disponibles{u"1. Un"_s, u" 12 . Douze"_s, u"5. Cinq"_s,
                                      u"40000. Grand"_s};
        const QStringList toutes{u"1. Un"_s,   u"2. Deux"_s, u" 12 . Douze"_s,
                                 u"5. Cinq"_s, u"6. Six"_s,  u"40000. Grand"_s};
        QCOMPARE(Textes(liste()), disponibles);

        QTest::mouseClick(caseÀCocher(), Qt::LeftButton);
        QCOMPARE(Textes(liste()), toutes);
        const QColor grisé = liste()->palette().color(QPalette::Disabled, QPalette::Text);
        for (int i = 0; i < liste()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* élément = liste()->topLevelItem(i);
            const bool indisponible =
                élément->text(0).startsWith(u'2') || élément->text(0).startsWith(u'6');
            QCOMPARE(élément->foreground(0).color() == grisé, indisponible);
        }

        QTest::mouseClick(caseÀCocher(), Qt::LeftButton);
        QCOMPARE(Textes(liste()), disponibles);
    }

    void logos_data() {
        QTest::addColumn<QList<Fichier>>("fichiers");
        QTest::addColumn<QString>("élément");
        QTest::addColumn<QColor>("couleur");

        const Fichier sans{u"logos/_sans.png"_s, Bleu};
        QTest::newRow("logo de la chaîne")
            << QList<Fichier>{sans, {u"logos/Canal 5.png"_s, Rouge}} << u"5. Cinq"_s << Rouge;
        QTest::newRow("image par défaut")
            << QList<Fichier>{sans, {u"logos/Canal 1.png"_s, Rouge}} << u"5. Cinq"_s << Bleu;
        QTest::newRow("ni logo ni image par défaut")
            << QList<Fichier>{{u"logos/Canal 1.png"_s, Rouge}} << u"5. Cinq"_s << QColor();
        QTest::newRow("numéro au-delà de 32767")
            << QList<Fichier>{sans, {u"logos/Canal 40000.png"_s, Rouge}} << u"40000. Grand"_s
            << Rouge;
        QTest::newRow("même numéro : le premier dossier gagne")
            << QList<Fichier>{{u"logos/Canal 5.png"_s, Rouge}, {u"autres/Canal 05.png"_s, Vert}}
            << u"5. Cinq"_s << Rouge;
        QTest::newRow("même numéro : le premier nom gagne")
            << QList<Fichier>{{u"logos/Canal 05.png"_s, Vert}, {u"logos/Canal 5.png"_s, Rouge}}
            << u"5. Cinq"_s << Vert;
        QTest::newRow("logo illisible ignoré")
            << QList<Fichier>{sans, {u"logos/Canal 5.png"_s, QColor()}} << u"5. Cinq"_s << Bleu;
        QTest::newRow("logo illisible puis un autre du même numéro")
            << QList<Fichier>{{u"logos/Canal 005.png"_s, QColor()}, {u"logos/Canal 5.png"_s, Vert}}
            << u"5. Cinq"_s << Vert;
        QTest::newRow("logo du second dossier")
            << QList<Fichier>{sans, {u"autres/Canal 5.png"_s, Vert}} << u"5. Cinq"_s << Vert;
    }

    void logos() {
        QFETCH(QList<Fichier>, fichiers);
        QFETCH(QString, élément);
        QFETCH(QColor, couleur);

        QVERIFY(QDir(dossier->path()).mkpath(u"logos"_s));
        QVERIFY(QDir(dossier->path()).mkpath(u"autres"_s));
        for (const Fichier& fichier : fichiers) {
            if (!fichier.couleur.isValid()) {
                écrit(fichier.chemin, "\x89PNG\r\n\x1a\n pas une image");
                continue;
            }
            QImage image(70, 54, QImage::Format_RGB32);
            image.fill(fichier.couleur);
            QVERIFY(image.save(dossier->filePath(fichier.chemin)));
        }

        ouvre();
        QCOMPARE(CouleurIcône(liste(), élément), couleur);
    }

    void tailleLogos_data() {
        QTest::addColumn<int>("pourcentage");
        QTest::addColumn<QSize>("taille");
        QTest::newRow("25 %") << 25 << QSize(18, 14);
        QTest::newRow("200 %") << 200 << QSize(140, 108);
    }

    void tailleLogos() {
        QFETCH(int, pourcentage);
        QFETCH(QSize, taille);
        QVERIFY(QDir(dossier->path()).mkpath(u"logos"_s));
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Rouge);
        QVERIFY(image.save(dossier->filePath(u"logos/Canal 1.png"_s)));
        paramètres.TailleLogos = static_cast<qint16>(pourcentage);

        ouvre();
        QCOMPARE(liste()->iconSize(), taille);
        const QIcon icône = liste()->findItems(u"1. Un"_s, Qt::MatchExactly).first()->icon(0);
        QCOMPARE(icône.pixmap(taille).deviceIndependentSize().toSize(), taille);
    }

    // Every digit but the last is a long press, each followed by the pause.
    void zap_data() {
        QTest::addColumn<QString>("élément");
        QTest::addColumn<QStringList>("envoyés");
        QTest::newRow("blancs autour") << u" 12 . Douze"_s << QStringList{u"1 long"_s, u"2"_s};
        QTest::newRow("un chiffre") << u"5. Cinq"_s << QStringList{u"5"_s};
        QTest::newRow("cinq chiffres")
            << u"40000. Grand"_s
            << QStringList{u"4 long"_s, u"0 long"_s, u"0 long"_s, u"0 long"_s, u"0"_s};
    }

    void zap() {
        QFETCH(QString, élément);
        QFETCH(QStringList, envoyés);
        ouvre();

        QElapsedTimer chrono;
        chrono.start();
        doubleClique(élément);
        QVERIFY(chrono.elapsed() >= envoyés.size() * Pause.count() - 20);
        QTRY_COMPARE(Envoyés(), envoyés);
        for (qsizetype i = 1; i < boîtier.requêtes().size(); ++i) {
            const qint64 écart =
                boîtier.requêtes()[i - 1].heure.msecsTo(boîtier.requêtes()[i].heure);
            QVERIFY2(écart >= Pause.count() - 20, qPrintable(QString::number(écart)));
        }
        QVERIFY(!expéditeur->ToucheLongue);
    }

    // During a pause the remote stays usable: its keys keep their own press, and a second
    // double-click does not start another zap in the middle of this one.
    void pendantLaPause() {
        ouvre();
        QTimer::singleShot(Pause / 2, [this] {
            expéditeur->TraiteTouche(u"vol_inc"_s);
            doubleClique(u"1. Un"_s);
        });
        doubleClique(u" 12 . Douze"_s);
        QTRY_COMPARE(Envoyés(), (QStringList{u"1 long"_s, u"vol_inc"_s, u"2"_s}));
    }

    void listeVide() {
        QFile::remove(paramètres.FichierChaînes);
        ouvre();
        fenêtre->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenêtre.get()));
        QCOMPARE(liste()->topLevelItemCount(), 0);
        DoubleClic(liste()->viewport(), QPoint(20, 20));
        QTest::mouseClick(caseÀCocher(), Qt::LeftButton);
        QCOMPARE(liste()->topLevelItemCount(), 0);
        QTest::qWait(100);
        QVERIFY(boîtier.requêtes().isEmpty());
    }

    void fermeture() {
        ouvre();
        fenêtre->show();
        paramètres.ListeChaînesAffichée = true;
        QVERIFY(fenêtre->close());
        QVERIFY(!fenêtre->isVisible());
        QVERIFY(!paramètres.ListeChaînesAffichée);
        fenêtre->show();
        QCOMPARE(Textes(liste()).size(), 4);
    }

    void disposition_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("zoneListe");
        QTest::addColumn<int>("hautCase");
        const int hauteurCase = 17;
        QTest::newRow("taille de départ")
            << QSize(249, 422) << QRect(8, 8, 233, 422 - 6 - hauteurCase - 4 - 8)
            << 422 - 6 - hauteurCase;
        QTest::newRow("plus grande")
            << QSize(400, 600) << QRect(8, 8, 384, 600 - 6 - hauteurCase - 4 - 8)
            << 600 - 6 - hauteurCase;
        QTest::newRow("minuscule") << QSize(10, 10) << QRect(8, 8, 0, 0) << 0;
    }

    void disposition() {
        QFETCH(QSize, client);
        QFETCH(QRect, zoneListe);
        QFETCH(int, hautCase);
        ouvre();
        fenêtre->resize(client);
        fenêtre->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenêtre.get()));
        QCOMPARE(liste()->geometry(), zoneListe);
        QCOMPARE(caseÀCocher()->y(), hautCase);
        QVERIFY(caseÀCocher()->isVisibleTo(fenêtre.get()));
    }

private:
    void écrit(const QString& chemin, const QByteArray& octets) {
        QFile fichier(dossier->filePath(chemin));
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        fichier.write(octets);
    }

    void ouvre() {
        expéditeur = std::make_unique<ExpéditeurTouches>(paramètres);
        fenêtre = std::make_unique<frmListeChaînes>(
            paramètres, *expéditeur,
            QStringList{dossier->filePath(u"logos"_s), dossier->filePath(u"autres"_s)});
        fenêtre->définitPauseZap(Pause);
    }

    QTreeWidget* liste() const { return fenêtre->findChild<QTreeWidget*>(u"lvwChaînes"_s); }
    QCheckBox* caseÀCocher() const {
        return fenêtre->findChild<QCheckBox*>(u"chkAfficherToutesLesChaînes"_s);
    }

    void doubleClique(const QString& texte) {
        fenêtre->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenêtre.get()));
        QTreeWidgetItem* élément = liste()->findItems(texte, Qt::MatchExactly).value(0);
        QVERIFY(élément);
        DoubleClic(liste()->viewport(), liste()->visualItemRect(élément).center());
    }

    // The keys the box received, "long" after those sent as a long press.
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
