#include "core/commande_touches.h"
#include "core/table_touches.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestTableTouches : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every key zone of both remotes, in twips at 100 %, and the window buttons.
    void tables() {
        const struct {
            int index;
            const char* nom;
            std::optional<QRect> zoneV5, zoneV6;
        } attendues[] = {
            {0, "power", QRect(315, 2355, 405, 405), QRect(1140, 0, 570, 570)},
            {1, "tv", QRect(1890, 2355, 405, 405), QRect(0, 0, 570, 570)},
            {2, "list", QRect(1005, 2460, 600, 315), std::nullopt},
            {3, "1", QRect(300, 2850, 480, 285), QRect(0, 590, 570, 570)},
            {4, "2", QRect(810, 2850, 480, 285), QRect(570, 590, 570, 570)},
            {5, "3", QRect(1320, 2850, 480, 285), QRect(1140, 590, 570, 570)},
            {6, "info", QRect(1830, 2850, 480, 285), std::nullopt},
            {7, "4", QRect(300, 3180, 480, 285), QRect(0, 1160, 570, 570)},
            {8, "5", QRect(810, 3180, 480, 285), QRect(570, 1160, 570, 570)},
            {9, "6", QRect(1320, 3180, 480, 285), QRect(1140, 1160, 570, 570)},
            {10, "mail", QRect(1830, 3180, 480, 285), std::nullopt},
            {11, "7", QRect(300, 3510, 480, 285), QRect(0, 1730, 570, 570)},
            {12, "8", QRect(810, 3510, 480, 285), QRect(570, 1730, 570, 570)},
            {13, "9", QRect(1320, 3510, 480, 285), QRect(1140, 1730, 570, 570)},
            {14, "help", QRect(1830, 3510, 480, 285), std::nullopt},
            {15, "back", QRect(315, 3840, 480, 285), std::nullopt},
            {16, "0", QRect(825, 3840, 480, 285), QRect(570, 2300, 570, 570)},
            {17, "swap", QRect(1335, 3840, 480, 285), std::nullopt},
            {18, "pip", QRect(1845, 3840, 480, 285), std::nullopt},
            {19, "bwd", QRect(300, 6060, 450, 285), QRect(0, 6300, 570, 570)},
            {20, "prev", QRect(300, 6480, 450, 285), std::nullopt},
            {21, "next", QRect(1845, 6465, 450, 285), std::nullopt},
            {22, "fwd", QRect(1845, 6060, 450, 285), QRect(1140, 6300, 570, 570)},
            {23, "rec", QRect(1845, 5655, 450, 285), QRect(570, 5730, 570, 570)},
            {24, "mute", QRect(300, 5655, 450, 285), QRect(570, 5160, 570, 570)},
            {25, "ok", QRect(1065, 4725, 465, 435), QRect(570, 3460, 570, 570)},
            {26, "vol_inc", QRect(315, 4440, 330, 450), QRect(0, 5160, 570, 570)},
            {27, "vol_dec", QRect(315, 5010, 330, 450), QRect(0, 5730, 570, 570)},
            {28, "prgm_inc", QRect(1965, 4440, 330, 450), QRect(1140, 5160, 570, 570)},
            {29, "prgm_dec", QRect(1965, 5010, 330, 450), QRect(1140, 5730, 570, 570)},
            {30, "up", QRect(1065, 4335, 465, 375), QRect(570, 2890, 570, 570)},
            {31, "red", QRect(1050, 480, 510, 510), QRect(0, 2890, 570, 570)},
            {32, "down", QRect(1065, 5175, 465, 375), QRect(570, 4030, 570, 570)},
            {33, "left", QRect(675, 4725, 375, 435), QRect(0, 3460, 570, 570)},
            {34, "right", QRect(1545, 4725, 375, 435), QRect(1140, 3460, 570, 570)},
            {35, "yellow", QRect(540, 990, 510, 510), QRect(1140, 4030, 570, 570)},
            {36, "green", QRect(1560, 990, 510, 510), QRect(0, 4030, 570, 570)},
            {37, "blue", QRect(1050, 1500, 510, 495), QRect(1140, 2890, 570, 570)},
            {42, "play", QRect(825, 6195, 435, 450), QRect(570, 6300, 570, 570)},
            {43, "stop", QRect(1335, 6195, 435, 450), std::nullopt},
            {44, "home", QRect(930, 5640, 735, 465), QRect(210, 4605, 1305, 555)},
        };
        const auto table = TableTouches();
        QCOMPARE(table.size(), std::size(attendues));
        for (std::size_t i = 0; i < table.size(); ++i) {
            const ZoneTouche& t = table[i];
            const auto& a = attendues[i];
            QVERIFY2(std::tuple(t.index, QByteArray(t.nomTouche), t.zoneV5, t.zoneV6) ==
                         std::tuple(a.index, QByteArray(a.nom), a.zoneV5, a.zoneV6),
                     a.nom);
        }

        const std::tuple<BoutonFenêtre, QPoint, QPoint> boutons[] = {
            {BoutonFenêtre::Réduire, {1350, 75}, {600, 50}},
            {BoutonFenêtre::Quitter, {1650, 180}, {860, 50}},
            {BoutonFenêtre::Clavier, {1050, 75}, {860, 300}},
            {BoutonFenêtre::ListeChaînes, {750, 180}, {600, 300}}};
        for (const auto& [bouton, v5, v6] : boutons)
            QCOMPARE(std::pair(ZoneBoutonFenêtre(bouton, 5), ZoneBoutonFenêtre(bouton, 6)),
                     std::pair(QRect(v5, QSize(195, 195)), QRect(v6, QSize(195, 195))));
    }

    // The running remote's one-line answer to `--key`; a line of any other shape is refused.
    void reponseTouches() {
        const auto r =
            LitRéponseTouches(RéponseTouches({IssueTouches::ToucheRefusée, u"ok"_s, 403}));
        QVERIFY(r && r->issue == IssueTouches::ToucheRefusée && r->touche == u"ok"_s &&
                r->statut == 403);
        for (const char* ligne : {"x 200 ok", "4 x ok", "4 200", "-1 200 ok", "5 200 ok"})
            QVERIFY2(!LitRéponseTouches(ligne), ligne);
    }
};

QTEST_GUILESS_MAIN(TestTableTouches)
#include "tst_table_touches.moc"
