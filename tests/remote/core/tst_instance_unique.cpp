#include "core/instance_unique.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestInstanceUnique : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void nomParUtilisateur();
    void secondeReveilleLaPremiere();
    void sansInstance();
    void nomLaisseParUnPlantage();
    void arretDeLEcoute();
    void instanceQuiNeRepondPas();

private:
    // Socket files go to TMPDIR, so this test meets no real instance.
    QTemporaryDir temporaire;
};

void TestInstanceUnique::initTestCase() {
    QVERIFY(temporaire.isValid());
    qputenv("TMPDIR", temporaire.path().toLocal8Bit());
}

void TestInstanceUnique::nomParUtilisateur() {
    qputenv("USER", "alice");
    const QString alice = NomInstance(u"Navelo"_s, u"WakeUp!"_s);
    qputenv("USER", "b/ob");
    const QString bob = NomInstance(u"Navelo"_s, u"WakeUp!"_s);
    QVERIFY(alice.startsWith(u"Navelo"_s));
    QVERIFY(alice.contains(u"WakeUp!"_s));
    QVERIFY(alice != bob);
    QVERIFY(!bob.contains(u'/'));
}

void TestInstanceUnique::secondeReveilleLaPremiere() {
    InstanceUnique première(u"navelo-test-reveil"_s);
    int réveils = 0;
    QVERIFY(première.Écoute([&] { ++réveils; }));

    InstanceUnique seconde(u"navelo-test-reveil"_s);
    QVERIFY(seconde.RéveilleInstance());
    QCOMPARE(réveils, 1);
    InstanceUnique troisième(u"navelo-test-reveil"_s);
    QVERIFY(troisième.RéveilleInstance());
    QCOMPARE(réveils, 2);
}

void TestInstanceUnique::sansInstance() {
    QElapsedTimer chrono;
    chrono.start();
    InstanceUnique seule(u"navelo-test-seule"_s);
    QVERIFY(!seule.RéveilleInstance());
    QVERIFY(chrono.elapsed() < 1000);
}

void TestInstanceUnique::nomLaisseParUnPlantage() {
    const QString nom = u"navelo-test-plantage"_s;
    QFile reste(QDir(QDir::tempPath()).filePath(nom));
    QVERIFY(reste.open(QIODevice::WriteOnly));
    reste.close();

    InstanceUnique nouvelle(nom);
    QVERIFY(!nouvelle.RéveilleInstance());
    int réveils = 0;
    QVERIFY(nouvelle.Écoute([&] { ++réveils; }));
    InstanceUnique suivante(nom);
    QVERIFY(suivante.RéveilleInstance());
    QCOMPARE(réveils, 1);
}

void TestInstanceUnique::arretDeLEcoute() {
    InstanceUnique première(u"navelo-test-arret"_s);
    int réveils = 0;
    QVERIFY(première.Écoute([&] { ++réveils; }));
    première.ArrêteÉcoute();
    InstanceUnique seconde(u"navelo-test-arret"_s);
    QVERIFY(!seconde.RéveilleInstance());
    QVERIFY(seconde.Écoute({}));
    QCOMPARE(réveils, 0);
}

// Something listens under the name but never acknowledges: the new start runs on its own.
void TestInstanceUnique::instanceQuiNeRepondPas() {
    QLocalServer muet;
    QVERIFY(muet.listen(u"navelo-test-muet"_s));
    QElapsedTimer chrono;
    chrono.start();
    InstanceUnique seconde(u"navelo-test-muet"_s);
    QVERIFY(!seconde.RéveilleInstance(300));
    QVERIFY(chrono.elapsed() >= 250);
    QVERIFY(chrono.elapsed() < 2000);
}

QTEST_GUILESS_MAIN(TestInstanceUnique)
#include "tst_instance_unique.moc"
