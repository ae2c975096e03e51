#include "raccourci.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString Lit(const QString& chemin) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? QString::fromUtf8(fichier.readAll()) : QString();
}

} // namespace

// The logon entry as the configuration dialog writes it. The suite runs as root, so the
// common folder is refused by placing it under a regular file.
class TestRaccourci : public QObject {
    Q_OBJECT

    QTemporaryDir racine;
    QString commun;
    QString utilisateur;

private Q_SLOTS:
    void init() {
        const QString dossier = racine.filePath(QString::fromLatin1(QTest::currentTestFunction()) +
                                                QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(dossier + u"/home"_s));
        qputenv("XDG_CONFIG_DIRS", (dossier + u"/xdg:/etc/xdg"_s).toUtf8());
        qputenv("XDG_CONFIG_HOME", (dossier + u"/home"_s).toUtf8());
        commun = dossier + u"/xdg/autostart/KorvaneUpdate.desktop"_s;
        utilisateur = dossier + u"/home/autostart/KorvaneUpdate.desktop"_s;
    }

    // A program path with blanks, quotes, dollars, backslashes and percents still starts
    // that program: the entry is valid and its command gives the path back.
    void entree() {
        const QString programme = racine.filePath(u"Mes programmes/a\"b$c`d\\e%f/Renovo"_s);
        QVERIFY(CréeRaccourci(commun, programme, u"/startup"_s));
        const QString texte = Lit(commun);
        QVERIFY(texte.startsWith(u"[Desktop Entry]\n"_s));
        QVERIFY(texte.contains(u"\nType=Application\n"_s));
        QVERIFY(texte.contains(u"\nName=Renovo\n"_s));

        QProcess validation;
        validation.start(u"desktop-file-validate"_s, {commun});
        QVERIFY(validation.waitForFinished());
        QCOMPARE(QString::fromUtf8(validation.readAllStandardOutput() +
                                   validation.readAllStandardError()),
                 QString());
        QCOMPARE(validation.exitCode(), 0);

        // The Exec line read back as the desktop-entry rules say: the string escapes first,
        // then the quoting and "%%".
        const qsizetype début = texte.indexOf(u"\nExec="_s) + 6;
        QString exec = texte.mid(début, texte.indexOf(u'\n', début) - début);
        exec.replace(u"\\\\"_s, u"\\"_s);
        QVERIFY(exec.startsWith(u'"'));
        QString argument;
        qsizetype i = 1;
        for (; exec[i] != u'"'; ++i) {
            // A lone "%" would be a field code.
            if (exec[i] == u'\\' || exec[i] == u'%')
                ++i;
            argument += exec[i];
        }
        QCOMPARE(argument, programme);
        QCOMPARE(exec.mid(i + 1), u" /startup"_s);
    }

    // The common folder first; the user's when the common one cannot be written. Removal
    // leaves no copy in either folder, and the absence of an entry is no failure.
    void inscrit_data() {
        QTest::addColumn<bool>("communRefusé");
        QTest::newRow("common folder") << false;
        QTest::newRow("common folder refused") << true;
    }
    void inscrit() {
        QFETCH(bool, communRefusé);
        if (communRefusé) {
            const QString xdg = QFileInfo(QFileInfo(commun).path()).path();
            QFile obstacle(xdg);
            QVERIFY(obstacle.open(QIODevice::WriteOnly));
        }
        const QString programme = racine.filePath(u"Renovo"_s);
        InscritDémarrage(u"KorvaneUpdate"_s, programme, u"/startup"_s);
        QCOMPARE(QFile::exists(commun), !communRefusé);
        QCOMPARE(QFile::exists(utilisateur), communRefusé);
        const QString créé = communRefusé ? utilisateur : commun;
        QVERIFY(Lit(créé).contains(u"\nExec=\""_s + programme + u"\" /startup\n"_s));

        // Replaced, not appended to.
        InscritDémarrage(u"KorvaneUpdate"_s, programme + u"2"_s, u"/startup"_s);
        QCOMPARE(Lit(créé).count(u"Exec="_s), 1);
        QVERIFY(Lit(créé).contains(u"Renovo2\" /startup"_s));

        // An entry left in the user's folder by an earlier run goes too.
        if (!communRefusé)
            QVERIFY(CréeRaccourci(utilisateur, programme, u"/startup"_s));
        InscritDémarrage(u"KorvaneUpdate"_s, QString(), u"/startup"_s);
        QVERIFY(!QFile::exists(commun));
        QVERIFY(!QFile::exists(utilisateur));
        InscritDémarrage(u"KorvaneUpdate"_s, QString(), u"/startup"_s);
        QVERIFY(!CréeRaccourci(utilisateur, QString(), u"/startup"_s));
    }
};

QTEST_APPLESS_MAIN(TestRaccourci)
#include "tst_raccourci.moc"
