#include "core/instance_unique.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestInstanceUnique : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(temporaire.isValid());
        qputenv("TMPDIR", temporaire.path().toLocal8Bit());
    }

    void nomParUtilisateur() {
        qputenv("USER", "alice");
        const QString alice = NomInstance(u"Navelo"_s, u"WakeUp!"_s);
        qputenv("USER", "b/ob");
        QCOMPARE(alice, u"Navelo.WakeUp!.alice"_s);
        QCOMPARE(NomInstance(u"Navelo"_s, u"WakeUp!"_s), u"Navelo.WakeUp!.b%2Fob"_s);
    }

    // Before a restart: the new process must become the instance.
    void arretDeLEcoute() {
        InstanceUnique première(u"navelo-test-arret"_s);
        QVERIFY(première.Écoute({}));
        première.ArrêteÉcoute();
        InstanceUnique seconde(u"navelo-test-arret"_s);
        QVERIFY(!seconde.RéveilleInstance());
        QVERIFY(seconde.Écoute({}));
    }

    // Something listens under the name but never acknowledges: the new start runs on its own.
    void instanceQuiNeRepondPas() {
        QLocalServer muet;
        QVERIFY(muet.listen(u"navelo-test-muet"_s));
        QElapsedTimer chrono;
        chrono.start();
        QVERIFY(!InstanceUnique(u"navelo-test-muet"_s).RéveilleInstance(300));
        QVERIFY(chrono.elapsed() >= 250);
        QVERIFY(chrono.elapsed() < 2000);
    }

private:
    // Socket files go to TMPDIR, so this test meets no real instance.
    QTemporaryDir temporaire;
};

QTEST_GUILESS_MAIN(TestInstanceUnique)
#include "tst_instance_unique.moc"
