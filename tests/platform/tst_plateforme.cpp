#include "plateforme_graphique.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestPlateforme : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choix_data() {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("attendue");
        const QStringList xwayland{u"XDG_SESSION_TYPE=wayland"_s, u"WAYLAND_DISPLAY=wayland-0"_s,
                                   u"DISPLAY=:0"_s};
        QTest::newRow("Wayland with XWayland") << xwayland << QStringList() << "xcb"_ba;
        QTest::newRow("Wayland display only")
            << QStringList{u"WAYLAND_DISPLAY=wayland-0"_s, u"DISPLAY=:1"_s} << QStringList()
            << "xcb"_ba;
        QTest::newRow("Wayland without X11")
            << QStringList{u"XDG_SESSION_TYPE=wayland"_s, u"WAYLAND_DISPLAY=wayland-0"_s}
            << QStringList() << QByteArray();
        QTest::newRow("empty DISPLAY") << QStringList{u"XDG_SESSION_TYPE=wayland"_s, u"DISPLAY="_s}
                                       << QStringList() << QByteArray();
        QTest::newRow("platform chosen") << xwayland + QStringList{u"QT_QPA_PLATFORM=wayland"_s}
                                         << QStringList() << QByteArray();
        QTest::newRow("platform empty")
            << xwayland + QStringList{u"QT_QPA_PLATFORM="_s} << QStringList() << "xcb"_ba;
        QTest::newRow("-platform")
            << xwayland << QStringList{u"-platform"_s, u"wayland"_s} << QByteArray();
        QTest::newRow("--platform")
            << xwayland << QStringList{u"--platform"_s, u"wayland"_s} << QByteArray();
        QTest::newRow("X11 session") << QStringList{u"XDG_SESSION_TYPE=x11"_s, u"DISPLAY=:0"_s}
                                     << QStringList() << QByteArray();
        QTest::newRow("nothing") << QStringList() << QStringList() << QByteArray();
    }

    void choix() {
        QFETCH(QStringList, variables);
        QFETCH(QStringList, arguments);
        QProcessEnvironment environnement;
        for (const QString& variable : variables)
            environnement.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        QTEST(PlateformeGraphique(environnement, QStringList{u"Navelo"_s} + arguments), "attendue");
    }
};

QTEST_GUILESS_MAIN(TestPlateforme)
#include "tst_plateforme.moc"
