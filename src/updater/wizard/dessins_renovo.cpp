#include "dessins_renovo.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Qt::StringLiterals;

namespace {

QImage Toile(QSize taille, qreal dpr) {
    dpr = std::max(dpr, 1.0);
    QImage image(taille * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    return image;
}

// An arc of the circle and an arrowhead at its end, turning clockwise.
void DessineFlèche(QPainter& peintre, QPointF centre, qreal rayon, qreal début, qreal étendue,
                   const QColor& couleur, qreal épaisseur) {
    const QRectF cercle(centre.x() - rayon, centre.y() - rayon, 2 * rayon, 2 * rayon);
    QPainterPath arc;
    arc.arcMoveTo(cercle, début);
    arc.arcTo(cercle, début, -étendue);
    peintre.strokePath(arc, QPen(couleur, épaisseur, Qt::SolidLine, Qt::FlatCap));

    const qreal fin = (début - étendue) * std::numbers::pi / 180;
    const QPointF pointe(centre.x() + rayon * std::cos(fin), centre.y() - rayon * std::sin(fin));
    // Tangent of a clockwise turn, in screen coordinates.
    const QPointF sens(std::sin(fin), std::cos(fin));
    const QPointF normale(-sens.y(), sens.x());
    const qreal taille = épaisseur * 1.6;
    QPainterPath tête;
    tête.moveTo(pointe + sens * taille * 1.2);
    tête.lineTo(pointe + normale * taille);
    tête.lineTo(pointe - normale * taille);
    tête.closeSubpath();
    peintre.fillPath(tête, couleur);
}

void DessineFlèchesTournantes(QPainter& peintre, QPointF centre, qreal rayon, const QColor& couleur,
                              qreal épaisseur) {
    DessineFlèche(peintre, centre, rayon, 160, 130, couleur, épaisseur);
    DessineFlèche(peintre, centre, rayon, -20, 130, couleur, épaisseur);
}

QImage Icône(int côté) {
    QImage image = Toile(QSize(côté, côté), 1.0);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.scale(côté / 64.0, côté / 64.0);
    const QRectF tuile(2, 2, 60, 60);
    QLinearGradient bleu(tuile.topLeft(), tuile.bottomLeft());
    bleu.setColorAt(0, QColor(64, 156, 236));
    bleu.setColorAt(1, QColor(18, 82, 170));
    QPainterPath forme;
    forme.addRoundedRect(tuile, 13, 13);
    peintre.fillPath(forme, bleu);
    peintre.strokePath(forme, QPen(QColor(12, 58, 124), std::max(1.5, 64.0 / côté)));
    // Thicker strokes at small sizes, where thin ones would blur away.
    const qreal épaisseur = côté <= 24 ? 8 : 6;
    DessineFlèchesTournantes(peintre, QPointF(32, 32), 17, Qt::white, épaisseur);
    return image;
}

// A parcel seen from above and in front, its lid's edges lighter.
void DessineColis(QPainter& peintre, QPointF centre, qreal taille) {
    const qreal l = taille / 2;
    const qreal h = taille * 0.28;
    const QPointF haut(centre.x(), centre.y() - h - l * 0.5);
    const QPointF gauche(centre.x() - l, centre.y() - l * 0.5);
    const QPointF droite(centre.x() + l, centre.y() - l * 0.5);
    const QPointF devant(centre.x(), centre.y() - l * 0.5 + h);
    const QPointF bas(0, taille * 0.55);

    QPainterPath dessus;
    dessus.moveTo(haut);
    dessus.lineTo(droite);
    dessus.lineTo(devant);
    dessus.lineTo(gauche);
    dessus.closeSubpath();
    QPainterPath côtéGauche;
    côtéGauche.moveTo(gauche);
    côtéGauche.lineTo(devant);
    côtéGauche.lineTo(devant + bas);
    côtéGauche.lineTo(gauche + bas);
    côtéGauche.closeSubpath();
    QPainterPath côtéDroit;
    côtéDroit.moveTo(devant);
    côtéDroit.lineTo(droite);
    côtéDroit.lineTo(droite + bas);
    côtéDroit.lineTo(devant + bas);
    côtéDroit.closeSubpath();

    const QPen bord(QColor(120, 78, 30), 1.2);
    peintre.fillPath(côtéGauche, QColor(196, 140, 72));
    peintre.fillPath(côtéDroit, QColor(168, 114, 52));
    peintre.fillPath(dessus, QColor(226, 180, 112));
    for (const QPainterPath* face : {&côtéGauche, &côtéDroit, &dessus})
        peintre.strokePath(*face, bord);
    // The tape across the lid and down the front.
    const QPen ruban(QColor(246, 226, 180), taille * 0.07);
    peintre.setPen(ruban);
    peintre.drawLine((haut + gauche) / 2, (droite + devant) / 2);
    peintre.drawLine((droite + devant) / 2, (droite + devant) / 2 + bas);
    peintre.setPen(Qt::NoPen);
}

} // namespace

QIcon IcôneRenovo() {
    static const QIcon icône = [] {
        QIcon résultat;
        for (int côté : {16, 24, 32, 48, 64, 128, 256})
            résultat.addPixmap(QPixmap::fromImage(Icône(côté)));
        return résultat;
    }();
    return icône;
}

QPixmap ImagePar(qreal dpr) {
    const QSize taille = TailleImagePar;
    QImage image = Toile(taille, dpr);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    const QRectF cadre(QPointF(0, 0), QSizeF(taille));

    QLinearGradient fond(cadre.topLeft(), cadre.bottomLeft());
    fond.setColorAt(0, QColor(20, 58, 120));
    fond.setColorAt(1, QColor(14, 126, 148));
    peintre.fillRect(cadre, fond);
    const QPointF centre(cadre.center().x(), 118);
    QRadialGradient halo(centre, 70);
    halo.setColorAt(0, QColor(255, 255, 255, 70));
    halo.setColorAt(1, QColor(255, 255, 255, 0));
    peintre.fillRect(cadre, halo);

    DessineColis(peintre, centre + QPointF(0, 10), 56);
    DessineFlèchesTournantes(peintre, centre, 50, QColor(255, 255, 255, 230), 6);

    QFont police(u"Sans Serif"_s);
    police.setPixelSize(17);
    police.setBold(true);
    QPainterPath nom;
    nom.addText(0, 0, police, u"Korvane"_s);
    const QRectF encre = nom.boundingRect();
    peintre.fillPath(nom.translated(centre.x() - encre.center().x(), 236 - encre.center().y()),
                     QColor(255, 255, 255, 235));
    police.setPixelSize(11);
    police.setBold(false);
    QPainterPath sousTitre;
    sousTitre.addText(0, 0, police, u"Renovo"_s);
    const QRectF encre2 = sousTitre.boundingRect();
    peintre.fillPath(
        sousTitre.translated(centre.x() - encre2.center().x(), 256 - encre2.center().y()),
        QColor(210, 236, 246));
    return QPixmap::fromImage(image);
}

QPixmap ImageAttente(int image, qreal dpr) {
    QImage toile = Toile(TailleImageAttente, dpr);
    if (image < 1 || image > 8)
        return QPixmap::fromImage(toile);
    QPainter peintre(&toile);
    peintre.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(TailleImageAttente.width() / 2.0, TailleImageAttente.height() / 2.0);
    for (int point = 0; point < 8; ++point) {
        // How many frames ago the head passed here: 0 is the head, 7 the faintest.
        const int âge = (image - 1 - point + 8) % 8;
        const qreal angle = point * std::numbers::pi / 4 - std::numbers::pi / 2;
        const QPointF position = centre + QPointF(std::cos(angle), std::sin(angle)) * 14;
        QColor couleur(24, 98, 190);
        couleur.setAlpha(255 - âge * 28);
        peintre.setPen(Qt::NoPen);
        peintre.setBrush(couleur);
        peintre.drawEllipse(position, 4.2 - âge * 0.25, 4.2 - âge * 0.25);
    }
    return QPixmap::fromImage(toile);
}
