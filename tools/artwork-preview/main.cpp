// artwork-preview <folder>: writes every drawn picture of Navelo as PNG files, the remotes
// also with their key zones and window buttons outlined, to check that zones fall on keys.
#include "core/dessin_boutons.h"
#include "core/dessin_icone.h"
#include "core/dessin_telecommande.h"
#include "core/table_touches.h"
#include "dessin_donner.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QRectF Échelonne(const QRect& twips, double échelle) {
    const double k = échelle / TwipsParPixel;
    return QRectF(twips.x() * k, twips.y() * k, twips.width() * k, twips.height() * k);
}

QImage AvecZones(QImage image, int modèle, double échelle) {
    QPainter peintre(&image);
    peintre.setPen(QPen(QColor(0, 255, 255, 170), 0));
    for (const ZoneTouche& touche : TableTouches()) {
        const auto& zone = modèle == 6 ? touche.zoneV6 : touche.zoneV5;
        if (zone)
            peintre.drawRect(Échelonne(*zone, échelle));
    }
    peintre.setPen(QPen(QColor(255, 160, 0, 200), 0));
    for (BoutonFenêtre bouton : {BoutonFenêtre::Réduire, BoutonFenêtre::Quitter,
                                 BoutonFenêtre::Clavier, BoutonFenêtre::ListeChaînes})
        peintre.drawRect(Échelonne(ZoneBoutonFenêtre(bouton, modèle), échelle));
    return image;
}

// The remote with its window buttons shown where the main window puts them.
QImage AvecBoutons(QImage image, int modèle, double échelle, bool survolé) {
    QPainter peintre(&image);
    for (BoutonFenêtre bouton : {BoutonFenêtre::Réduire, BoutonFenêtre::Quitter,
                                 BoutonFenêtre::Clavier, BoutonFenêtre::ListeChaînes}) {
        const QRectF place = Échelonne(ZoneBoutonFenêtre(bouton, modèle), échelle);
        peintre.drawPixmap(place.topLeft().toPoint(),
                           ImageBoutonFenêtre(bouton, modèle,
                                              survolé && bouton == BoutonFenêtre::Quitter, échelle,
                                              image.devicePixelRatio()));
    }
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
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: artwork-preview <folder>\n");
        return 2;
    }
    const QDir dossier(QString::fromLocal8Bit(argv[1]));
    if (!dossier.mkpath(u"."_s)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    const auto nom = [&](const QString& fichier) { return dossier.filePath(fichier); };

    for (int modèle : {5, 6}) {
        for (auto [échelle, dpr] : {std::pair(0.5, 1.0), std::pair(1.0, 1.0), std::pair(3.0, 1.0),
                                    std::pair(1.0, 2.0), std::pair(1.37, 1.5)}) {
            const QImage image = ImageTélécommande(modèle, échelle, dpr);
            const QString base = u"remote%1_%2_dpr%3"_s.arg(modèle)
                                     .arg(qRound(échelle * 100), 3, 10, QChar(u'0'))
                                     .arg(dpr);
            ok &= Écrit(image, nom(base + u".png"_s));
            ok &= Écrit(AvecZones(image, modèle, échelle), nom(base + u"_zones.png"_s));
            ok &= Écrit(AvecBoutons(image, modèle, échelle, true), nom(base + u"_buttons.png"_s));
        }
    }

    for (double échelle : {1.0, 3.0, 5.0}) {
        const int côté = CôtéImageBoutonFenêtre(échelle);
        QImage planche(QSize(4 * (côté + 4), 2 * (côté + 4)) * 2, QImage::Format_ARGB32);
        planche.setDevicePixelRatio(2);
        planche.fill(QColor(200, 203, 208));
        QPainter peintre(&planche);
        int colonne = 0;
        for (BoutonFenêtre bouton : {BoutonFenêtre::Réduire, BoutonFenêtre::Quitter,
                                     BoutonFenêtre::Clavier, BoutonFenêtre::ListeChaînes}) {
            for (int ligne = 0; ligne < 2; ++ligne)
                peintre.drawPixmap(2 + colonne * (côté + 4), 2 + ligne * (côté + 4),
                                   ImageBoutonFenêtre(bouton, 5, ligne == 1, échelle, 2));
            ++colonne;
        }
        peintre.end();
        ok &= Écrit(planche, nom(u"buttons_%1.png"_s.arg(qRound(échelle * 100))));
    }

    const QIcon icône = IcôneNavelo();
    for (const QSize& taille : icône.availableSizes())
        ok &= Écrit(icône.pixmap(taille).toImage(), nom(u"icon_%1.png"_s.arg(taille.width())));

    for (qreal dpr : {1.0, 2.0}) {
        ok &= Écrit(ImageDonner(true, dpr).toImage(), nom(u"donate_fr_dpr%1.png"_s.arg(dpr)));
        ok &= Écrit(ImageDonner(false, dpr).toImage(), nom(u"donate_en_dpr%1.png"_s.arg(dpr)));
    }
    return ok ? 0 : 1;
}
