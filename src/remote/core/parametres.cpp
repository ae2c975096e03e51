#include "parametres.h"

#include "ini.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

const QString section = u"Config"_s;

bool EstChiffre(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Rounded half to even, then held within the type's range instead of overflowing.
template <typename Entier> Entier VersEntier(double valeur) {
    if (std::isnan(valeur))
        return 0;
    const double arrondi = std::nearbyint(valeur);
    if (arrondi <= std::numeric_limits<Entier>::min())
        return std::numeric_limits<Entier>::min();
    if (arrondi >= std::numeric_limits<Entier>::max())
        return std::numeric_limits<Entier>::max();
    return static_cast<Entier>(arrondi);
}

QString Lit(const QString& fichier, const QString& clé, const QString& défaut) {
    return LitIni(fichier, section, clé, défaut);
}

template <typename Entier>
Entier LitEntier(const QString& fichier, const QString& clé, Entier défaut) {
    return VersEntier<Entier>(LitNombre(Lit(fichier, clé, QString::number(défaut))));
}

// Far beyond any screen, and small enough that a rectangle's far edge still fits an int.
qint32 LitPosition(const QString& fichier, const QString& clé, qint32 défaut) {
    constexpr qint32 limite = 1'000'000'000;
    return qBound(-limite, LitEntier<qint32>(fichier, clé, défaut), limite);
}

bool LitDrapeau(const QString& fichier, const QString& clé, bool défaut) {
    return LitNombre(Lit(fichier, clé, défaut ? u"-1"_s : u"0"_s)) != 0;
}

void Écrit(const QString& fichier, const QString& clé, const QString& valeur) {
    EcritIni(fichier, section, clé, valeur);
}

QString TexteDrapeau(bool valeur) {
    return valeur ? u"-1"_s : u"0"_s;
}

qint16 DansIntervalle(qint16 valeur, qint16 minimum, qint16 maximum) {
    return qBound(minimum, valeur, maximum);
}

} // namespace

double LitNombre(QStringView texte) {
    qsizetype i = 0;
    const qsizetype n = texte.size();
    while (i < n &&
           (texte[i] == u' ' || texte[i] == u'\t' || texte[i] == u'\r' || texte[i] == u'\n'))
        ++i;
    const qsizetype début = i;
    if (i < n && (texte[i] == u'+' || texte[i] == u'-'))
        ++i;
    qsizetype chiffres = 0;
    for (; i < n && EstChiffre(texte[i]); ++i)
        ++chiffres;
    if (i < n && texte[i] == u'.') {
        ++i;
        for (; i < n && EstChiffre(texte[i]); ++i)
            ++chiffres;
    }
    if (chiffres == 0)
        return 0;
    qsizetype fin = i;
    // An exponent counts only when at least one digit follows it.
    if (i < n && (texte[i] == u'e' || texte[i] == u'E' || texte[i] == u'd' || texte[i] == u'D')) {
        qsizetype j = i + 1;
        if (j < n && (texte[j] == u'+' || texte[j] == u'-'))
            ++j;
        if (j < n && EstChiffre(texte[j])) {
            while (j < n && EstChiffre(texte[j]))
                ++j;
            fin = j;
        }
    }
    QString nombre = texte.sliced(début, fin - début).toString();
    for (QChar& c : nombre) {
        if (c == u'd' || c == u'D')
            c = u'e';
    }
    // An overflow reads as an infinity, which the callers then hold within their ranges.
    return QLocale::c().toDouble(nombre);
}

QString FichierIniLu(const ParamètresNavelo& p) {
    if (p.FichierIniProgramme.isEmpty() || QFileInfo::exists(p.FichierIni))
        return p.FichierIni;
    return p.FichierIniProgramme;
}

bool PrépareÉcriture(const ParamètresNavelo& p) {
    if (FichierIniLu(p) != p.FichierIni) {
        // Without the copy, a first write would leave a file holding only what it wrote.
        QFile modèle(p.FichierIniProgramme);
        QSaveFile copie(p.FichierIni);
        if (!modèle.open(QIODevice::ReadOnly) || !copie.open(QIODevice::WriteOnly))
            return false;
        // The code in it is the user's own: readable by its owner only, as a new file is.
        copie.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const QByteArray contenu = modèle.readAll();
        return modèle.error() == QFileDevice::NoError && copie.write(contenu) == contenu.size() &&
               copie.commit();
    }
    QSaveFile essai(p.FichierIni);
    const bool possible = essai.open(QIODevice::WriteOnly);
    essai.cancelWriting();
    return possible;
}

void LitParamètres(ParamètresNavelo& p) {
    const QString f = FichierIniLu(p);
    p.CodeTélécommande = Lit(f, u"CodeTélécommande"_s, QString());
    p.Version = LitEntier<qint16>(f, u"Version"_s, 5);
    p.Hd = LitEntier<qint16>(f, u"Hd"_s, 1);
    p.MémoriserPositionFenêtre = LitDrapeau(f, u"MémoriserPositionFenêtre"_s, true);
    p.FenêtreToujoursAuDessus = LitDrapeau(f, u"FenêtreToujoursAuDessus"_s, false);
    p.TailleFenêtrePrincipale = LitEntier<qint16>(f, u"TailleFenêtrePrincipale"_s, 100);
    p.TailleClavier = LitEntier<qint16>(f, u"TailleClavier"_s, 100);
    p.TailleLogos = LitEntier<qint16>(f, u"TailleLogos"_s, 50);

    // Only two remotes are drawn, and a size of 0 would leave no window to click.
    if (p.Version != 5 && p.Version != 6)
        p.Version = 5;
    if (p.Hd != 1 && p.Hd != 2)
        p.Hd = 1;
    p.TailleFenêtrePrincipale = DansIntervalle(p.TailleFenêtrePrincipale, 50, 500);
    p.TailleClavier = DansIntervalle(p.TailleClavier, 50, 500);
    p.TailleLogos = DansIntervalle(p.TailleLogos, 25, 200);
}

void EcritParamètres(const ParamètresNavelo& p) {
    const QString& f = p.FichierIni;
    Écrit(f, u"CodeTélécommande"_s, p.CodeTélécommande);
    Écrit(f, u"Version"_s, QString::number(p.Version));
    Écrit(f, u"Hd"_s, QString::number(p.Hd));
    Écrit(f, u"MémoriserPositionFenêtre"_s, TexteDrapeau(p.MémoriserPositionFenêtre));
    Écrit(f, u"FenêtreToujoursAuDessus"_s, TexteDrapeau(p.FenêtreToujoursAuDessus));
    Écrit(f, u"TailleFenêtrePrincipale"_s, QString::number(p.TailleFenêtrePrincipale));
    Écrit(f, u"TailleClavier"_s, QString::number(p.TailleClavier));
    Écrit(f, u"TailleLogos"_s, QString::number(p.TailleLogos));
}

PositionsFenêtres LitPositions(const QString& fichierIni, const PositionsFenêtres& défauts) {
    const QString& f = fichierIni;
    PositionsFenêtres p;
    p.Fenêtre.setX(LitPosition(f, u"FenêtreGauche"_s, défauts.Fenêtre.x()));
    p.Fenêtre.setY(LitPosition(f, u"FenêtreHaut"_s, défauts.Fenêtre.y()));
    p.FenêtreClavier.setX(LitPosition(f, u"FenêtreClavierGauche"_s, défauts.FenêtreClavier.x()));
    p.FenêtreClavier.setY(LitPosition(f, u"FenêtreClavierHaut"_s, défauts.FenêtreClavier.y()));
    const QRect& liste = défauts.FenêtreListeChaînes;
    const qint32 gauche = LitPosition(f, u"FenêtreListeChaînesGauche"_s, liste.x());
    const qint32 haut = LitPosition(f, u"FenêtreListeChaînesHaut"_s, liste.y());
    const qint32 largeur = LitPosition(f, u"FenêtreListeChaînesLargeur"_s, liste.width());
    const qint32 hauteur = LitPosition(f, u"FenêtreListeChaînesHauteur"_s, liste.height());
    // A window of no size could not be seen, nor grown back: its defaults apply instead.
    p.FenêtreListeChaînes =
        largeur > 0 && hauteur > 0 ? QRect(gauche, haut, largeur, hauteur) : liste;
    return p;
}

void EcritPositions(const QString& fichierIni, const PositionsFenêtres& positions) {
    const QString& f = fichierIni;
    const auto nombre = [](int valeur) { return QString::number(valeur); };
    Écrit(f, u"FenêtreGauche"_s, nombre(positions.Fenêtre.x()));
    Écrit(f, u"FenêtreHaut"_s, nombre(positions.Fenêtre.y()));
    Écrit(f, u"FenêtreClavierGauche"_s, nombre(positions.FenêtreClavier.x()));
    Écrit(f, u"FenêtreClavierHaut"_s, nombre(positions.FenêtreClavier.y()));
    const QRect& liste = positions.FenêtreListeChaînes;
    Écrit(f, u"FenêtreListeChaînesGauche"_s, nombre(liste.x()));
    Écrit(f, u"FenêtreListeChaînesHaut"_s, nombre(liste.y()));
    Écrit(f, u"FenêtreListeChaînesLargeur"_s, nombre(liste.width()));
    Écrit(f, u"FenêtreListeChaînesHauteur"_s, nombre(liste.height()));
}
