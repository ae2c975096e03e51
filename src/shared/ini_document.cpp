#include "ini_document.h"

#include "ansi.h"

#include <algorithm>

namespace {

bool EstBlanc(char c) {
    return c == ' ' || c == '\t';
}

bool EstFinDeLigne(char c) {
    return c == '\r' || c == '\n';
}

QByteArrayView SansBlancs(QByteArrayView texte) {
    while (!texte.isEmpty() && EstBlanc(texte.front()))
        texte = texte.sliced(1);
    while (!texte.isEmpty() && EstBlanc(texte.back()))
        texte.chop(1);
    return texte;
}

// What a line can carry: the text up to its first line break or NUL.
QStringView UneLigne(QStringView texte) {
    const auto fin = std::find_if(texte.begin(), texte.end(),
                                  [](QChar c) { return c == u'\r' || c == u'\n' || c == u'\0'; });
    return texte.first(fin - texte.begin());
}

QByteArray NomAnsi(QStringView nom) {
    return SansBlancs(EnAnsi(UneLigne(nom))).toByteArray();
}

class NomCherché {
public:
    explicit NomCherché(QStringView nom)
        : texte_(DepuisAnsi(NomAnsi(nom))) {}

    // One byte per character, so a length mismatch rules a name out without decoding it.
    bool Correspond(QByteArrayView nom) const {
        return nom.size() == texte_.size() &&
               QString::compare(DepuisAnsi(nom), texte_, Qt::CaseInsensitive) == 0;
    }

private:
    QString texte_;
};

enum class Genre { Vide, Commentaire, Section, Clé, Autre };

struct Ligne {
    qsizetype fin = 0;   // before the line break
    qsizetype suite = 0; // after the line break
    Genre genre = Genre::Vide;
    QByteArrayView nom;
    QByteArrayView valeur;
};

Ligne LigneÀ(QByteArrayView contenu, qsizetype début) {
    Ligne ligne;
    ligne.fin =
        std::find_if(contenu.begin() + début, contenu.end(), EstFinDeLigne) - contenu.begin();
    ligne.suite = ligne.fin;
    if (ligne.suite < contenu.size() && contenu[ligne.suite] == '\r')
        ++ligne.suite;
    if (ligne.suite < contenu.size() && contenu[ligne.suite] == '\n')
        ++ligne.suite;

    const QByteArrayView texte = SansBlancs(contenu.sliced(début, ligne.fin - début));
    if (texte.isEmpty())
        return ligne;
    if (texte.front() == ';') {
        ligne.genre = Genre::Commentaire;
    } else if (texte.front() == '[') {
        const QByteArrayView reste = texte.sliced(1);
        const qsizetype fermante = reste.indexOf(']');
        ligne.genre = Genre::Section;
        ligne.nom = SansBlancs(fermante < 0 ? reste : reste.first(fermante));
    } else if (const qsizetype égal = texte.indexOf('='); égal >= 0) {
        ligne.genre = Genre::Clé;
        ligne.nom = SansBlancs(texte.first(égal));
        ligne.valeur = SansBlancs(texte.sliced(égal + 1));
    } else {
        ligne.genre = Genre::Autre;
    }
    return ligne;
}

struct Recherche {
    bool sectionTrouvée = false;
    std::optional<Ligne> clé;
    Ligne dernièreDeSection; // the header or the section's last line that is not blank
    QByteArrayView finDeLigne;
};

// One pass, which stops at the end of the first section of the name.
Recherche Cherche(QByteArrayView contenu, QStringView section, QStringView clé) {
    const NomCherché sectionCherchée(section);
    const NomCherché cléCherchée(clé);
    Recherche recherche;
    bool dansSection = false;
    for (qsizetype début = 0; début < contenu.size();) {
        const Ligne ligne = LigneÀ(contenu, début);
        if (recherche.finDeLigne.isEmpty())
            recherche.finDeLigne = contenu.sliced(ligne.fin, ligne.suite - ligne.fin);
        if (ligne.genre == Genre::Section) {
            if (dansSection)
                break;
            dansSection = sectionCherchée.Correspond(ligne.nom);
        }
        if (dansSection) {
            recherche.sectionTrouvée = true;
            if (ligne.genre == Genre::Clé && cléCherchée.Correspond(ligne.nom)) {
                recherche.clé = ligne;
                break;
            }
            if (ligne.genre != Genre::Vide)
                recherche.dernièreDeSection = ligne;
        }
        début = ligne.suite;
    }
    return recherche;
}

} // namespace

std::optional<QString> ValeurIni(QByteArrayView contenu, QStringView section, QStringView clé) {
    const Recherche recherche = Cherche(contenu, section, clé);
    if (!recherche.clé)
        return std::nullopt;
    QByteArrayView valeur = recherche.clé->valeur;
    if (valeur.size() >= 2 && (valeur.front() == '"' || valeur.front() == '\'') &&
        valeur.back() == valeur.front())
        valeur = valeur.sliced(1, valeur.size() - 2);
    return DepuisAnsi(valeur);
}

QByteArray AvecValeurIni(QByteArrayView contenu, QStringView section, QStringView clé,
                         QStringView valeur) {
    const Recherche recherche = Cherche(contenu, section, clé);
    const QByteArrayView finDeLigne =
        recherche.finDeLigne.isEmpty() ? QByteArrayView("\r\n") : recherche.finDeLigne;
    const QByteArray valeurAnsi = EnAnsi(UneLigne(valeur));

    if (recherche.clé) {
        const Ligne& ligne = *recherche.clé;
        const qsizetype débutNom = ligne.nom.data() - contenu.data();
        return contenu.first(débutNom) + ligne.nom + '=' + valeurAnsi + contenu.sliced(ligne.fin);
    }

    const QByteArray ligneClé = NomAnsi(clé) + '=' + valeurAnsi + finDeLigne;
    if (recherche.sectionTrouvée) {
        const Ligne& dernière = recherche.dernièreDeSection;
        const bool sansFin = dernière.suite == dernière.fin;
        return contenu.first(dernière.suite) + (sansFin ? finDeLigne : QByteArrayView()) +
               ligneClé + contenu.sliced(dernière.suite);
    }

    QByteArray résultat = contenu.toByteArray();
    if (!résultat.isEmpty() && !EstFinDeLigne(résultat.back()))
        résultat += finDeLigne;
    return résultat + '[' + NomAnsi(section) + ']' + finDeLigne + ligneClé;
}
