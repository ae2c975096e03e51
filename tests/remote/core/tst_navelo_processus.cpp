#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The program itself, started twice as a user would.
class TestNaveloProcessus : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dossier.isValid());
        // A copy beside its own settings, which hold a code so that no dialog opens.
        QVERIFY(QFile::copy(QStringLiteral(PROGRAMME_NAVELO), dossier.filePath(u"Navelo"_s)));
        QFile ini(dossier.filePath(u"Navelo.ini"_s));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Config]\r\nCodeT\xE9l\xE9"
                  "commande=12345678\r\n");
        // A cache of today: no fetch from the unreachable box, no warning.
        QFile cache(dossier.filePath(u"channels"_s));
        QVERIFY(cache.open(QIODevice::WriteOnly));
        cache.write("[]\r\n");
    }

    void secondDemarrage() {
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

QTEST_GUILESS_MAIN(TestNaveloProcessus)
#include "tst_navelo_processus.moc"
