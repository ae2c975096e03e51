#include "ansi.h"
#include "core/dessin_telecommande.h"
#include "core/frmNavelo.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Pixels by alpha: none, partial, whole.
struct Alphas {
    int nuls = 0;
    int partiels = 0;
    int pleins = 0;
};

Alphas CompteAlphas(const QImage& image) {
    Alphas a;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            (alpha == 0 ? a.nuls : alpha == 255 ? a.pleins : a.partiels)++;
        }
    }
    return a;
}

} // namespace

// The remote's window cut out by a mask on its colour key where nothing blends windows, and by
// its picture's transparency, with a smooth outline, where a compositor does.
class TestDecoupe : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dossier.isValid());
        qputenv("TMPDIR", dossier.path().toLocal8Bit());
        QVERIFY(QFile::copy(QStringLiteral(EXEMPLE_CHAINES), dossier.filePath(u"channels"_s)));
        QFile(dossier.filePath(u"channels"_s))
            .setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
    }

    void fenetre_data() {
        QTest::addColumn<int>("modele");
        QTest::addColumn<bool>("compositeur");
        QTest::newRow("5, no compositor") << 5 << false;
        QTest::newRow("5, compositor") << 5 << true;
        QTest::newRow("6, compositor") << 6 << true;
    }

    void fenetre() {
        QFETCH(int, modele);
        QFETCH(bool, compositeur);
        QFile ini(dossier.filePath(u"Navelo.ini"_s));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(EnAnsi(u"[Config]\r\nCodeTélécommande=12345678\r\nVersion=%1\r\n"_s.arg(modele)));
        ini.close();
        OptionsNavelo options;
        options.dossierParamètres = dossier.path();
        options.nomInstance =
            u"navelo-decoupe-%1"_s.arg(QString::fromUtf8(QTest::currentDataTag()));
        options.lanceur = [](const QString&, const QStringList&, ModeAffichage) { return true; };
        options.compositeur = [compositeur] { return compositeur; };
        frmNavelo fenêtre(options);
        QVERIFY(fenêtre.Form_Load());

        const QRegion silhouette = SilhouetteTélécommande(modele, 1.0);
        QCOMPARE(fenêtre.testAttribute(Qt::WA_TranslucentBackground), compositeur);
        const QImage image = fenêtre.findChild<QLabel*>(u"imgTelkino"_s)->pixmap().toImage();
        QCOMPARE(image.size(), fenêtre.size());
        const Alphas alphas = CompteAlphas(image.convertToFormat(QImage::Format_ARGB32));
        if (!compositeur) {
            QCOMPARE(fenêtre.mask(), silhouette);
            QCOMPARE(image.pixel(0, 0), CouleurTransparente);
            QCOMPARE(alphas.pleins, image.width() * image.height());
            return;
        }
        // The smooth edge shows whole, and a click beside the outline still goes through.
        QVERIFY((fenêtre.mask() - silhouette).rectCount() > 0);
        QVERIFY(silhouette.subtracted(fenêtre.mask()).isEmpty());
        QVERIFY(!fenêtre.mask().contains(QPoint(0, 0)));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QVERIFY2(alphas.partiels > 200, qPrintable(QString::number(alphas.partiels)));
        QVERIFY(alphas.pleins > alphas.nuls * 5);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!fenêtre.mask().contains(QPoint(x, y)))
                    QCOMPARE(qAlpha(image.pixel(x, y)), 0);
            }
        }
        fenêtre.close();
    }

private:
    QTemporaryDir dossier;
};

QTEST_MAIN(TestDecoupe)
#include "tst_decoupe.moc"
