#include "ansi.h"
#include "brouillage.h"
#include "fichiers.h"
#include "fichiers_test.h"
#include "texte.h"
#include "version.h"

#include <QCoreApplication>
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
        QCOMPARE(Remplace(u"\r\r\r\r"_s, u"\r\r"_s, u"\r"_s), u"\r\r"_s);
        QCOMPARE(Remplace(u"aXaXa"_s, u"X"_s, u"Y"_s, 3), u"aXaYa"_s);
        QCOMPARE(Remplace(u"ab"_s, {}, {}), u"ab"_s);
        QCOMPARE(Remplace(u"<BR />x<br />"_s, u"<br />"_s, {}, 1, Comparaison::Texte), u"x"_s);
        QCOMPARE(PremièreMajuscule(u"\U00010428é"_s), u"\U00010400é"_s);
        const auto Coupe = [](const QString& texte, qint16 limite,
                              Comparaison comparaison = Comparaison::Binaire) {
            return Découpe(texte, comparaison == Comparaison::Texte ? u"x"_s : u"|"_s, limite,
                           comparaison);
        };
        QCOMPARE(Coupe(u"a|b||c|"_s, -1), QStringList({u"a"_s, u"b"_s, {}, u"c"_s, {}}));
        QCOMPARE(Coupe(u"a|b|c"_s, 2), QStringList({u"a"_s, u"b|c"_s}));
        QCOMPARE(Coupe(u"a|b"_s, 0), QStringList());
        QCOMPARE(Coupe(QString(), -1), QStringList());
        QCOMPARE(Coupe(u"a|bXc"_s, -1, Comparaison::Texte), QStringList({u"a|b"_s, u"c"_s}));
    }

    void brouillage() {
        QCOMPARE(EmbrouilleTexte(u"AB"_s), u"EADB"_s);
        QCOMPARE(EmbrouilleTexte(u"é"_s), u"61"_s);
        QCOMPARE(DésembrouilleTexte(u"eadb"_s), u"AB"_s);
        QCOMPARE(DésembrouilleTexte(EmbrouilleTexte(u"€ÿ"_s)), u"€ÿ"_s);
        for (const QString& invalide : {u"EAD"_s, u"ZZ"_s, u"0G1F"_s, u"\uFF11\uFF12"_s})
            QCOMPARE(DésembrouilleTexte(invalide), QString());
        // Every hex digit, in either case.
        QString page;
        for (char16_t c = 0x20; c <= 0xFF; c = c == 0x7F ? 0xA0 : c + 1)
            page += QChar(c);
        QCOMPARE(DésembrouilleTexte(EmbrouilleTexte(page).toLower()), page);
    }

    // The bytes 0x80 to 0x9F, as Windows-1252 has them; the rest is Latin-1, and what the
    // page lacks becomes one "?" per character.
    void windows1252() {
        QByteArray octets;
        for (int b = 0x80; b < 0xA0; ++b)
            octets += char(b);
        const QString page = u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ"_s;
        QCOMPARE(DepuisAnsi(octets), page);
        QCOMPARE(EnAnsi(page), octets);
        QCOMPARE(EnAnsi(u"é\u0100\U0001D11E"_s), "\xE9??"_ba);
    }

    void version() {
        for (const auto& [numéros, texte] : {std::pair{std::array{2, 0, 1}, u"v2.0.1"_s},
                                             {{2, 0, 0}, u"v2.0"_s},
                                             {{9, 9, 1203}, u"v1.2 beta 3"_s},
                                             {{9, 9, 1213}, u"v1.2.1 beta 3"_s},
                                             {{0, 0, 12345}, u"v1.2.3 beta 45"_s}})
            QCOMPARE(TexteVersion(numéros[0], numéros[1], numéros[2]), texte);
        QCoreApplication::setApplicationName(u"Navelo"_s);
        QCoreApplication::setApplicationVersion(u"1.4.0"_s);
        QCOMPARE(TitreEtVersion(), u"Navelo v1.4"_s);
    }

    void fichiers() {
        QCOMPARE(AjouteAntiSlash(u"/opt/navelo"_s), u"/opt/navelo/"_s);
        QCOMPARE(AjouteAntiSlash(u"C:\\"_s), u"C:\\"_s);

        QTemporaryDir dossier;
        QDir d(dossier.path());
        for (const char* nom : {"a.txt", "seul/noext", ".cache", "a[1].png", "sub/f.txt"})
            QVERIFY(ÉcritFichier(d.filePath(QString::fromLatin1(nom)), {}));
        QVERIFY(QFile::link(d.filePath(u"absent"_s), d.filePath(u"lien"_s)));
        const quint32 D = AttributDossier, H = AttributCaché;
        const struct {
            const char16_t* motif;
            quint32 attributs;
            bool existe;
        } cas[] = {{u"a.txt", 0, true}, {u"??.txt", 0, false},    {u"seul/*.*", 0, true},
                   {u"a[1]*", 0, true}, {u"sub\\f.txt", 0, true}, {u".c*", 0, false},
                   {u".c*", H, true},   {u"sub", 0, false},       {u"s?b", D, true},
                   {u"lie*", 0, false}, {u"s*/f.txt", 0, false}};
        for (const auto& c : cas)
            QVERIFY2(FichierExiste(d.filePath(QString::fromUtf16(c.motif)), c.attributs) ==
                         c.existe,
                     qPrintable(QString::fromUtf16(c.motif)));
    }
};

QTEST_GUILESS_MAIN(TestRoutines)
#include "tst_routines.moc"
