#include "boite_message.h"
#include "boitier_simule.h"
#include "core/parametres.h"
#include "guide/actualisation_chaines.h"
#include "net/inet.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDate aujourdhui(2024, 3, 15);
const QByteArray ancienCache = "[{\"id\":1,\"name\":\"Ancienne\",\"available\":true}]\r\n";

QByteArray Lit(const QString& chemin) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

} // namespace

class TestActualisationChaines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(boîtier.écoute() != 0);
        qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(boîtier.port()));
        qunsetenv("no_proxy");
    }

    void init() {
        OublieMessages();
        boîtier.oublieRequêtes();
        boîtier.définitFichierChaînes(QStringLiteral(EXEMPLE_CHAINES));
        QVERIFY(dossier.isValid());
        QFile::remove(cache());
        paramètres = {};
        paramètres.FichierChaînes = cache();
    }

    void echeance_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<QDateTime>("dateCache");
        QTest::addColumn<bool>("rapatrié");

        const QDateTime absent;
        QTest::newRow("pas de cache") << 5 << absent << true;
        QTest::newRow("cache d'hier soir")
            << 5 << QDateTime(aujourdhui.addDays(-1), {23, 59}) << true;
        QTest::newRow("cache de l'an dernier")
            << 5 << QDateTime(aujourdhui.addYears(-1), {12, 0}) << true;
        QTest::newRow("cache du jour, à minuit passé")
            << 5 << QDateTime(aujourdhui, {0, 1}) << false;
        QTest::newRow("cache du jour, en fin de journée")
            << 5 << QDateTime(aujourdhui, {23, 59}) << false;
        QTest::newRow("cache daté de demain")
            << 5 << QDateTime(aujourdhui.addDays(1), {8, 0}) << false;
        QTest::newRow("modèle 6 sans cache") << 6 << absent << false;
        QTest::newRow("modèle 6, cache ancien")
            << 6 << QDateTime(aujourdhui.addYears(-1), {12, 0}) << false;
    }

    // Also checks what the refresh leaves on disk: the obsolete ".txt" always goes, the cache
    // becomes the served document with a CR LF, or stays as it was.
    void echeance() {
        QFETCH(int, version);
        QFETCH(QDateTime, dateCache);
        QFETCH(bool, rapatrié);

        paramètres.Version = static_cast<qint16>(version);
        if (dateCache.isValid()) {
            écrit(cache(), ancienCache);
            QFile fichier(cache());
            QVERIFY(fichier.open(QIODevice::ReadWrite));
            QVERIFY(fichier.setFileTime(dateCache, QFileDevice::FileModificationTime));
        }
        écrit(cache() + u".txt"_s, "obsolète");

        QCOMPARE(ActualiseChaînes(nullptr, paramètres, net, aujourdhui), SuiteDémarrage::Continuer);

        QVERIFY(!QFile::exists(cache() + u".txt"_s));
        QVERIFY(MessagesAffichés().isEmpty());
        QCOMPARE(boîtier.requêtes().size(), rapatrié ? 1 : 0);
        if (rapatrié) {
            QCOMPARE(boîtier.requêtes().constFirst().hôte, u"hd1.freebox.fr"_s);
            QCOMPARE(boîtier.requêtes().constFirst().chemin, u"/pub/channels"_s);
            QCOMPARE(Lit(cache()), Lit(QStringLiteral(EXEMPLE_CHAINES)) + "\r\n");
        } else {
            QCOMPARE(Lit(cache()), dateCache.isValid() ? ancienCache : QByteArray());
        }
    }

    void hoteDuBoitier() {
        paramètres.Hd = 2;
        QCOMPARE(ActualiseChaînes(nullptr, paramètres, net, aujourdhui), SuiteDémarrage::Continuer);
        QCOMPARE(boîtier.requêtes().size(), 1);
        QCOMPARE(boîtier.requêtes().constFirst().hôte, u"hd2.freebox.fr"_s);
    }

    // Every byte of the body reaches the cache, whatever its code.
    void octetsConserves() {
        QByteArray tous;
        for (int octet = 1; octet < 256; ++octet)
            tous.append(static_cast<char>(octet));
        const QString servi = dossier.filePath(u"servi"_s);
        écrit(servi, tous);
        boîtier.définitFichierChaînes(servi);

        ActualiseChaînes(nullptr, paramètres, net, aujourdhui);
        QCOMPARE(Lit(cache()), tous + "\r\n");
    }

    void echec_data() {
        QTest::addColumn<bool>("boîtierJoignable");
        QTest::addColumn<QMessageBox::StandardButton>("réponse");
        QTest::addColumn<SuiteDémarrage>("suite");

        QTest::newRow("404, oui") << true << QMessageBox::Yes << SuiteDémarrage::Continuer;
        QTest::newRow("404, non") << true << QMessageBox::No << SuiteDémarrage::Quitter;
        QTest::newRow("injoignable, oui") << false << QMessageBox::Yes << SuiteDémarrage::Continuer;
        QTest::newRow("injoignable, non") << false << QMessageBox::No << SuiteDémarrage::Quitter;
    }

    void echec() {
        QFETCH(bool, boîtierJoignable);
        QFETCH(QMessageBox::StandardButton, réponse);
        QFETCH(SuiteDémarrage, suite);

        boîtier.définitFichierChaînes({});
        if (!boîtierJoignable)
            qputenv("http_proxy", "http://127.0.0.1:1");
        écrit(cache(), ancienCache);
        QFile fichier(cache());
        QVERIFY(fichier.open(QIODevice::ReadWrite));
        QVERIFY(fichier.setFileTime(QDateTime(aujourdhui.addDays(-2), {9, 0}),
                                    QFileDevice::FileModificationTime));
        fichier.close();

        RéponsesSuivantes({réponse});
        const SuiteDémarrage obtenue = ActualiseChaînes(nullptr, paramètres, net, aujourdhui);
        qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(boîtier.port()));
        QCOMPARE(obtenue, suite);

        QCOMPARE(MessagesAffichés().size(), 1);
        const MessageAffiché message = MessagesAffichés().constFirst();
        QCOMPARE(message.titre, u"Attention"_s);
        QCOMPARE(message.icône, QMessageBox::Warning);
        QCOMPARE(message.boutons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(message.texte,
                 u"Impossible de rappatrier la liste des chaînes (fichier "
                 u"http://hd1.freebox.fr/pub/channels)...\n"
                 u"\n"
                 u"Assurez-vous que les boîtiers ADSL et HD sont branchés et que leur firmware "
                 u"est à jour. Dans le cas contraire, procédez à leur mise à jour. Sans ce "
                 u"fichier, vous ne pourrez avoir accès à la liste des chaînes.\n"
                 u"\n"
                 u"Souhaitez-vous tout de même utiliser la Navelo ?"_s);
        QCOMPARE(Lit(cache()), ancienCache);
    }

private:
    QString cache() const { return dossier.filePath(u"channels"_s); }

    static void écrit(const QString& chemin, const QByteArray& octets) {
        QFile fichier(chemin);
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        fichier.write(octets);
    }

    BoitierSimule boîtier;
    QTemporaryDir dossier;
    ParamètresNavelo paramètres;
    Inet net;
};

QTEST_MAIN(TestActualisationChaines)
#include "tst_actualisation_chaines.moc"
