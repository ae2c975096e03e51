#include "instance_unique.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

    // In the user's private runtime folder, or else in a private one under the temporary
    // folder; never in one that others can write or that is not the user's own.
    void emplacement() {
        const auto nom = [] { return NomInstance(u"Navelo"_s, u"WakeUp!"_s); };
        QCOMPARE(QFileInfo(nom()).path(), exécution());

        const QString repli = dossier.filePath(u"runtime-"_s + QString::number(::geteuid()));
        const QString ouvert = dossier.filePath(u"ouvert"_s);
        QVERIFY(QDir().mkdir(ouvert, QFile::Permissions(0x7777)));
        for (const QString& runtime : {QString(), ouvert}) {
            qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
            QCOMPARE(QFileInfo(nom()).path(), repli);
            QCOMPARE(État(repli).st_mode & 0777, 0700u);
        }
        QVERIFY(::chmod(repli.toLocal8Bit().constData(), 0777) == 0);
        QCOMPARE(QFileInfo(nom()).path(), repli);
        QCOMPARE(État(repli).st_mode & 0777, 0700u);
        if (::geteuid() == 0) {
            QVERIFY(::chown(repli.toLocal8Bit().constData(), 65534, 65534) == 0);
            QCOMPARE(nom(), QString());
        }
        qputenv("XDG_RUNTIME_DIR", exécution().toLocal8Bit());
    }

    // Before a restart the instance stops listening, and a crash leaves its name behind: either
    // way the next start becomes the instance, and wakes up at the start after it.
    void repriseDuNom() {
        for (const bool plantage : {false, true}) {
            const QString nom = NomInstance(u"navelo-test"_s, QString::number(plantage));
            InstanceUnique ancienne(nom);
            if (plantage) {
                const QByteArray chemin = QFile::encodeName(nom);
                sockaddr_un adresse{};
                adresse.sun_family = AF_UNIX;
                std::copy_n(chemin.constData(), chemin.size(), adresse.sun_path);
                const int prise = ::socket(AF_UNIX, SOCK_STREAM, 0);
                QVERIFY(::bind(prise, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse) == 0);
                ::close(prise);
            } else {
                QVERIFY(ancienne.Écoute({}));
                ancienne.ArrêteÉcoute();
            }
            InstanceUnique première(nom);
            QVERIFY(!première.RéveilleInstance(300));
            int réveils = 0;
            QVERIFY(première.Écoute([&réveils] { ++réveils; }));
            InstanceUnique seconde(nom);
            QVERIFY(seconde.RéveilleInstance());
            QCOMPARE(réveils, 1);
        }
    }

    // Something listens under the name but never acknowledges: the new start runs on its own
    // and leaves the socket to its owner.
    void instanceQuiNeRepondPas() {
        const QString nom = NomInstance(u"navelo-test"_s, u"muet"_s);
        QLocalServer muet;
        QVERIFY(muet.listen(nom));
        InstanceUnique seconde(nom);
        QVERIFY(!seconde.RéveilleInstance(300));
        const ino_t prise = État(nom).st_ino;
        QVERIFY(!seconde.Écoute({}));
        QCOMPARE(État(nom).st_ino, prise);
    }

private:
    QString exécution() const { return dossier.filePath(u"run"_s); }

    static struct stat État(const QString& chemin) {
        struct stat état {};
        ::stat(QFile::encodeName(chemin).constData(), &état);
        return état;
    }

    QTemporaryDir dossier;
};

QTEST_GUILESS_MAIN(TestInstanceUnique)
#include "tst_instance_unique.moc"
