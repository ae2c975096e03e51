#include "ansi.h"
#include "brouillage.h"
#include "fichiers.h"
#include "texte.h"
#include "version.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRoutines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void texte() {
        QCOMPARE(FormateTexte(u"a%vb%vc"_s, {u"X"_s}), u"aXbc"_s);
        QCOMPARE(FormateTexte(u"a%vb%vc"_s, {u"%v"_s, u"Y"_s}), u"aYbc"_s);
        QCOMPARE(FormateTexte(u"%V-%v"_s, {u"[%V]"_s, u"Z"_s, u"W"_s, u"S"_s}), u"[Z]-W"_s);
        QCOMPARE(RépèteTexte(3, u"ab"_s), u"ababab"_s);
        QCOMPARE(RépèteTexte(-1, u"x"_s), QString());
        QCOMPARE(Remplace(u"\r\r\r\r"_s, u"\r\r"_s, u"\r"_s), u"\r\r"_s);
        QCOMPARE(Remplace(u"aXaXa"_s, u"X"_s, u"Y"_s, 3), u"aXaYa"_s);
        QCOMPARE(Remplace(u"<BR />x<br />"_s, u"<br />"_s, {}, 1, Comparaison::Texte), u"x"_s);
        QCOMPARE(Remplace(u"aXa"_s, {}, u"Y"_s), u"aXa"_s);
        QCOMPARE(PremièreMajuscule(u"\U00010428é"_s), u"\U00010400é"_s);
    }

    void decoupe_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("limite");
        QTest::addColumn<bool>("casse");
        QTest::addColumn<QStringList>("morceaux");
        QTest::newRow("no limit") << u"a|b||c|"_s << -1 << false
                                  << QStringList{u"a"_s, u"b"_s, {}, u"c"_s, {}};
        QTest::newRow("limit") << u"a|b|c"_s << 2 << false << QStringList{u"a"_s, u"b|c"_s};
        QTest::newRow("limit 0") << u"a|b"_s << 0 << false << QStringList{};
        QTest::newRow("empty text") << QString() << -1 << false << QStringList{};
        QTest::newRow("text comparison")
            << u"a|bXc"_s << -1 << true << QStringList{u"a|b"_s, u"c"_s};
    }
    void decoupe() {
        QFETCH(QString, texte);
        QFETCH(int, limite);
        QFETCH(bool, casse);
        QFETCH(QStringList, morceaux);
        const QString séparateur = casse ? u"x"_s : u"|"_s;
        const auto comparaison = casse ? Comparaison::Texte : Comparaison::Binaire;
        QCOMPARE(Découpe(texte, séparateur, static_cast<qint16>(limite), comparaison), morceaux);
    }

    void brouillage() {
        QCOMPARE(EmbrouilleTexte(u"AB"_s), u"EADB"_s);
        QCOMPARE(EmbrouilleTexte(u"é"_s), u"61"_s);
        QCOMPARE(DésembrouilleTexte(u"eadb"_s), u"AB"_s);
        QString tous;
        for (int c = 0; c < 256; ++c)
            tous += DepuisAnsi(QByteArray(1, static_cast<char>(c)));
        QCOMPARE(EnAnsi(tous).size(), 256);
        for (const QString& clair : {QString(), tous, QString(tous + tous + u"fin"_s)}) {
            const QString brouillé = EmbrouilleTexte(clair);
            QVERIFY(QRegularExpression(u"^([0-9A-F]{2})*$"_s).match(brouillé).hasMatch());
            QCOMPARE(DésembrouilleTexte(brouillé), clair);
        }
        QCOMPARE(EnAnsi(QString(u"€\u0142\U0001F600"_s + QChar(0xD800))), QByteArray("\x80???"));
        for (const QString& invalide : {u"EAD"_s, u"ZZ"_s, u"0G1F"_s, u"\uFF11\uFF12"_s})
            QCOMPARE(DésembrouilleTexte(invalide), QString());
    }

    void version() {
        QCOMPARE(TexteVersion(2, 0, 1), u"v2.0.1"_s);
        QCOMPARE(TexteVersion(2, 0, 0), u"v2.0"_s);
        QCOMPARE(TexteVersion(10, 12, 99), u"v10.12.99"_s);
        QCOMPARE(TexteVersion(9, 9, 1203), u"v1.2 beta 3"_s);
        QCOMPARE(TexteVersion(9, 9, 1213), u"v1.2.1 beta 3"_s);
        QCOMPARE(TexteVersion(0, 0, 100), u"v0.1 beta 0"_s);
        QCOMPARE(TexteVersion(0, 0, 12345), u"v1.2.3 beta 45"_s);
        QCoreApplication::setApplicationName(u"Navelo"_s);
        QCoreApplication::setApplicationVersion(u"1.4.0"_s);
        QCOMPARE(TitreEtVersion(), u"Navelo v1.4"_s);
    }

    void fichiers() {
        QCOMPARE(AjouteAntiSlash(u"/opt/navelo"_s), u"/opt/navelo/"_s);
        QCOMPARE(AjouteAntiSlash(u"C:\\"_s), u"C:\\"_s);
        QCOMPARE(AjouteAntiSlash(QString()), u"/"_s);

        QTemporaryDir dossier;
        QDir d(dossier.path());
        for (const char* nom : {"a.txt", "seul/noext", ".cache", "a[1].png", "sub/f.txt"}) {
            QVERIFY(d.mkpath(QFileInfo(d.filePath(QString::fromLatin1(nom))).path()));
            QVERIFY(QFile(d.filePath(QString::fromLatin1(nom))).open(QIODevice::WriteOnly));
        }
        QVERIFY(d.mkdir(u"vide"_s));
        QVERIFY(QFile::link(d.filePath(u"absent"_s), d.filePath(u"lien"_s)));
        const quint32 D = AttributDossier, H = AttributCaché;
        const struct {
            const char16_t* motif;
            quint32 attributs;
            bool existe;
        } cas[] = {{u"a.txt", 0, true},      {u"?.txt", 0, true}, {u"??.txt", 0, false},
                   {u"seul/*.*", 0, true},   {u"a[1]*", 0, true}, {u"a1*", 0, false},
                   {u"sub\\f.txt", 0, true}, {u".c*", 0, false},  {u".c*", H, true},
                   {u"sub", 0, false},       {u"s?b", D, true},   {u"vide/", 0, false},
                   {u"vide/", D, true},      {u"lie*", 0, false}, {u"s*/f.txt", 0, false}};
        for (const auto& c : cas)
            QVERIFY2(FichierExiste(d.filePath(QString::fromUtf16(c.motif)), c.attributs) ==
                         c.existe,
                     qPrintable(QString::fromUtf16(c.motif)));
    }
};

QTEST_APPLESS_MAIN(TestRoutines)
#include "tst_routines.moc"
