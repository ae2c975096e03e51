#include "instance_unique.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestInstanceUnique : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Socket files go to a runtime folder of this test's own, so it meets no real instance.
    void initTestCase() {
        QVERIFY(dossier.isValid());
        QVERIFY(QDir(dossier.path())
                    .mkdir(u"run"_s, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", exécution().toLocal8Bit());
        qputenv("TMPDIR", dossier.path().toLocal8Bit());
    }

    // In the user's private runtime folder; without a usable one, in a private folder made
    // under the temporary folder; never in a folder that others can write or that is not
    // the user's own.
    void emplacement() {
        const auto nom = [] { return NomInstance(u"Navelo"_s, u"WakeUp!"_s); };
        QCOMPARE(QFileInfo(nom()).path(), exécution());

        const QString repli = dossier.filePath(u"runtime-"_s + QString::number(::geteuid()));
        const QString ouvert = dossier.filePath(u"ouvert"_s);
        QVERIFY(QDir().mkdir(ouvert, QFile::Permissions(0x7777)));
        for (const QString& runtime : {QString(), ouvert}) {
            qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
            QCOMPARE(QFileInfo(nom()).path(), repli);
            QCOMPARE(Mode(repli), 0700u);
        }
        QVERIFY(::chmod(repli.toLocal8Bit().constData(), 0777) == 0);
        QCOMPARE(QFileInfo(nom()).path(), repli);
        QCOMPARE(Mode(repli), 0700u);
        if (::geteuid() == 0) {
            QVERIFY(::chown(repli.toLocal8Bit().constData(), 65534, 65534) == 0);
            QCOMPARE(nom(), QString());
        }
        qputenv("XDG_RUNTIME_DIR", exécution().toLocal8Bit());
    }

    // Before a restart: the new process must become the instance.
    void arretDeLEcoute() {
        const QString nom = NomInstance(u"navelo-test"_s, u"arret"_s);
        InstanceUnique première(nom);
        QVERIFY(première.Écoute({}));
        première.ArrêteÉcoute();
        InstanceUnique seconde(nom);
        QVERIFY(!seconde.RéveilleInstance());
        QVERIFY(seconde.Écoute({}));
    }

    // Something listens under the name but never acknowledges: the new start runs on its own
    // and leaves the socket to its owner.
    void instanceQuiNeRepondPas() {
        const QString nom = NomInstance(u"navelo-test"_s, u"muet"_s);
        QLocalServer muet;
        QVERIFY(muet.listen(nom));
        InstanceUnique seconde(nom);
        QVERIFY(!seconde.RéveilleInstance(300));
        const ino_t prise = Inode(nom);
        QVERIFY(!seconde.Écoute({}));
        QCOMPARE(Inode(nom), prise);
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
        environnement.insert(u"XDG_RUNTIME_DIR"_s, exécution());
        environnement.insert(u"http_proxy"_s, u"http://127.0.0.1:9"_s);
        processus.setProcessEnvironment(environnement);
        processus.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        processus.start(dossier.filePath(u"Navelo"_s), {});
        QVERIFY(processus.waitForStarted());
    }

    QString exécution() const { return dossier.filePath(u"run"_s); }
    QString prise() const { return QDir(exécution()).filePath(u"Navelo.WakeUp!"_s); }

    static ino_t Inode(const QString& chemin) {
        struct stat état {};
        return ::stat(QFile::encodeName(chemin).constData(), &état) == 0 ? état.st_ino : 0;
    }

    static uint Mode(const QString& chemin) {
        struct stat état {};
        return ::stat(QFile::encodeName(chemin).constData(), &état) == 0 ? état.st_mode & 0777 : 0;
    }

    QTemporaryDir dossier;
};

QTEST_GUILESS_MAIN(TestInstanceUnique)
#include "tst_instance_unique.moc"
