#include "boite_message.h"
#include "boitier_simule.h"
#include "core/expediteur_touches.h"
#include "core/parametres.h"
#include "fichiers_test.h"
#include "guide/actualisation_chaines.h"
#include "guide/chaines.h"
#include "guide/frmListeChaines.h"
#include "guide/logos_chaines.h"
#include "net/inet.h"
#include "proxy_local.h"
#include "serveur_scripte.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;
using Réponse = ServeurScripté::Réponse;
Q_DECLARE_METATYPE(ServeurScripté::Réponse)

namespace {

const QDate aujourdhui(2024, 3, 15);
const QByteArray ancienCache = "[{\"id\":1,\"name\":\"Ancienne\",\"available\":true}]\r\n";

// One line per channel: id|name|short_name|fav|available|services.
QString Lignes(const QList<InfosChaîne>& chaînes) {
    QStringList lignes;
    for (const InfosChaîne& c : chaînes)
        lignes +=
            QStringList{c.id, c.name, c.short_name, c.fav, QString::number(c.available), c.services}
                .join(u'|');
    return lignes.join(u'\n');
}

struct Document {
    const char* nom;
    const char* objets;
    const char16_t* attendu;
};

const Document documents[] = {
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
    {"pourcents", R"({"name":"%C3%a9%25%30%09"})", u"|é%0\t|||0|"},
    {"pourcent sans deux chiffres", R"({"name":"a%4Gb%G4b%%41%"})", u"|a%4Gb%G4b%A%|||0|"},
    {"UTF-8 invalide", "{\"name\":\"a\xff\x62\xc3\"}", u"|a\uFFFDb\uFFFD|||0|"},
    {"marque d'ordre gardée", "{\xEF\xBB\xBF\"name\":\"x\"}", u"||||0|"},
};

constexpr std::chrono::milliseconds Pause(200);
const QColor Rouge(220, 0, 0), Vert(0, 160, 0), Bleu(0, 0, 220);

const QByteArray DocumentListe = R"([{"id":1,"name":"Un","available":true},)"
                                 R"({"id":2,"name":"Deux","available":false},)"
                                 R"({"id":" 12 ","name":"Douze","available":true},)"
                                 R"({"id":5,"name":"Cinq","available":true},)"
                                 R"({"id":40000,"name":"Grand","available":true}])"
                                 "\r\n";

} // namespace

class TestChaines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(boîtier.écoute() != 0);
        ProxyLocal(boîtier.port());
        qputenv("TMPDIR", temporaire.path().toLocal8Bit());
        qunsetenv("no_proxy");
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
        if (QFile cache(paramètres.FichierChaînes); dateCache.isValid())
            QVERIFY(cache.open(QIODevice::WriteOnly) && cache.write(ancienCache) > 0 &&
                    cache.flush() &&
                    cache.setFileTime(dateCache, QFileDevice::FileModificationTime));
        QVERIFY(ÉcritFichier(paramètres.FichierChaînes + u".txt"_s, "obsolète"));
        boîtier.oublieRequêtes();
        boîtier.définitFichierChaînes(servi ? QStringLiteral(EXEMPLE_CHAINES) : QString());
        OublieMessages();
        RéponsesSuivantes({réponse});

        Inet net;
        QCOMPARE(ActualiseChaînes(nullptr, paramètres, net, aujourdhui),
                 réponse == QMessageBox::No ? SuiteDémarrage::Quitter : SuiteDémarrage::Continuer);

        QVERIFY(!QFile::exists(paramètres.FichierChaînes + u".txt"_s));
        QCOMPARE(boîtier.requêtes().size(), rapatrié ? 1 : 0);
        if (rapatrié)
            QCOMPARE(boîtier.requêtes().constFirst().hôte, u"hd1.freebox.fr"_s);
        const QByteArray attendu = rapatrié && servi
                                       ? LitFichier(QStringLiteral(EXEMPLE_CHAINES)) + "\r\n"
                                   : dateCache.isValid() ? ancienCache
                                                         : QByteArray();
        QCOMPARE(LitFichier(paramètres.FichierChaînes), attendu);
        QCOMPARE(MessagesAffichés().size(), servi ? 0 : 1);
        if (!servi) {
            const MessageAffiché m = MessagesAffichés().constFirst();
            QCOMPARE(std::tuple(m.titre, m.icône, m.boutons, m.texte.left(102)),
                     std::tuple(u"Attention"_s, QMessageBox::Warning,
                                QMessageBox::Yes | QMessageBox::No,
                                u"Impossible de rappatrier la liste des chaînes (fichier "
                                u"http://hd1.freebox.fr/pub/channels)...\n\nAssurez"_s));
        }
    }

    void documents_data() {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("attendu");
        for (const Document& d : ::documents)
            QTest::newRow(d.nom) << '[' + QByteArray(d.objets) + "]\r\n"
                                 << QString::fromUtf16(d.attendu);
        // The last byte is dropped whatever it is.
        QTest::newRow("accolade finale en dernier") << R"([{"id":1})"_ba << QString();
        QTest::newRow("un seul octet") << "["_ba << QString();
    }

    void documents() {
        QFETCH(QByteArray, document);
        QTEST(Lignes(DécodeChaînes(document)), "attendu");
    }

    void init() {
        dossier = std::make_unique<QTemporaryDir>();
        paramètres = {};
        paramètres.CodeTélécommande = u"1234"_s;
        paramètres.FichierChaînes = dossier->filePath(u"channels"_s);
        QVERIFY(ÉcritFichier(paramètres.FichierChaînes, DocumentListe));
        boîtier.oublieRequêtes();
    }

    // Shown before the start-up loaded it, it loads; closed, it is no longer said shown.
    void filtreEtFermeture() {
        QVERIFY(ouvre(false));
        QVERIFY(Textes().isEmpty());
        fenêtre->show();
        const QStringList disponibles{u"1. Un"_s, u" 12 . Douze"_s, u"5. Cinq"_s,
                                      u"40000. Grand"_s};
        QCOMPARE(Textes(), disponibles);
        QTest::mouseClick(caseÀCocher(), Qt::LeftButton);
        QCOMPARE(Textes(), (QStringList{u"1. Un"_s, u"2. Deux"_s, u" 12 . Douze"_s, u"5. Cinq"_s,
                                        u"40000. Grand"_s}));
        paramètres.ListeChaînesAffichée = true;
        fenêtre->close();
        QVERIFY(!paramètres.ListeChaînesAffichée);
    }

    // The first loadable picture for a channel's number, else the default; 2^32 + 1 is no 1.
    void logos() {
        const QList<std::pair<QString, QColor>> logos = {
            {u"logos/_sans.png"_s, Bleu},           {u"logos/Canal 1.png"_s, {}},
            {u"logos/Canal 05.png"_s, Rouge},       {u"autres/Canal 5.png"_s, Vert},
            {u"logos/Canal 12.PNG"_s, Rouge},       {u"logos/Canal 40000.png"_s, Rouge},
            {u"logos/Canal 4294967297.png"_s, Vert}};
        for (const auto& [chemin, couleur] : logos) {
            const QString fichier = dossier->filePath(chemin);
            QVERIFY(QDir().mkpath(QFileInfo(fichier).path()));
            QImage image(70, 54, QImage::Format_RGB32);
            image.fill(couleur);
            QVERIFY(couleur.isValid() ? image.save(fichier, "PNG")
                                      : QFile(fichier).open(QIODevice::WriteOnly));
        }
        QVERIFY(ouvre());
        QList<QColor> couleurs;
        for (int i = 0; i < liste()->topLevelItemCount(); ++i) {
            const QImage image = liste()->topLevelItem(i)->icon(0).pixmap(35, 27).toImage();
            couleurs += image.pixelColor(17, 13);
        }
        QCOMPARE(couleurs, (QList<QColor>{Bleu, Rouge, Rouge, Rouge}));
    }

    // Long presses but the last, paused; a key or a second double-click meanwhile keep apart.
    void zap() {
        QVERIFY(ouvre());
        QTimer::singleShot(Pause / 2, this, [this] {
            expéditeur->TraiteTouche(u"vol_inc"_s);
            doubleClique(u"1. Un"_s);
        });
        doubleClique(u" 12 . Douze"_s);
        QTRY_COMPARE_WITH_TIMEOUT(Envoyés(), (QStringList{u"1 long"_s, u"vol_inc"_s, u"2"_s}),
                                  15000);
        QVERIFY(!expéditeur->ToucheLongue);
    }

    // Quitting the program during a zap sends no further digit.
    void quitterPendantLeZap() {
        QVERIFY(ouvre());
        QTimer::singleShot(0, this, [this] {
            QTimer::singleShot(Pause / 2, qApp, &QCoreApplication::quit);
            doubleClique(u" 12 . Douze"_s);
        });
        QCoreApplication::exec();
        QTest::qWait(2 * Pause.count());
        QCOMPARE(Envoyés(), QStringList{u"1 long"_s});
    }

    void listeVide() {
        QFile::remove(paramètres.FichierChaînes);
        QVERIFY(ouvre());
        doubleClique();
        QTest::mouseClick(caseÀCocher(), Qt::LeftButton);
        QCOMPARE(liste()->topLevelItemCount(), 0);
        QTest::qWait(100);
        QVERIFY(boîtier.requêtes().isEmpty());
    }

    // 70 x 54 at 100 %, halves rounded to even.
    void tailleLogos() {
        QCOMPARE(TailleImagesLogos(-5), QSize(0, 0));
        QCOMPARE(TailleImagesLogos(0), QSize(0, 0));
        QCOMPARE(TailleImagesLogos(25), QSize(18, 14));
        QCOMPARE(TailleImagesLogos(75), QSize(52, 40));
    }

    // Whatever the box does, keys go out at once; the fetch gives up, Yes going on without it.
    void boitierDefaillant_data() {
        QTest::addColumn<Réponse>("réponse");
        QTest::newRow("connection cut") << Réponse{{}, 0, false, true};
        QTest::newRow("a byte a second")
            << Réponse{.octets = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n",
                       .suite = "1\r\n[\r\n",
                       .intervalleMs = 1000};
        QTest::newRow("without end")
            << Réponse{.octets = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n",
                       .suite = QByteArray(64 * 1024, '{'),
                       .intervalleMs = 1};
    }

    void boitierDefaillant() {
        QFETCH(Réponse, réponse);
        ServeurScripté boîtier(réponse);
        qputenv("http_proxy", boîtier.url().toLatin1());
        ParamètresNavelo paramètres;
        paramètres.FichierChaînes = temporaire.filePath(u"channels"_s);
        ExpéditeurTouches expéditeur(paramètres);
        for (int i = 1; i <= 3; ++i) {
            expéditeur.TraiteTouche(u"vol_inc"_s);
            QTRY_VERIFY(boîtier.requêtes() >= i);
        }
        OublieMessages();
        RéponsesSuivantes({QMessageBox::Yes});
        Inet net;
        QCOMPARE(ActualiseChaînes(nullptr, paramètres, net), SuiteDémarrage::Continuer);
        QCOMPARE(MessagesAffichés().size(), 1);
        QVERIFY(!QFile::exists(paramètres.FichierChaînes));
    }

private:
    BoitierSimule boîtier;
    QTemporaryDir temporaire;
    // False when the window lacks its list or its check box.
    [[nodiscard]] bool ouvre(bool charge = true) {
        expéditeur = std::make_unique<ExpéditeurTouches>(paramètres);
        fenêtre = std::make_unique<frmListeChaînes>(
            paramètres, *expéditeur,
            QStringList{dossier->filePath(u"logos"_s), dossier->filePath(u"autres"_s)});
        fenêtre->définitPauseZap(Pause);
        if (charge)
            fenêtre->Form_Load();
        return liste() && caseÀCocher();
    }

    QTreeWidget* liste() const { return fenêtre->findChild<QTreeWidget*>(u"lvwChaînes"_s); }
    QCheckBox* caseÀCocher() const { return fenêtre->findChild<QCheckBox*>(); }

    QStringList Textes() const {
        QStringList textes;
        for (int i = 0; i < liste()->topLevelItemCount(); ++i)
            textes.append(liste()->topLevelItem(i)->text(0));
        return textes;
    }

    // A real double-click's events (QTest's alone skips the first press and release).
    void doubleClique(const QString& texte = {}) {
        fenêtre->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenêtre.get()));
        const auto éléments = liste()->findItems(texte, Qt::MatchExactly);
        QCOMPARE(éléments.size(), texte.isEmpty() ? 0 : 1);
        const QPoint point =
            éléments.isEmpty() ? QPoint(20, 20) : liste()->visualItemRect(éléments[0]).center();
        QTest::mouseClick(liste()->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(liste()->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(liste()->viewport(), Qt::LeftButton, {}, point);
    }

    QStringList Envoyés() const {
        QStringList envoyés;
        for (const RequeteRecue& requête : boîtier.requêtes())
            envoyés.append(requête.touche + (requête.longue ? u" long"_s : QString()));
        return envoyés;
    }

    std::unique_ptr<QTemporaryDir> dossier;
    ParamètresNavelo paramètres;
    std::unique_ptr<ExpéditeurTouches> expéditeur;
    std::unique_ptr<frmListeChaînes> fenêtre;
};

QTEST_MAIN(TestChaines)
#include "tst_chaines.moc"
