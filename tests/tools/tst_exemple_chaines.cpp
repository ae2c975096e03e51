#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

// The sample channel document must stay readable by Navelo's scanner, which counts braces even
// inside strings, expects no blank between tokens, ends a quoted value at the first quote not
// preceded by a backslash and an array at its first "]".
class TestExempleChaines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lisibleParLeScanner();
};

void TestExempleChaines::lisibleParLeScanner() {
    QFile fichier(QStringLiteral(EXEMPLE_CHAINES));
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    const QByteArray document = fichier.readAll();
    QVERIFY(document.startsWith("[{") && document.endsWith("}]"));

    int profondeur = 0;
    int objets = 0;
    bool dansTexte = false;
    bool échappé = false;
    for (const char c : document) {
        if (dansTexte) {
            if (échappé)
                échappé = false;
            else if (c == '\\')
                échappé = true;
            else
                dansTexte = c != '"';
        } else {
            QVERIFY2(c != ' ' && c != '\t' && c != '\r' && c != '\n', "blank between tokens");
            dansTexte = c == '"';
        }
        if (c == '{' && profondeur++ == 0)
            ++objets;
        if (c == '}')
            QVERIFY(--profondeur >= 0);
    }
    QCOMPARE(profondeur, 0);
    QVERIFY(!document.contains("\\\\\""));

    QJsonParseError erreur;
    const QJsonArray chaînes = QJsonDocument::fromJson(document, &erreur).array();
    QCOMPARE(erreur.error, QJsonParseError::NoError);
    QCOMPARE(chaînes.size(), objets);
    QVERIFY(objets >= 140 && objets <= 160);
    // The only arrays are the document and the services, which therefore hold none.
    QCOMPARE(document.count('['), 1 + document.count("\"services\":["));
    for (const char* forme : {"\xC3\xA9", "%C3%A9", "%c3%a9", "\\\"", "\\\\", "\"services\":[{",
                              "\"available\":false", "\"id\":1000,"})
        QVERIFY2(document.contains(forme), forme);
}

QTEST_APPLESS_MAIN(TestExempleChaines)
#include "tst_exemple_chaines.moc"
