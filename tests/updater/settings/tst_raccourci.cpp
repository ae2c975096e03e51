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

class TestRaccourci : public QObject {
    Q_OBJECT

    QTemporaryDir racine;
    QString commun = racine.filePath(u"xdg/autostart/KorvaneUpdate.desktop"_s);
    QString utilisateur = racine.filePath(u"home/autostart/KorvaneUpdate.desktop"_s);

private Q_SLOTS:
    void initTestCase() {
        qputenv("XDG_CONFIG_DIRS", racine.filePath(u"xdg:/etc/xdg"_s).toUtf8());
        qputenv("XDG_CONFIG_HOME", racine.filePath(u"home"_s).toUtf8());
    }

    // Written in the common folder and replaced there, valid whatever the program's path
    // holds: quotes, dollars, back quotes and backslashes escaped inside the quotes, then the
    // backslashes once more for the file, "%" doubled.
    void inscrit() {
        const QString programme = racine.filePath(u"Mes programmes/a\"b$c`d\\e%f/Renovo"_s);
        InscritDémarrage(u"KorvaneUpdate"_s, racine.filePath(u"Renovo"_s), u"/startup"_s);
        InscritDémarrage(u"KorvaneUpdate"_s, programme, u"/startup"_s);
        QVERIFY(!QFile::exists(utilisateur));
        QCOMPARE(Lit(commun), u"[Desktop Entry]\nType=Application\nName=Renovo\nExec=\""_s +
                                  racine.filePath(u"Mes programmes/a\\\\\"b\\\\$c\\\\`d"
                                                  u"\\\\\\\\e%%f/Renovo\" /startup\n"_s));
        QProcess validation;
        validation.start(u"desktop-file-validate"_s, {commun});
        QVERIFY(validation.waitForFinished());
        QCOMPARE(validation.readAll() + validation.readAllStandardError(), QByteArray());
        QCOMPARE(validation.exitCode(), 0);
    }

    // Removal leaves no copy in either folder, one left in the user's by an earlier run
    // included, and an absent entry is no failure. (The dialog's test refuses the common
    // folder.)
    void retire() {
        QVERIFY(CréeRaccourci(commun, racine.filePath(u"Renovo"_s), u"/startup"_s));
        QVERIFY(CréeRaccourci(utilisateur, racine.filePath(u"Renovo"_s), u"/startup"_s));
        InscritDémarrage(u"KorvaneUpdate"_s, QString(), u"/startup"_s);
        QVERIFY(!QFile::exists(commun));
        QVERIFY(!QFile::exists(utilisateur));
        QVERIFY(!CréeRaccourci(utilisateur, QString(), u"/startup"_s));
    }
};

QTEST_APPLESS_MAIN(TestRaccourci)
#include "tst_raccourci.moc"
