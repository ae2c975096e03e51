#include "guide/chaines.h"
#include "guide/chaines_etapes.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The cache file as the refresh step writes it around the box's objects.
QByteArray Cache(const QByteArray& objets) {
    return '[' + objets + "]\r\n";
}

// One line per channel: id|name|short_name|fav|available|services.
QString Lignes(const QList<InfosChaîne>& chaînes) {
    QStringList lignes;
    for (const InfosChaîne& c : chaînes) {
        lignes.append(QStringList{c.id, c.name, c.short_name, c.fav, c.available ? u"1"_s : u"0"_s,
                                  c.services}
                          .join(u'|'));
    }
    return lignes.join(u'\n');
}

struct Document {
    const char* nom;
    const char* objets;
    const char16_t* attendu;
};

const Document documents[] = {
    {"compact", R"({"id":1,"name":"ABC","available":true})", u"1|ABC|||1|"},
    {"mis en page",
     "\r\n\t{\r\n\t\"id\" : 1 ,\r\n\t\"name\" :\t\"A B\" ,\r\n\t\"fav\" : x  y \r\n}",
     u"1|A B||x  y|0|"},
    {"blancs entre guillemets", R"({"name":" A ","id":" 1"})", u" 1| A |||0|"},
    {"guillemet échappé en pourcents", R"({"name":"a%5C%22b"})", u"|a\"b|||0|"},
    {"guillemet nu en pourcents", R"({"name":"a%22b"})", u""},
    {"guillemet échappé", R"({"name":"dit \"oui\"","id":2})", u"2|dit \"oui\"|||0|"},
    {"barre avant une lettre", R"({"short_name":"a\nb\u00e9\\\x"})", u"||anbu00e9\\x||0|"},
    {"id et fav tels quels", R"({"id":"7\\x","fav":"\"a"})", u"7\\\\x|||\\\"a|0|"},
    {"objets sans virgule", R"({"id":1}{"id":2})", u"1||||0|\n2||||0|"},
    {"objet vide", R"({"id":1},{},{"id":2})", u""},
    {"objet dans services", R"({"id":1,"services":[{"t":"a"},{"t":"b"}],"name":"X"})",
     uR"(1|X|||0|{"t":"a"},{"t":"b"})"},
    {"pourcent sans chiffres", R"({"name":"100%","id":1},{"id":2,"name":"50 %"})",
     u"1|100%|||0|\n2|50 %|||0|"},
    {"barre échappée en fin de valeur", R"({"name":"C:\\","id":1},{"id":2,"name":"D:\\"})",
     u"1|C:\\|||0|\n2|D:\\|||0|"},
    {"barre échappée puis guillemet échappé", R"({"name":"a\\\"b"})", u"|a\\\"b|||0|"},
    {"crochet échappé", R"({"services":[a\]b],"id":3})", u"3||||0|a\\]b"},
    {"accolade dans un texte", R"({"name":"a{b"})", u""},
    {"casse des clés, la dernière gagne", R"({"ID":1,"Name":"x","o":[1],"id":2,"AVAILABLE":TRUE})",
     u"2|x|||1|"},
    {"clés sans guillemets", R"({id:7,name :"N"})", u"7|N|||0|"},
    {"clé sans deux-points", R"({"id":1,fav})", u""},
    {"available False", R"({"available":False})", u"||||0|"},
    {"available -1", R"({"available":-1})", u"||||1|"},
    {"available yes", R"({"available":yes})", u""},
};

} // namespace

class TestChaines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void documents_data() {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("attendu");
        for (const Document& d : ::documents)
            QTest::newRow(d.nom) << Cache(d.objets) << QString::fromUtf16(d.attendu);
    }

    void documents() {
        QFETCH(QByteArray, document);
        QFETCH(QString, attendu);
        QCOMPARE(Lignes(DécodeChaînes(document)), attendu);
    }

    void decodeUtf8_data() {
        QTest::addColumn<QByteArray>("objet");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("pourcents") << QByteArray("%C3%a9%25") << u"é%"_s;
        // A "%" that starts no escape of two hexadecimal digits is kept.
        QTest::newRow("chiffre puis autre") << QByteArray("a%4Gb") << u"a%4Gb"_s;
        QTest::newRow("autre puis chiffre") << QByteArray("a%G4b%%41") << u"a%G4b%A"_s;
        QTest::newRow("pourcent final") << QByteArray("a%") << u"a%"_s;
        QTest::newRow("UTF-8 invalide") << QByteArray::fromHex("61ff62c3") << u"a\uFFFDb\uFFFD"_s;
        QTest::newRow("marque d'ordre gardée") << QByteArray("\xEF\xBB\xBFx") << u"\uFEFFx"_s;
    }

    void decodeUtf8() {
        QFETCH(QByteArray, objet);
        QFETCH(QString, attendu);
        QCOMPARE(DecodeUTF8(objet), attendu);
    }
};

QTEST_GUILESS_MAIN(TestChaines)
#include "tst_chaines.moc"
