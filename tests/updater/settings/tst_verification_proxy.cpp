#include "settings/verification_proxy.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestVerificationProxy : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void verifie_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("adresse");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("refus"); // message key, empty when accepted
        const QString adresse = u"MSG_ERREUR_PROXY_ADRESSE"_s;
        const QString port = u"MSG_ERREUR_PROXY_PORT"_s;
        QTest::newRow("8080") << 2 << u"proxy"_s << u"8080"_s << QString();
        QTest::newRow("0") << 2 << u"proxy"_s << u"0"_s << QString();
        QTest::newRow("65535") << 2 << u"proxy"_s << u"65535"_s << QString();
        QTest::newRow("65536") << 2 << u"proxy"_s << u"65536"_s << port;
        QTest::newRow("70000") << 2 << u"proxy"_s << u"70000"_s << port;
        QTest::newRow("letter") << 2 << u"proxy"_s << u"80a"_s << port;
        QTest::newRow("leading blank") << 2 << u"proxy"_s << u" 80"_s << port;
        QTest::newRow("sign") << 2 << u"proxy"_s << u"+80"_s << port;
        QTest::newRow("empty port") << 2 << u"proxy"_s << QString() << port;
        QTest::newRow("beyond 64 bits") << 2 << u"proxy"_s << u"99999999999999999999999"_s << port;
        QTest::newRow("empty address first") << 2 << QString() << u"x"_s << adresse;
        QTest::newRow("direct, empty") << 1 << QString() << QString() << QString();
        QTest::newRow("browser's, any port") << 0 << QString() << u"x"_s << QString();
    }
    void verifie() {
        QFETCH(int, type);
        QFETCH(QString, adresse);
        QFETCH(QString, port);
        QFETCH(QString, refus);
        const auto résultat = VérifieProxy(type, adresse, port);
        QCOMPARE(résultat ? résultat->cléMessage : QString(), refus);
        if (résultat) {
            QCOMPARE(résultat->champ,
                     refus == u"MSG_ERREUR_PROXY_PORT" ? ChampProxy::Port : ChampProxy::Adresse);
        }
    }
};

QTEST_APPLESS_MAIN(TestVerificationProxy)
#include "tst_verification_proxy.moc"
