#include "guide/logos_chaines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestLogosChaines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void taille_data() {
        QTest::addColumn<int>("pourcentage");
        QTest::addColumn<QSize>("taille");

        QTest::newRow("25 %, deux moitiés") << 25 << QSize(18, 14);
        QTest::newRow("50 %") << 50 << QSize(35, 27);
        QTest::newRow("75 %, moitiés vers le pair inférieur") << 75 << QSize(52, 40);
        QTest::newRow("100 %") << 100 << QSize(70, 54);
        QTest::newRow("130 %, dixièmes") << 130 << QSize(91, 70);
        QTest::newRow("200 %") << 200 << QSize(140, 108);
    }

    void taille() {
        QFETCH(int, pourcentage);
        QFETCH(QSize, taille);
        QCOMPARE(TailleImagesLogos(pourcentage), taille);
    }

    void numero_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<qint64>("numéro");

        QTest::newRow("canal") << u"Canal 5.png"_s << qint64(5);
        QTest::newRow("zéros en tête") << u"Canal 007.png"_s << qint64(7);
        QTest::newRow("au-delà de 16 bits") << u"Canal 40000.png"_s << qint64(40000);
        QTest::newRow("sans préfixe") << u"12.png"_s << qint64(12);
        QTest::newRow("chaque occurrence ôtée") << u"Canal Canal 8.png.png"_s << qint64(8);
        QTest::newRow("préfixe en minuscules") << u"canal 5.png"_s << qint64(0);
        QTest::newRow("extension en capitales") << u"Canal 5.PNG"_s << qint64(5);
        QTest::newRow("image par défaut") << u"_sans.png"_s << qint64(0);
        QTest::newRow("nom sans chiffre") << u"logo.png"_s << qint64(0);
        QTest::newRow("nombre démesuré") << u"Canal 99999999999999999999999.png"_s << qint64(0);
    }

    void numero() {
        QFETCH(QString, nom);
        QFETCH(qint64, numéro);
        QCOMPARE(NuméroLogo(nom), numéro);
    }

    // What the window asks for, in order: the picture for channels without a logo first,
    // then each file once, the first folder hiding the others.
    void fichiers() {
        QTemporaryDir racine;
        QVERIFY(racine.isValid());
        const QDir dir(racine.path());
        QVERIFY(dir.mkpath(u"a/sous-dossier.png"_s));
        QVERIFY(dir.mkpath(u"b"_s));
        for (const QString& nom : {u"a/Canal 5.png"_s, u"a/notes.txt"_s, u"a/x.png"_s,
                                   u"b/_sans.png"_s, u"b/Canal 5.png"_s, u"b/Canal 40000.png"_s}) {
            QFile fichier(dir.filePath(nom));
            QVERIFY(fichier.open(QIODevice::WriteOnly));
        }

        const QList<FichierLogo> logos =
            FichiersLogos({dir.filePath(u"a"_s), dir.filePath(u"absent"_s), dir.filePath(u"b"_s)});
        QStringList obtenus;
        for (const FichierLogo& logo : logos)
            obtenus.append(logo.clé + u' ' + QDir(racine.path()).relativeFilePath(logo.chemin));
        QCOMPARE(obtenus, (QStringList{u"? b/_sans.png"_s, u"K5 a/Canal 5.png"_s, u"K0 a/x.png"_s,
                                       u"K40000 b/Canal 40000.png"_s, u"K0 b/_sans.png"_s}));
    }
};

QTEST_GUILESS_MAIN(TestLogosChaines)
#include "tst_logos_chaines.moc"
