#include "../renovo_test.h"
#include "settings/traductions.h"

class TestTraductions : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

    QString Fichier(const QString& contenu) {
        const QString chemin = dossier.filePath(u"Test.lng"_s);
        if (!ÉcritFichier(chemin, EnAnsi(contenu)))
            qFatal("fixture");
        return chemin;
    }

private Q_SLOTS:
    void lecture() {
        const QString t = u"[Traduction]\r\n"_s, bloc = u"<TXT_A>bloc\r\nsur deux</TXT_A>\r\n"_s;
        // The file, and what it gives for TXT_A.
        const std::pair<QString, QString> cas[] = {
            {t + u"TXT_A=ligne é"_s, u"ligne é"_s},
            {u"[traduction]\r\ntxt_a=ligne"_s, u"ligne"_s},
            {t + u"TXT_A=ligne\r\n"_s + bloc, u"ligne"_s},
            {t + u"TXT_A=\r\n"_s + bloc, u"bloc\r\nsur deux"_s},
            {u"<txt_a>petit</Txt_A>"_s, u"petit"_s},
            {u"<TXT_A>ouvert"_s, u"défaut"_s},
            {t + u"TXT_B=x"_s, u"défaut"_s},
            {t + u"TXT_B=Fine\r\nTXT_A={TXT_B}"_s, u"Fine"_s},
            {t + u"TXT_A={TXT_B}\r\n<TXT_B>b</TXT_B><TXT_A>a</TXT_A>"_s, u"a"_s},
            {t + u"TXT_A={TXT_B}"_s, u"défaut"_s},
            {t + u"TXT_A={TXT_B}\r\nTXT_B={TXT_C}\r\nTXT_C=c"_s, u"{TXT_C}"_s},
            {t + u"TXT_A={"_s, u"{"_s},
            {t + u"TXT_A=un§deux"_s, u"un\r\ndeux"_s},
            {t + u"TXT_A=article '§' 3"_s, u"article § 3"_s}};
        for (const auto& [contenu, attendu] : cas)
            QCOMPARE(LitTraduction(Fichier(contenu), u"TXT_A"_s, u"défaut"_s), attendu);
        QCOMPARE(LitTraduction(QString(), u"MSG_X"_s, u"a§§b"_s), u"a\r\n\r\nb"_s);
        QCOMPARE(Erreur([this] { LitTraduction(dossier.filePath(u"Absent.lng"_s), u"A"_s, {}); }),
                 53);
    }

    // Keys in any letter case; a language file's missing texts stay French.
    void catalogue() {
        colTraductions anglais;
        ChargeTraductions(anglais, Fichier(u"[Traduction]\r\nTXT_STATUT_OK=Done"_s));
        QCOMPARE(anglais.Item(u"txt_statut_ok"_s), u"Done"_s);
        QCOMPARE(anglais.Item(u"TXT_STATUT_ERREUR"_s), u"erreur"_s);
        QCOMPARE(Erreur([&] { anglais.Add(u"Txt_Statut_Ok"_s, u"encore"_s); }), 457);
    }

    void codeLangue() {
        for (const auto& [locale, code] : {std::pair{"fr_FR", 12},
                                           {"en_GB", 9},
                                           {"C", 9},
                                           {"de_DE", 7},
                                           {"es_ES", 10},
                                           {"it_IT", 16},
                                           {"nl_NL", 19},
                                           {"pt_BR", 22},
                                           {"nb_NO", 20},
                                           {"eo", 0}})
            QCOMPARE(CodeLangue(QLocale(QString::fromLatin1(locale))), code);
    }
};

QTEST_MAIN(TestTraductions)
#include "tst_traductions.moc"
