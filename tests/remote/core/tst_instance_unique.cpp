#include "core/instance_unique.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestInstanceUnique : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Socket files go to TMPDIR, so this test meets no real instance.
    void initTestCase() {
        QVERIFY(dossier.isValid());
        qputenv("TMPDIR", dossier.path().toLocal8Bit());
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
        QVERIFY(chrono.elapsed() >= 250 && chrono.elapsed() < 2000);
    }

    // The program itself, started as a user would: a copy beside settings that hold a code,
    // and a cache of today, so that it opens no dialog and fetches nothing.
    void programme() {
        QVERIFY(QFile::copy(QStringLiteral(PROGRAMME_NAVELO), dossier.filePath(u"Navelo"_s)));
        const std::pair<QString, QByteArray> fichiers[] = {{u"Navelo.ini"_s,
                                                            "[Config]\r\nCodeT\xE9l\xE9"
                                                            "commande=12345678\r\n"},
                                                           {u"channels"_s, "[]\r\n"}};
        for (const auto& [nom, contenu] : fichiers) {
            QFile fichier(dossier.filePath(nom));
            QVERIFY(fichier.open(QIODevice::WriteOnly) && fichier.write(contenu) > 0);
        }

        QProcess première;
        QProcess troisième;
        const auto arrêt = qScopeGuard([&] {
            for (QProcess* p : {&première, &troisième}) {
                p->kill();
                p->waitForFinished();
            }
        });
        démarre(première);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(prise()), 10000);

        QProcess seconde;
        démarre(seconde);
        QVERIFY(seconde.waitForFinished(10000));
        QCOMPARE(seconde.exitStatus(), QProcess::NormalExit);
        QCOMPARE(seconde.exitCode(), 0);
        QCOMPARE(première.state(), QProcess::Running);

        // A crash leaves the name behind; the next start must still become the instance.
        première.kill();
        QVERIFY(première.waitForFinished());
        QVERIFY(QFile::exists(prise()));
        démarre(troisième);
        QVERIFY(!troisième.waitForFinished(1500));

        QProcess quatrième;
        démarre(quatrième);
        QVERIFY(quatrième.waitForFinished(10000));
        QCOMPARE(quatrième.exitCode(), 0);
        QCOMPARE(troisième.state(), QProcess::Running);
    }

private:
    void démarre(QProcess& processus) {
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        environnement.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        environnement.insert(u"TMPDIR"_s, dossier.path());
        environnement.insert(u"USER"_s, u"essai"_s);
        environnement.insert(u"http_proxy"_s, u"http://127.0.0.1:9"_s);
        processus.setProcessEnvironment(environnement);
        processus.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        processus.start(dossier.filePath(u"Navelo"_s), {});
        QVERIFY(processus.waitForStarted());
    }

    QString prise() const { return QDir(dossier.path()).filePath(u"Navelo.WakeUp!.essai"_s); }

    QTemporaryDir dossier;
};

QTEST_GUILESS_MAIN(TestInstanceUnique)
#include "tst_instance_unique.moc"
