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

void Écrit(const QString& chemin, const QByteArray& octets, const QDateTime& date = {}) {
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write(octets);
    fichier.flush();
    if (date.isValid())
        QVERIFY(fichier.setFileTime(date, QFileDevice::FileModificationTime));
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

    void actualise_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("hd");
        QTest::addColumn<QDateTime>("dateCache"); // invalid: no cache
        QTest::addColumn<bool>("servi");          // false: the box answers 404
        QTest::addColumn<bool>("rapatrié");
        QTest::addColumn<QMessageBox::StandardButton>("réponse");
        QTest::addColumn<SuiteDémarrage>("suite");

        const auto Continuer = SuiteDémarrage::Continuer;
        const auto Aucune = QMessageBox::NoButton;
        const QDateTime absent;
        const QDateTime avantHier(aujourdhui.addDays(-2), {9, 0});
        QTest::newRow("pas de cache") << 5 << 1 << absent << true << true << Aucune << Continuer;
        QTest::newRow("cache d'hier soir") << 5 << 1 << QDateTime(aujourdhui.addDays(-1), {23, 59})
                                           << true << true << Aucune << Continuer;
        QTest::newRow("cache du jour, à minuit passé")
            << 5 << 1 << QDateTime(aujourdhui, {0, 1}) << true << false << Aucune << Continuer;
        QTest::newRow("cache du jour, en fin de journée")
            << 5 << 1 << QDateTime(aujourdhui, {23, 59}) << true << false << Aucune << Continuer;
        QTest::newRow("cache daté de demain") << 5 << 1 << QDateTime(aujourdhui.addDays(1), {8, 0})
                                              << true << false << Aucune << Continuer;
        QTest::newRow("modèle 6 sans cache")
            << 6 << 1 << absent << true << false << Aucune << Continuer;
        QTest::newRow("modèle 6, cache ancien")
            << 6 << 1 << avantHier << true << false << Aucune << Continuer;
        QTest::newRow("boîtier 2") << 5 << 2 << absent << true << true << Aucune << Continuer;
        QTest::newRow("404, oui") << 5 << 1 << avantHier << false << true << QMessageBox::Yes
                                  << Continuer;
        QTest::newRow("404, non") << 5 << 1 << avantHier << false << true << QMessageBox::No
                                  << SuiteDémarrage::Quitter;
    }

    void actualise() {
        QFETCH(int, version);
        QFETCH(int, hd);
        QFETCH(QDateTime, dateCache);
        QFETCH(bool, servi);
        QFETCH(bool, rapatrié);
        QFETCH(QMessageBox::StandardButton, réponse);
        QFETCH(SuiteDémarrage, suite);

        QTemporaryDir dossier;
        ParamètresNavelo paramètres;
        paramètres.Version = static_cast<qint16>(version);
        paramètres.Hd = static_cast<qint16>(hd);
        paramètres.FichierChaînes = dossier.filePath(u"channels"_s);
        if (dateCache.isValid())
            Écrit(paramètres.FichierChaînes, ancienCache, dateCache);
        Écrit(paramètres.FichierChaînes + u".txt"_s, "obsolète");
        boîtier.oublieRequêtes();
        boîtier.définitFichierChaînes(servi ? QStringLiteral(EXEMPLE_CHAINES) : QString());
        OublieMessages();
        if (réponse != QMessageBox::NoButton)
            RéponsesSuivantes({réponse});

        Inet net;
        QCOMPARE(ActualiseChaînes(nullptr, paramètres, net, aujourdhui), suite);

        QVERIFY(!QFile::exists(paramètres.FichierChaînes + u".txt"_s));
        QCOMPARE(boîtier.requêtes().size(), rapatrié ? 1 : 0);
        if (rapatrié)
            QCOMPARE(boîtier.requêtes().constFirst().hôte, u"hd%1.freebox.fr"_s.arg(hd));
        const QByteArray attendu = rapatrié && servi ? Lit(QStringLiteral(EXEMPLE_CHAINES)) + "\r\n"
                                   : dateCache.isValid() ? ancienCache
                                                         : QByteArray();
        QCOMPARE(Lit(paramètres.FichierChaînes), attendu);

        QCOMPARE(MessagesAffichés().size(), réponse == QMessageBox::NoButton ? 0 : 1);
        if (réponse == QMessageBox::NoButton)
            return;
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
    }

private:
    BoitierSimule boîtier;
};

QTEST_MAIN(TestActualisationChaines)
#include "tst_actualisation_chaines.moc"
