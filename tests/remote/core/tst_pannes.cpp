#include "boite_message.h"
#include "core/expediteur_touches.h"
#include "core/frmNavelo.h"
#include "guide/actualisation_chaines.h"
#include "serveur_scripte.h"

#include <QFile>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using Réponse = ServeurScripté::Réponse;
Q_DECLARE_METATYPE(ServeurScripté::Réponse)

namespace {

QByteArray Lit(const QString& chemin) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

bool Écrit(const QString& chemin, const QByteArray& octets) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::WriteOnly) && fichier.write(octets) == octets.size();
}

} // namespace

// What a user notices when the box misbehaves or the settings file is damaged.
class TestPannes : public QObject {
    Q_OBJECT

    QTemporaryDir temporaire;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(temporaire.isValid());
        qputenv("TMPDIR", temporaire.path().toLocal8Bit());
        qunsetenv("no_proxy");
    }

    // A box that answers late, cuts the connection or refuses the key: each key still goes out
    // at once, the new one cancelling the one still running.
    void envoiSansAttente_data() {
        QTest::addColumn<Réponse>("réponse");
        QTest::newRow("answer after 30 s") << Réponse{ServeurScripté::réponse("200 OK"), 30'000};
        QTest::newRow("connection cut") << Réponse{{}, 0, false, true};
        QTest::newRow("403") << Réponse{ServeurScripté::réponse("403 Forbidden", "non")};
    }

    void envoiSansAttente() {
        QFETCH(Réponse, réponse);
        ServeurScripté boîtier(réponse);
        qputenv("http_proxy", boîtier.url().toLatin1());
        ParamètresNavelo paramètres;
        ExpéditeurTouches expéditeur(paramètres);
        for (int i = 1; i <= 3; ++i) {
            expéditeur.TraiteTouche(u"vol_inc"_s);
            QTRY_VERIFY(boîtier.requêtes() >= i);
        }
    }

    // A box that never answers the channel list: the warning comes once the fetch gives up,
    // and Yes goes on without a list.
    void rapatriementAbandonne() {
        ServeurScripté muet({{}, 0, true});
        qputenv("http_proxy", muet.url().toLatin1());
        ParamètresNavelo paramètres;
        paramètres.FichierChaînes = temporaire.filePath(u"channels"_s);
        OublieMessages();
        RéponsesSuivantes({QMessageBox::Yes});
        Inet net;
        QCOMPARE(ActualiseChaînes(nullptr, paramètres, net), SuiteDémarrage::Continuer);
        QCOMPARE(MessagesAffichés().size(), 1);
        QVERIFY(!QFile::exists(paramètres.FichierChaînes));
    }

    void parametresHostiles_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QList<int>>("attendus"); // Version, Hd, three sizes
        const QByteArray code = "[Config]\r\nCodeT\xE9l\xE9"
                                "commande=12345678\r\n";

        QByteArray bruit(64 * 1024, Qt::Uninitialized);
        QRandomGenerator aléa(5);
        for (char& octet : bruit)
            octet = static_cast<char>(aléa.bounded(256));
        QTest::newRow("random bytes") << bruit + "\r\n" + code << QList<int>{5, 1, 100, 100, 50};
        QTest::newRow("10 MB line")
            << code + "TailleClavier=" + QByteArray(10 * 1024 * 1024, '9') + "\r\n"
            << QList<int>{5, 1, 100, 500, 50};
    }

    // The remote starts, usable and on the screen, and the positions written at exit leave
    // the rest of the file as it was.
    void parametresHostiles() {
        QFETCH(QByteArray, contenu);
        QFETCH(QList<int>, attendus);
        QTemporaryDir dossier;
        const QString ini = dossier.filePath(u"Navelo.ini"_s);
        QVERIFY(Écrit(ini, contenu));
        QVERIFY(Écrit(dossier.filePath(u"channels"_s), "[]\r\n"));
        OptionsNavelo options;
        options.dossierParamètres = dossier.path();
        options.nomInstance = u"navelo-pannes-"_s + QString::fromUtf8(QTest::currentDataTag());

        frmNavelo fenêtre(options);
        QVERIFY(fenêtre.Form_Load());
        const ParamètresNavelo& p = fenêtre.Paramètres();
        QCOMPARE((QList<int>{p.Version, p.Hd, p.TailleFenêtrePrincipale, p.TailleClavier,
                             p.TailleLogos}),
                 attendus);
        QVERIFY(QGuiApplication::primaryScreen()->geometry().intersects(fenêtre.geometry()));
        fenêtre.close();
        const QByteArray après = Lit(ini);
        QVERIFY(après.startsWith(contenu.left(contenu.indexOf("[Config]"))));
        QVERIFY(après.size() >= contenu.size());
    }
};

QTEST_MAIN(TestPannes)
#include "tst_pannes.moc"
