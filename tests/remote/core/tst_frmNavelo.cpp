#include "ansi.h"
#include "boitier_simule.h"
#include "core/frmNavelo.h"
#include "dialogs/frmConfiguration.h"
#include "guide/frmClavier.h"
#include "guide/frmListeChaines.h"
#include "proxy_local.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QByteArray préfixe = "http://hd1.freebox.fr/pub/remote_control?code=12345678&key=";

// Runs `action` on the popup menu or the modal dialog about to open, once it is open.
template <typename Fenêtre> void QuandOuvert(const std::function<void(Fenêtre*)>& action) {
    auto* attente = new QTimer;
    attente->setInterval(20);
    QObject::connect(attente, &QTimer::timeout, [attente, action] {
        QWidget* ouverte = std::is_same_v<Fenêtre, QMenu> ? QApplication::activePopupWidget()
                                                          : QApplication::activeModalWidget();
        if (auto* fenêtre = qobject_cast<Fenêtre*>(ouverte)) {
            attente->deleteLater();
            attente->stop();
            action(fenêtre);
        }
    });
    attente->start();
}

// Picks an item the way a user does, so that the menu returns it.
void Choisit(QMenu* menu, const QString& texte) {
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        if (action->text() == texte) {
            menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
            return;
        }
    }
    menu->close();
}

} // namespace

class TestFrmNavelo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(boitier.écoute() != 0);
        ProxyLocal(boitier.port());
        // Instances listen in a folder of this test's own.
        qputenv("TMPDIR", temporaire.path().toLocal8Bit());
        QCoreApplication::setApplicationName(u"Navelo"_s);
        QCoreApplication::setApplicationVersion(u"1.2.3"_s);
    }

    void init() {
        dossier = std::make_unique<QTemporaryDir>();
        // The sample list as today's cache: starts fetch nothing, so the stand-in sees keys only.
        QVERIFY(QFile::copy(QStringLiteral(EXEMPLE_CHAINES), dossier->filePath(u"channels"_s)));
        QFile(dossier->filePath(u"channels"_s))
            .setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
        lancés.clear();
        boitier.oublieRequêtes();
        ++numéro;
    }

    void clics_data() {
        QTest::addColumn<QString>("lignes");
        QTest::addColumn<Qt::MouseButton>("bouton");
        QTest::addColumn<QList<int>>("index");
        QTest::addColumn<QList<QByteArray>>("clés");
        const auto ligne = [](const char* nom, const QString& lignes, const QList<int>& index,
                              const QList<QByteArray>& clés,
                              Qt::MouseButton bouton = Qt::LeftButton) {
            QTest::newRow(nom) << lignes << bouton << index << clés;
        };
        ligne("5", {}, {26, 44}, {"vol_inc", "home"});
        ligne("5, play toggles", {}, {42, 42, 42}, {"play", "pause", "play"});
        // Any button released over a model 5 key sends it; only the left one starts a hold.
        ligne("5, right button", {}, {24}, {"mute"}, Qt::RightButton);
        ligne("6", u"Version=6"_s, {44, 3}, {"home", "1"});
    }

    void clics() {
        QFETCH(QString, lignes);
        QFETCH(Qt::MouseButton, bouton);
        QFETCH(QList<int>, index);
        QFETCH(QList<QByteArray>, clés);
        const auto fenêtre = démarre(lignes);
        QVERIFY(fenêtre);
        for (qsizetype i = 0; i < index.size(); ++i) {
            QTest::mouseClick(zone(*fenêtre, index.at(i)), bouton);
            QTRY_COMPARE(boitier.requêtes().size(), i + 1);
            QCOMPARE(boitier.requêtes().at(i).cible, préfixe + clés.at(i));
        }
        QTest::qWait(100);
        QCOMPARE(boitier.requêtes().size(), index.size());
    }

    void appuiLongModele5() {
        const auto fenêtre = démarre();
        QVERIFY(fenêtre);
        QTest::mousePress(zone(*fenêtre, 25), Qt::LeftButton);
        QTest::qWait(1000);
        QTest::mouseRelease(zone(*fenêtre, 25), Qt::LeftButton);
        QTest::qWait(300);
        QCOMPARE(boitier.requêtes().size(), 1);
        QCOMPARE(boitier.requêtes().constFirst().cible, préfixe + "ok&long=true"_ba);
    }

    void repetitionModele6() {
        const auto fenêtre = démarre(u"Version=6"_s);
        QVERIFY(fenêtre);
        QTest::mousePress(zone(*fenêtre, 30), Qt::LeftButton);
        QTRY_COMPARE(boitier.requêtes().size(), 1);
        // Sent at the press, at 500 ms, then every 200 ms: 6 in 1.3 s on a quiet machine.
        QTest::qWait(1300);
        QTest::mouseRelease(zone(*fenêtre, 30), Qt::LeftButton);
        const qsizetype envoyées = boitier.requêtes().size();
        QVERIFY2(envoyées >= 4 && envoyées <= 7, qPrintable(QString::number(envoyées)));
        QTest::qWait(400);
        QCOMPARE(boitier.requêtes().size(), envoyées);
        for (const RequeteRecue& reçue : boitier.requêtes())
            QCOMPARE(reçue.cible, préfixe + "up"_ba);
    }

    void tailles_data() {
        QTest::addColumn<int>("modèle");
        QTest::addColumn<int>("taille");
        QTest::addColumn<QSize>("fenêtre");
        QTest::addColumn<QRectF>("okTwips");
        QTest::newRow("5 at 50 %")
            << 5 << 50 << QSize(84, 300) << QRectF(532.5, 2362.5, 232.5, 217.5);
        QTest::newRow("5 at 200 %") << 5 << 200 << QSize(336, 1200) << QRectF(2130, 9450, 930, 870);
        QTest::newRow("6 at 500 %")
            << 6 << 500 << QSize(570, 2980) << QRectF(2850, 17300, 2850, 2850);
    }

    void tailles() {
        QFETCH(int, modèle);
        QFETCH(int, taille);
        QFETCH(QRectF, okTwips);
        const auto fenêtre =
            démarre(u"Version=%1\r\nTailleFenêtrePrincipale=%2"_s.arg(modèle).arg(taille));
        QVERIFY(fenêtre);
        QTEST(fenêtre->size(), "fenêtre");
        // Whole pixels: each edge within half a pixel of the exact place.
        const QRectF ok(zone(*fenêtre, 25)->geometry());
        const QRectF exact(okTwips.topLeft() / 15, okTwips.size() / 15);
        for (const qreal écart : {ok.x() - exact.x(), ok.y() - exact.y(),
                                  ok.width() - exact.width(), ok.height() - exact.height()})
            QVERIFY2(qAbs(écart) <= 0.5, qPrintable(QString::number(écart)));
        QCOMPARE(zone(*fenêtre, 25)->accessibleName(), u"OK"_s);
        QCOMPARE(zone(*fenêtre, 2) != nullptr, modèle == 5);
    }

    void menu() {
        const auto fenêtre = démarre();
        QVERIFY(fenêtre);
        QStringList articles;
        const auto note = [&](QMenu* menu) {
            articles.clear();
            for (const QAction* action : menu->actions())
                articles.append(action->isSeparator() ? u"-"_s : action->text());
            Choisit(menu, u"&Restaurer"_s);
        };
        QuandOuvert<QMenu>(note);
        // The picture's right button, as the icon's, opens the menu.
        auto* image = fenêtre->findChild<QLabel*>(u"imgTelkino"_s);
        QTest::mousePress(image, Qt::RightButton, {}, QPoint(image->width() / 2, 20));
        QCOMPARE(articles, QStringList({u"&A propos de...\tF1"_s, u"-"_s, u"&Configurer...\tF9"_s,
                                        u"-"_s, u"&Quitter"_s}));

        fenêtre->hide();
        QuandOuvert<QMenu>(note);
        fenêtre->MenuPopup();
        QCOMPARE(articles.at(3), u"&Restaurer"_s);
        QVERIFY(fenêtre->isVisible());

        QuandOuvert<QMenu>([](QMenu* menu) { Choisit(menu, u"&Quitter"_s); });
        QSignalSpy fin(fenêtre.get(), &frmNavelo::programEnded);
        fenêtre->MenuPopup();
        QCOMPARE(fin.size(), 1);
        QVERIFY(!fenêtre->findChild<QSystemTrayIcon*>()->isVisible());
    }

    // The test platform has no notification area: minimising must leave the remote reachable.
    void reduireEtBoutons() {
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        const auto fenêtre = démarre();
        QVERIFY(fenêtre);
        auto* clavier = fenêtre->findChild<QWidget*>(u"picClavier"_s);
        clavier->show();
        QTest::mouseClick(clavier, Qt::LeftButton);
        QVERIFY(fenêtre->Paramètres().ClavierAffiché);
        QVERIFY(fenêtre->Clavier()->isVisible());

        auto* réduire = fenêtre->findChild<QWidget*>(u"picRéduire"_s);
        réduire->show();
        QTest::mouseClick(réduire, Qt::LeftButton);
        QVERIFY(fenêtre->isMinimized());
        QVERIFY(!fenêtre->Clavier()->isVisible());
        fenêtre->showNormal();
        QTRY_VERIFY(fenêtre->Clavier()->isVisible());
    }

    void premierDemarrage_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("modèle6");
        QTest::addColumn<bool>("démarré");
        QTest::addColumn<bool>("redémarré");
        QTest::newRow("cancelled") << QString() << false << false << false;
        QTest::newRow("code") << u"87654321"_s << false << true << false;
        QTest::newRow("code and model") << u"87654321"_s << true << false << true;
    }

    void premierDemarrage() {
        QFETCH(QString, code);
        QFETCH(bool, modèle6);
        QFETCH(bool, démarré);
        const auto fenêtre = crée();
        bool avantLaFenêtre = false;
        QuandOuvert<frmConfiguration>([&](frmConfiguration* dialogue) {
            avantLaFenêtre = !fenêtre->isVisible();
            dialogue->txtCodeTélécommande->setText(code);
            dialogue->optVersion.value(modèle6 ? 6 : 5)->click();
            (code.isEmpty() ? dialogue->btnAnnuler : dialogue->btnOK)->click();
        });
        QCOMPARE(fenêtre->Form_Load(), démarré);
        QVERIFY(avantLaFenêtre);
        QCOMPARE(fenêtre->isVisible(), démarré);
        // Settings reach the file at the end only, never when no code was given.
        if (démarré)
            fenêtre->close();
        const QString contenu = litIni();
        QCOMPARE(contenu.contains(u"CodeTélécommande=87654321\r\n"_s), !code.isEmpty());
        QCOMPARE(contenu.contains(u"Version=6"_s), modèle6);
        QCOMPARE(contenu.contains(u"FenêtreGauche"_s), démarré);
        QTEST(lancés == QStringList{QCoreApplication::applicationFilePath()}, "redémarré");
    }

    // Settings unchanged and, here, window positions are not written back.
    void fermeture() {
        const auto fenêtre = démarre(u"MémoriserPositionFenêtre=0"_s);
        QVERIFY(fenêtre);
        fenêtre->move(100, 40);
        fenêtre->close();
        const QString écrit = litIni();
        QVERIFY(!écrit.contains(u"\nFenêtre"_s));
        QVERIFY(!écrit.contains(u"Hd=1"_s));
        QVERIFY(lancés.isEmpty());
    }

    void secondDemarrageReveilleLePremier() {
        const auto première = démarre();
        QVERIFY(première);
        première->hide();
        const auto seconde = crée();
        QSignalSpy fin(seconde.get(), &frmNavelo::programEnded);
        QVERIFY(!seconde->Form_Load());
        QVERIFY(première->isVisible());
        QVERIFY(!seconde->isVisible());
        QCOMPARE(fin.size(), 0);
    }

    // The PC keyboard of the main window; Caps Lock switches the keyboard window's captions.
    void clavierPC() {
        const auto fenêtre = démarre();
        QVERIFY(fenêtre);
        QTest::keyClick(fenêtre.get(), '5');
        QTRY_COMPARE(boitier.requêtes().size(), 1);
        QTest::keyClick(fenêtre.get(), Qt::Key_CapsLock);
        QTRY_COMPARE(boitier.requêtes().size(), 2);
        QCOMPARE(boitier.requêtes().at(0).cible, préfixe + "5&repeat=4"_ba);
        QCOMPARE(boitier.requêtes().at(1).cible, préfixe + "swap"_ba);
        QVERIFY(fenêtre->Clavier()->Majuscules());
    }

    // Closing the remote during a zap sends no further digit.
    void fermetureDuranteUnZap() {
        const auto fenêtre = démarre();
        QVERIFY(fenêtre);
        frmListeChaînes* liste = fenêtre->ListeChaînes();
        liste->définitPauseZap(std::chrono::milliseconds(200));
        liste->Form_Load();
        auto* lvw = liste->findChild<QTreeWidget*>();
        QTreeWidgetItem* élément = nullptr;
        for (int i = 0; !élément && i < lvw->topLevelItemCount(); ++i) {
            if (lvw->topLevelItem(i)->data(0, Qt::UserRole).toString().trimmed().size() >= 2)
                élément = lvw->topLevelItem(i);
        }
        QVERIFY(élément);
        lvw->setCurrentItem(élément);
        QTimer::singleShot(100, fenêtre.get(), &QWidget::close);
        Q_EMIT lvw->itemDoubleClicked(élément, 0);
        QTest::qWait(300);
        QCOMPARE(boitier.requêtes().size(), 1);
    }

private:
    void écritIni(const QString& lignes) {
        QFile f(dossier->filePath(u"Navelo.ini"_s));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(EnAnsi(QString(u"[Config]\r\n"_s + lignes + u"\r\n"_s)));
    }

    QString litIni() const {
        QFile f(dossier->filePath(u"Navelo.ini"_s));
        return f.open(QIODevice::ReadOnly) ? DepuisAnsi(f.readAll()) : QString();
    }

    std::unique_ptr<frmNavelo> crée() {
        OptionsNavelo options;
        options.dossierParamètres = dossier->path();
        options.nomInstance = u"navelo-test-%1"_s.arg(numéro);
        options.lanceur = [this](const QString& programme, const QStringList& arguments,
                                 ModeAffichage mode) {
            if (arguments.isEmpty() && mode == ModeAffichage::RéduitAvecFocus)
                lancés.append(programme);
            return true;
        };
        return std::make_unique<frmNavelo>(options);
    }

    // Started with the stand-in's code and these settings.
    std::unique_ptr<frmNavelo> démarre(const QString& lignes = {}) {
        écritIni(u"CodeTélécommande=12345678\r\n"_s + lignes);
        std::unique_ptr<frmNavelo> fenêtre = crée();
        return fenêtre->Form_Load() ? std::move(fenêtre) : nullptr;
    }

    QWidget* zone(frmNavelo& fenêtre, int index) const {
        const QString modèle = fenêtre.Paramètres().Version == 6 ? u"V6"_s : u"V5"_s;
        return fenêtre.findChild<QWidget*>(u"imgTouche%1[%2]"_s.arg(modèle).arg(index));
    }

    BoitierSimule boitier;
    QTemporaryDir temporaire;
    std::unique_ptr<QTemporaryDir> dossier;
    QStringList lancés;
    int numéro = 0;
};

QTEST_MAIN(TestFrmNavelo)
#include "tst_frmNavelo.moc"
