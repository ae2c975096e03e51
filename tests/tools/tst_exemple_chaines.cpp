#include "guide/chaines.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

// The sample channel document: about 150 channels written as the box writes them, compact,
// with the forms Navelo's decoder must handle.
class TestExempleChaines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lisibleParNavelo() {
        QFile fichier(QStringLiteral(EXEMPLE_CHAINES));
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        const QByteArray document = fichier.readAll();
        QJsonParseError erreur;
        const QJsonArray chaînes = QJsonDocument::fromJson(document, &erreur).array();
        QCOMPARE(erreur.error, QJsonParseError::NoError);
        QVERIFY(chaînes.size() >= 140 && chaînes.size() <= 160);
        // Qt's compact form has no blank between tokens either.
        QCOMPARE(document.size(), QJsonDocument(chaînes).toJson(QJsonDocument::Compact).size());
        // As the cache file Navelo writes around it. A quote after an escaped backslash would
        // read as escaped.
        QCOMPARE(DécodeChaînes(QByteArray(document + "\r\n")).size(), chaînes.size());
        QVERIFY(!document.contains("\\\\\""));
        for (const char* forme : {"\xC3\xA9", "%C3%A9", "%c3%a9", "\\\"", "\\\\", "\"services\":[{",
                                  "\"available\":false", "\"id\":1000,"})
            QVERIFY2(document.contains(forme), forme);
    }
};

QTEST_APPLESS_MAIN(TestExempleChaines)
#include "tst_exemple_chaines.moc"
