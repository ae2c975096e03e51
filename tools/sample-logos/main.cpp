// sample-logos <channel document> <folder>: draws made-up logos for the demo, a coloured tile
// with the channel number, for most of the document's channels (every fourth one is left
// without, to show the "_sans.png" picture), plus "_sans.png" itself.
#include "guide/chaines.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Twice the size shown at 100 %, so that the largest logo size stays sharp.
constexpr QSize Taille(140, 108);
constexpr int NombreDeLogos = 40;

QPainterPath Tuile() {
    QPainterPath tuile;
    tuile.addRoundedRect(QRectF(3, 3, Taille.width() - 6, Taille.height() - 6), 16, 16);
    return tuile;
}

// Fits the text into the box with the largest bold font that allows it.
void ÉcritAuCentre(QPainter& peintre, const QRectF& boîte, const QString& texte) {
    QFont police(u"DejaVu Sans"_s);
    police.setBold(true);
    for (qreal taille = boîte.height(); taille > 6; taille -= 1) {
        police.setPixelSize(static_cast<int>(taille));
        const QFontMetricsF mesures(police);
        if (mesures.horizontalAdvance(texte) <= boîte.width() && mesures.height() <= boîte.height())
            break;
    }
    peintre.setFont(police);
    peintre.drawText(boîte, Qt::AlignCenter, texte);
}

QImage Logo(int numéro) {
    QImage image(Taille, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);

    // Golden-angle steps keep neighbouring numbers apart in colour.
    const int teinte = (numéro * 137) % 360;
    QLinearGradient dégradé(0, 0, 0, Taille.height());
    dégradé.setColorAt(0, QColor::fromHsv(teinte, 150, 235));
    dégradé.setColorAt(1, QColor::fromHsv(teinte, 210, 165));
    peintre.fillPath(Tuile(), dégradé);
    peintre.setPen(QPen(QColor::fromHsv(teinte, 230, 110), 3));
    peintre.drawPath(Tuile());

    peintre.setPen(QColor(0, 0, 0, 70));
    ÉcritAuCentre(peintre, QRectF(18, 20, Taille.width() - 34, Taille.height() - 36),
                  QString::number(numéro));
    peintre.setPen(Qt::white);
    ÉcritAuCentre(peintre, QRectF(16, 18, Taille.width() - 34, Taille.height() - 36),
                  QString::number(numéro));
    return image;
}

QImage SansLogo() {
    QImage image(Taille, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.fillPath(Tuile(), QColor(236, 236, 236));
    peintre.setPen(QPen(QColor(150, 150, 150), 3, Qt::DashLine));
    peintre.drawPath(Tuile());
    peintre.setPen(QColor(150, 150, 150));
    ÉcritAuCentre(peintre, QRectF(16, 18, Taille.width() - 32, Taille.height() - 36), u"TV"_s);
    return image;
}

bool Écrit(const QImage& image, const QString& chemin) {
    if (image.save(chemin))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(chemin));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: sample-logos <channel document> <folder>\n");
        return 2;
    }
    QList<InfosChaîne> chaînes;
    if (ChargeChaînes(arguments[1], chaînes) == 0) {
        std::fprintf(stderr, "no channel in %s\n", qPrintable(arguments[1]));
        return 1;
    }
    const QDir dossier(arguments[2]);
    if (!dossier.mkpath(u"."_s))
        return 1;

    bool réussi = Écrit(SansLogo(), dossier.filePath(u"_sans.png"_s));
    int écrits = 0;
    for (qsizetype i = 0; i < chaînes.size() && écrits < NombreDeLogos; ++i) {
        if (i % 4 == 3)
            continue;
        const int numéro = chaînes[i].id.toInt();
        réussi &= Écrit(Logo(numéro), dossier.filePath(u"Canal %1.png"_s.arg(numéro)));
        ++écrits;
    }
    return réussi ? 0 : 1;
}
