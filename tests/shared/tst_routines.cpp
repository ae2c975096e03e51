#include "ansi.h"
#include "brouillage.h"
#include "fichiers.h"
#include "fichiers_test.h"
#include "ini.h"
#include "ini_document.h"
#include "texte.h"
#include "version.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include "limite_fichiers.h"

#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

class TestRoutines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void texte() {
        QCOMPARE(FormateTexte(u"a%vb%vc"_s, {u"X"_s}), u"aXbc"_s);
        QCOMPARE(FormateTexte(u"a%vb%vc"_s, {u"%v"_s, u"Y"_s}), u"aYbc"_s);
        QCOMPARE(FormateTexte(u"%V-%v"_s, {u"[%V]"_s, u"Z"_s, u"W"_s, u"S"_s}), u"[Z]-W"_s);
        QCOMPARE(RépèteTexte(3, u"ab"_s) + RépèteTexte(1, u"c"_s), u"abababc"_s);
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
                                             {{2, 0, 99}, u"v2.0.99"_s},
                                             {{9, 9, 100}, u"v0.1 beta 0"_s},
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

    void lecture() {
        const struct {
            const char* contenu;
            const char16_t* clé;
            const char16_t* attendu; // null: missing
        } cas[] = {
            {"[C]\r\nA=0\r\nB=5\r\n", u"B", u"5"},
            {"[c]\r\nA=5", u"a", u"5"},
            {"[C]\r\nCl\xe9=1", u"CLÉ", u"1"},
            {"[C]\r\nN=\x80 \xe9t\xe9", u"N", u"€ été"},
            {"[C]\r\nA=1\r\n[C]\r\nA=2\r\nB=3", u"B", nullptr},
            {"[C]\r\nA=1\r\nA=2", u"A", u"1"},
            {" [ C ] \r\n\t A \t=  x y \t", u" A\t", u"x y"},
            {"[C]\nA= \" x \" ", u"A", u" x "},
            {"[C]\nA=\"", u"A", u"\""},
            {"[C]\nA=\"\"", u"A", u""},
            {"[C]\nA=1001", u"A", u"1001"},
            {"[C]\n;A=1\n  ; A=2", u"A", nullptr},
            {"[C]\nA=1 ; un", u"A", u"1 ; un"},
            // Saved by a UTF-8 editor, with or without a byte order mark.
            {"\xEF\xBB\xBF[C]\r\nA=1", u"A", u"1"},
            {"\xEF\xBB\xBF[C]\r\nCl\xC3\xA9=\xE2\x82\xAC", u"clÉ", u"€"},
            {"[C]\r\nCl\xC3\xA9=\xC3\xA9", u"Clé", u"é"},
            {"[C]\r\nCl\xC3\xA9=\xE9", u"Clé", nullptr},
            // Two such files joined: the second one's mark is no part of its first key's name.
            {"\xEF\xBB\xBF[C]\r\nB=1\r\n\xEF\xBB\xBFZ=2", u"Z", u"2"},
        };
        for (const auto& c : cas) {
            const auto valeur = ValeurIni(c.contenu, u"C", c.clé);
            QVERIFY2(valeur.has_value() == (c.attendu != nullptr), c.contenu);
            if (valeur)
                QCOMPARE(*valeur, QString::fromUtf16(c.attendu));
        }
    }

    void ecriture() {
        const struct {
            const char* avant;
            const char16_t *section, *clé;
            QStringView valeur;
            const char* après;
        } cas[] = {
            {"; t\xeate\r\n[C]\r\nA=1\r\n; n\r\n X = x \r\nB=2\r\n[D]\r\nB=9", u"C", u"B", u"3",
             "; t\xeate\r\n[C]\r\nA=1\r\n; n\r\n X = x \r\nB=3\r\n[D]\r\nB=9"},
            {"[C]\n  Version = 5 \n", u"c", u"VERSION", u"6", "[C]\n  Version=6\n"},
            {"[C]\r\nA=1\r\nA=2\r\n", u"C", u"A", u"3", "[C]\r\nA=3\r\nA=2\r\n"},
            {"[C]\r\n[D]\r\n[C]\r\nB=1\r\n", u"C", u"B", u"2",
             "[C]\r\nB=2\r\n[D]\r\n[C]\r\nB=1\r\n"},
            {"[C]\r\nA=1\r\n\r\n[D]\r\n", u"C", u"B", u"2", "[C]\r\nA=1\r\nB=2\r\n\r\n[D]\r\n"},
            {"[C]\r\nA=1", u"C", u"B", u"2", "[C]\r\nA=1\r\nB=2\r\n"},
            {"[C]\nA=1", u"D", u"B", u"2", "[C]\nA=1\n[D]\nB=2\n"},
            {"", u"C", u"Clé", u"é€", "[C]\r\nCl\xe9=\xe9\x80\r\n"},
            {"[C]\n", u"C", u"A", u"a\U0001F600\u0142", "[C]\nA=a??\n"},
            {"[C]\nA=0\n", u"C", u"A", u"1\r\n[D]\r\nX=2", "[C]\nA=1\n"},
            {"[C]\nA=0\n", u"C", u"A", u"1\n[D]", "[C]\nA=1\n"},
            {"[C]\nA=0\n", u"C", u"A", QStringView::fromArray(u"1\0[D]"), "[C]\nA=1\n"},
            {"[C]\n", u"C\n[D]", u"A\rB", u"1", "[C]\nA=1\n"},
            // A UTF-8 file stays UTF-8, mark included; any other stays Windows-1252.
            {"\xEF\xBB\xBF[C]\r\nCl\xC3\xA9=1\r\n", u"C", u"CLÉ", u"é€",
             "\xEF\xBB\xBF[C]\r\nCl\xC3\xA9=\xC3\xA9\xE2\x82\xAC\r\n"},
            {"[C]\nA=\xC3\xA9\n", u"C", u"Clé", u"1", "[C]\nA=\xC3\xA9\nCl\xC3\xA9=1\n"},
            {"\xEF\xBB\xBF", u"C", u"A", u"1", "\xEF\xBB\xBF[C]\r\nA=1\r\n"},
            {"[C]\nA=\xE9\n", u"C", u"Clé", u"1", "[C]\nA=\xE9\nCl\xE9=1\n"},
        };
        for (const auto& c : cas)
            QCOMPARE(AvecValeurIni(c.avant, c.section, c.clé, c.valeur), QByteArray(c.après));
    }

    void fichier() {
        const QTemporaryDir dossier;
        const QString chemin = dossier.filePath(u"Navelo.ini"_s);
        QCOMPARE(LitIni(chemin, u"C"_s, u"A"_s, u" défaut \t "_s), u" défaut"_s);
        EcritIni(chemin, u"Config"_s, u"Clé"_s, u"1"_s);
        EcritIni(chemin, u"Config"_s, u"Long"_s, QString(40'000, u'x'));
        EcritIni(chemin, u"Config"_s, u"Clé"_s, u"2"_s);
        QCOMPARE(LitFichier(chemin),
                 "[Config]\r\nCl\xe9=2\r\nLong=" + QByteArray(40'000, 'x') + "\r\n");
        QCOMPARE(LitIni(chemin, u"config"_s, u"clé"_s, {}), u"2"_s);
        QCOMPARE(LitIni(chemin, u"Config"_s, u"Long"_s, {}), QString(31'999, u'x'));
        QCOMPARE(LitIni(chemin, u"Config"_s, u"Z"_s, QString(40'000, u'd')), QString(31'999, u'd'));
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), QStringList{u"Navelo.ini"_s});
    }

#ifdef Q_OS_UNIX
    // The file holds the box's remote code: a new one is for its owner only, an existing one
    // keeps the mode its owner gave it, and one that cannot be read is never replaced.
    void droits() {
        const QTemporaryDir dossier;
        const mode_t umaskAvant = ::umask(022);
        const QString nouveau = dossier.filePath(u"nouveau.ini"_s);
        const QString ancien = dossier.filePath(u"ancien.ini"_s);
        EcritIni(nouveau, u"C"_s, u"A"_s, u"1"_s);
        QVERIFY(ÉcritFichier(ancien, "[C]\nA=0\n"));
        QVERIFY(QFile::setPermissions(ancien, QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ReadGroup | QFile::ReadOther));
        EcritIni(ancien, u"C"_s, u"A"_s, u"1"_s);
        ::umask(umaskAvant);
        const auto propriétaire =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        QCOMPARE(QFile::permissions(nouveau), propriétaire);
        QCOMPARE(QFile::permissions(ancien), propriétaire | QFile::ReadGroup | QFile::ReadOther);

        // Root reads anything, so the write is made as nobody, in a folder open to all.
        QVERIFY(QFile::setPermissions(ancien, {}));
        QVERIFY(QFile::setPermissions(dossier.path(), QFile::Permissions(0x7777)));
        const bool root = ::geteuid() == 0;
        QVERIFY(!root || ::seteuid(65534) == 0);
        EcritIni(ancien, u"C"_s, u"A"_s, u"2"_s);
        QVERIFY(!root || ::seteuid(0) == 0);
        QVERIFY(QFile::setPermissions(ancien, QFile::ReadOwner));
        QCOMPARE(LitFichier(ancien), "[C]\nA=1\n");
    }

    // A write that fails half-way (here at the file size limit, as on a full disk) leaves
    // the old file whole and no temporary file behind.
    void ecritureInterrompue() {
        const QTemporaryDir dossier;
        const QString chemin = dossier.filePath(u"plein.ini"_s);
        const QByteArray avant = "[C]\r\nA=0\r\n; garder\r\n";
        QVERIFY(ÉcritFichier(chemin, avant));
        {
            const LimiteFichiers limite(4096);
            EcritIni(chemin, u"C"_s, u"A"_s, QString(100'000, u'x'));
        }
        QCOMPARE(LitFichier(chemin), avant);
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{u"plein.ini"_s});
    }
#endif
};

QTEST_GUILESS_MAIN(TestRoutines)
#include "tst_routines.moc"
