#include "ansi.h"
#include "boite_message.h"
#include "core/expediteur_touches.h"
#include "core/frmNavelo.h"
#include "guide/actualisation_chaines.h"
#include "serveur_scripte.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using Réponse = ServeurScripté::Réponse;

namespace {

// The longest the event loop stayed away while `action` ran, as a 5 ms timer sees it.
qint64 PlusLongueAbsence(const std::function<void()>& action) {
    QElapsedTimer horloge;
    horloge.start();
    qint64 dernier = 0;
    qint64 absence = 0;
    QTimer battement;
    battement.setInterval(5);
    QObject::connect(&battement, &QTimer::timeout, [&] {
        absence = std::max(absence, horloge.elapsed() - dernier);
        dernier = horloge.elapsed();
    });
    battement.start();
    action();
    return std::max(absence, horloge.elapsed() - dernier);
}

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

    void envoiSansBlocage_data() {
        QTest::addColumn<int>("panne");
        QTest::newRow("port fermé") << 0;
        QTest::newRow("réponse après 30 s") << 1;
        QTest::newRow("connexion coupée") << 2;
        QTest::newRow("403") << 3;
    }

    void envoiSansBlocage() {
        QFETCH(int, panne);
        const Réponse réponses[] = {{},
                                    {ServeurScripté::réponse("200 OK"), 30'000},
                                    {{}, 0, false, true},
                                    {ServeurScripté::réponse("403 Forbidden", "non")}};
        auto boîtier = std::make_unique<ServeurScripté>(réponses[panne]);
        qputenv("http_proxy", boîtier->url().toLatin1());
        if (panne == 0)
            boîtier.reset();

        ParamètresNavelo paramètres;
        paramètres.CodeTélécommande = u"12345678"_s;
        ExpéditeurTouches expéditeur(paramètres);
        qint64 appelLePlusLong = 0;
        const qint64 absence = PlusLongueAbsence([&] {
            for (int i = 0; i < 10; ++i) {
                QElapsedTimer appel;
                appel.start();
                expéditeur.TraiteTouche(u"vol_inc"_s);
                appelLePlusLong = std::max(appelLePlusLong, appel.elapsed());
                QTest::qWait(30);
            }
        });
        QVERIFY2(appelLePlusLong < 100, qPrintable(QString::number(appelLePlusLong)));
        QVERIFY2(absence < 200, qPrintable(QString::number(absence)));
        if (boîtier)
            QTRY_VERIFY(boîtier->requêtes() > 0);
    }

    void rapatriementAbandonne() {
        ServeurScripté muet({{}, 0, true});
        qputenv("http_proxy", muet.url().toLatin1());
        ParamètresNavelo paramètres;
        paramètres.FichierChaînes = temporaire.filePath(u"channels"_s);
        OublieMessages();
        RéponsesSuivantes({QMessageBox::Yes});
        Inet net;
        QElapsedTimer durée;
        durée.start();
        SuiteDémarrage suite = SuiteDémarrage::Quitter;
        const qint64 absence =
            PlusLongueAbsence([&] { suite = ActualiseChaînes(nullptr, paramètres, net); });
        QVERIFY2(durée.elapsed() >= 7'500 && durée.elapsed() < 15'000,
                 qPrintable(QString::number(durée.elapsed())));
        QVERIFY2(absence < 500, qPrintable(QString::number(absence)));
        QCOMPARE(suite, SuiteDémarrage::Continuer);
        QCOMPARE(MessagesAffichés().size(), 1);
        QCOMPARE(MessagesAffichés().constFirst().titre, u"Attention"_s);
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
        QTest::newRow("octets au hasard")
            << bruit + "\r\n" + code << QList<int>{5, 1, 100, 100, 50};

        QTest::newRow("ligne de 10 Mo")
            << code + "TailleClavier=" + QByteArray(10 * 1024 * 1024, '9') + "\r\n"
            << QList<int>{5, 1, 100, 500, 50};

        QByteArray sections;
        for (int i = 0; i < 100'000; ++i)
            sections += "[S" + QByteArray::number(i) + "]\r\nVersion=5\r\n";
        QTest::newRow("100 000 sections") << sections + code + "Version=6\r\n"
                                          << QList<int>{6, 1, 100, 100, 50};

        QTest::newRow("limites de 16 bits")
            << code + "Version=32767\r\nHd=-32768\r\nTailleFen\xEAtrePrincipale=-32769\r\n"
                      "TailleClavier=32768\r\nTailleLogos=65535\r\nFen\xEAtreGauche=2147483648\r\n"
                      "Fen\xEAtreHaut=-2147483649\r\n"
            << QList<int>{5, 1, 50, 500, 200};
    }

    void parametresHostiles() {
        QFETCH(QByteArray, contenu);
        QFETCH(QList<int>, attendus);
        QTemporaryDir dossier;
        const QString ini = dossier.filePath(u"Navelo.ini"_s);
        QVERIFY(Écrit(ini, contenu));
        // Today's cache: nothing to fetch.
        QVERIFY(Écrit(dossier.filePath(u"channels"_s), "[]\r\n"));
        OptionsNavelo options;
        options.dossierParamètres = dossier.path();
        options.nomInstance = u"navelo-pannes-"_s + QString::fromUtf8(QTest::currentDataTag());

        QElapsedTimer durée;
        durée.start();
        frmNavelo fenêtre(options);
        QVERIFY(fenêtre.Form_Load());
        QVERIFY2(durée.elapsed() < 10'000, qPrintable(QString::number(durée.elapsed())));
        const ParamètresNavelo& p = fenêtre.Paramètres();
        QCOMPARE((QList<int>{p.Version, p.Hd, p.TailleFenêtrePrincipale, p.TailleClavier,
                             p.TailleLogos}),
                 attendus);
        QVERIFY(fenêtre.isVisible());
        QVERIFY(QGuiApplication::primaryScreen()->geometry().intersects(fenêtre.geometry()));

        // The positions written at exit leave the rest of the file as it was.
        fenêtre.close();
        const QByteArray après = Lit(ini);
        QVERIFY(après.startsWith(contenu.left(contenu.indexOf("[Config]"))));
        QVERIFY(après.size() >= contenu.size());
    }

    void arretBrutalPendantEcriture() {
        QTemporaryDir dossier;
        const QString ini = dossier.filePath(u"Navelo.ini"_s);
        const auto écritUneFois = [&](const char* état) {
            QProcess programme;
            programme.start(QStringLiteral(ECRIT_PARAMETRES), {ini, QString::fromLatin1(état)});
            return programme.waitForFinished() && programme.exitCode() == 0;
        };
        QVERIFY(Écrit(ini, "; r\xE9glages\r\n[Autre]\r\nCl\xE9=1\r\n[Config]\r\nHd=1\r\n"));
        QVERIFY(écritUneFois("first"));
        const QList<QByteArray> premier = Lit(ini).split('\n');
        QVERIFY(écritUneFois("second"));
        const QList<QByteArray> second = Lit(ini).split('\n');
        QVERIFY(écritUneFois("first"));
        QCOMPARE(second.size(), premier.size());

        QRandomGenerator aléa(QRandomGenerator::global()->generate());
        for (int i = 0; i < 200; ++i) {
            QProcess programme;
            programme.start(QStringLiteral(ECRIT_PARAMETRES), {ini});
            QVERIFY(programme.waitForReadyRead(5'000));
            QThread::usleep(aléa.bounded(3'000));
            programme.kill();
            QVERIFY(programme.waitForFinished());

            // Each line holds its old value or its new one: no write is ever seen half done.
            const QList<QByteArray> lignes = Lit(ini).split('\n');
            QCOMPARE(lignes.size(), premier.size());
            for (qsizetype l = 0; l < lignes.size(); ++l)
                QVERIFY2(lignes.at(l) == premier.at(l) || lignes.at(l) == second.at(l),
                         lignes.at(l).constData());
        }
    }
};

QTEST_MAIN(TestPannes)
#include "tst_pannes.moc"
