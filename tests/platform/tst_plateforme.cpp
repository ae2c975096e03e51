#include "demandes_fin.h"
#include "plateforme_graphique.h"

#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

class TestPlateforme : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choix_data() {
        QTest::addColumn<QString>("environnement");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("attendue");
        const QString xwayland = u"XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-0 DISPLAY=:0"_s;
        QTest::newRow("XWayland") << xwayland << QString() << "xcb"_ba;
        QTest::newRow("Wayland display")
            << u"WAYLAND_DISPLAY=w DISPLAY=:1"_s << QString() << "xcb"_ba;
        QTest::newRow("no X11") << u"XDG_SESSION_TYPE=wayland DISPLAY="_s << QString() << ""_ba;
        QTest::newRow("chosen") << xwayland + u" QT_QPA_PLATFORM=wayland"_s << QString() << ""_ba;
        QTest::newRow("chosen empty") << xwayland + u" QT_QPA_PLATFORM="_s << QString() << "xcb"_ba;
        QTest::newRow("-platform") << xwayland << u"-platform"_s << ""_ba;
        QTest::newRow("--platform") << xwayland << u"--platform"_s << ""_ba;
        QTest::newRow("X11") << u"XDG_SESSION_TYPE=x11 DISPLAY=:0"_s << QString() << ""_ba;
    }

    void choix() {
        QFETCH(QString, environnement);
        QFETCH(QString, option);
        QProcessEnvironment variables;
        for (const QString& variable : environnement.split(u' '))
            variables.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        QStringList arguments{u"Navelo"_s};
        if (!option.isEmpty())
            arguments << option << u"wayland"_s;
        QTEST(PlateformeGraphique(variables, arguments), "attendue");
    }

    // An ignored signal (SIGHUP under nohup) stays so; each gets its handler back at the end.
    void demandesDeFin() {
        const auto gestion = [](int signal) {
            struct sigaction action {};
            ::sigaction(signal, nullptr, &action);
            return action.sa_handler;
        };
        void (*const ancienne)(int) = [](int) {};
        const std::pair<int, void (*)(int)> avant[] = {
            {SIGTERM, ancienne}, {SIGINT, ancienne}, {SIGHUP, SIG_IGN}};
        for (const auto& [signal, gestionnaire] : avant)
            std::signal(signal, gestionnaire);
        {
            const DemandesDeFin demandes([] {});
            QVERIFY(gestion(SIGTERM) != ancienne && gestion(SIGHUP) == SIG_IGN);
        }
        for (const auto& [signal, gestionnaire] : avant) {
            QVERIFY(gestion(signal) == gestionnaire);
            std::signal(signal, SIG_DFL);
        }
    }
};

QTEST_GUILESS_MAIN(TestPlateforme)
#include "tst_plateforme.moc"
