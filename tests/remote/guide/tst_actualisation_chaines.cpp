#include "boitier_simule.h"
#include "core/parametres.h"
#include "guide/actualisation_chaines.h"
#include "net/inet.h"
#include "proxy_local.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
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

    // A failed fetch is a 404 from the box, answered with the given button. The warning waits
    // for its answer under the normal pointer, not the start-up's busy one.
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

        QStringList message;
        bool avertissement = false;
        bool flèche = false;
        QTimer attente;
        connect(&attente, &QTimer::timeout, this, [&] {
            auto* boîte = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!boîte || !message.isEmpty())
                return;
            const QCursor* pointeur = QApplication::overrideCursor();
            message = QStringList{boîte->windowTitle(), boîte->text().left(102)};
            avertissement = boîte->icon() == QMessageBox::Warning &&
                            boîte->standardButtons() == (QMessageBox::Yes | QMessageBox::No);
            flèche = pointeur && pointeur->shape() == Qt::ArrowCursor;
            boîte->button(réponse)->click();
        });
        attente.start(20);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Inet net;
        const SuiteDémarrage suite = ActualiseChaînes(nullptr, paramètres, net, aujourdhui);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QApplication::restoreOverrideCursor();
        QCOMPARE(suite,
                 réponse == QMessageBox::No ? SuiteDémarrage::Quitter : SuiteDémarrage::Continuer);

        QVERIFY(!QFile::exists(paramètres.FichierChaînes + u".txt"_s));
        QCOMPARE(boîtier.requêtes().size(), rapatrié ? 1 : 0);
        if (rapatrié)
            QCOMPARE(boîtier.requêtes().constFirst().hôte, u"hd1.freebox.fr"_s);
        const QByteArray attendu = rapatrié && servi ? Lit(QStringLiteral(EXEMPLE_CHAINES)) + "\r\n"
                                   : dateCache.isValid() ? ancienCache
                                                         : QByteArray();
        QCOMPARE(Lit(paramètres.FichierChaînes), attendu);
        QCOMPARE(avertissement, !servi);
        QCOMPARE(flèche, !servi);
        const QStringList texte = {u"Attention"_s,
                                   u"Impossible de rappatrier la liste des chaînes (fichier "
                                   u"http://hd1.freebox.fr/pub/channels)...\n\nAssurez"_s};
        QCOMPARE(message, servi ? QStringList() : texte);
    }

private:
    BoitierSimule boîtier;
};

QTEST_MAIN(TestActualisationChaines)
#include "tst_actualisation_chaines.moc"
