#include "boite_message.h"
#include "boitier_simule.h"
#include "core/parametres.h"
#include "guide/actualisation_chaines.h"
#include "net/inet.h"
#include "proxy_local.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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
        ProxyLocal(boîtier.port());
    }

    // A failed fetch is a 404 from the box, answered with the given button.
    void actualise_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<QDateTime>("dateCache"); // invalid: no cache
        QTest::addColumn<bool>("rapatrié");
        QTest::addColumn<QMessageBox::StandardButton>("réponse");

        const auto Aucune = QMessageBox::NoButton;
        const QDateTime avantHier(aujourdhui.addDays(-2), {9, 0});
        QTest::newRow("pas de cache") << 5 << QDateTime() << true << Aucune;
        QTest::newRow("cache d'hier soir")
            << 5 << QDateTime(aujourdhui.addDays(-1), {23, 59}) << true << Aucune;
        QTest::newRow("cache du jour") << 5 << QDateTime(aujourdhui, {23, 59}) << false << Aucune;
        QTest::newRow("cache daté de demain")
            << 5 << QDateTime(aujourdhui.addDays(1), {8, 0}) << false << Aucune;
        QTest::newRow("modèle 6, cache ancien") << 6 << avantHier << false << Aucune;
        QTest::newRow("404, oui") << 5 << avantHier << true << QMessageBox::Yes;
        QTest::newRow("404, non") << 5 << avantHier << true << QMessageBox::No;
    }

    void actualise() {
        QFETCH(int, version);
        QFETCH(QDateTime, dateCache);
        QFETCH(bool, rapatrié);
        QFETCH(QMessageBox::StandardButton, réponse);
        const bool servi = réponse == QMessageBox::NoButton;

        QTemporaryDir dossier;
        ParamètresNavelo paramètres;
        paramètres.Version = static_cast<qint16>(version);
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
        QCOMPARE(ActualiseChaînes(nullptr, paramètres, net, aujourdhui),
                 réponse == QMessageBox::No ? SuiteDémarrage::Quitter : SuiteDémarrage::Continuer);

        QVERIFY(!QFile::exists(paramètres.FichierChaînes + u".txt"_s));
        QCOMPARE(boîtier.requêtes().size(), rapatrié ? 1 : 0);
        if (rapatrié)
            QCOMPARE(boîtier.requêtes().constFirst().hôte, u"hd1.freebox.fr"_s);
        const QByteArray attendu = rapatrié && servi ? Lit(QStringLiteral(EXEMPLE_CHAINES)) + "\r\n"
                                   : dateCache.isValid() ? ancienCache
                                                         : QByteArray();
        QCOMPARE(Lit(paramètres.FichierChaînes), attendu);

        QCOMPARE(MessagesAffichés().size(), servi ? 0 : 1);
        if (servi)
            return;
        const MessageAffiché message = MessagesAffichés().constFirst();
        QCOMPARE(message.titre, u"Attention"_s);
        QCOMPARE(message.icône, QMessageBox::Warning);
        QCOMPARE(message.boutons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(message.texte.startsWith(u"Impossible de rappatrier la liste des chaînes (fichier "
                                         u"http://hd1.freebox.fr/pub/channels)...\n\nAssurez"_s));
    }

    // The warning waits for its answer under the normal pointer, not the busy one.
    void pointeurPendantLAvertissement() {
        QTemporaryDir dossier;
        ParamètresNavelo paramètres;
        paramètres.FichierChaînes = dossier.filePath(u"channels"_s);
        boîtier.définitFichierChaînes({});
        OublieMessages();
        int pointeur = -1;
        QTimer attente;
        connect(&attente, &QTimer::timeout, this, [&] {
            if (auto* boîte = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                const QCursor* forcé = QApplication::overrideCursor();
                pointeur = forcé ? forcé->shape() : Qt::ArrowCursor;
                boîte->button(QMessageBox::No)->click();
            }
        });
        attente.start(20);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Inet net;
        const SuiteDémarrage suite = ActualiseChaînes(nullptr, paramètres, net, aujourdhui);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QApplication::restoreOverrideCursor();
        QCOMPARE(suite, SuiteDémarrage::Quitter);
        QCOMPARE(pointeur, int(Qt::ArrowCursor));
    }

private:
    BoitierSimule boîtier;
};

QTEST_MAIN(TestActualisationChaines)
#include "tst_actualisation_chaines.moc"
