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

// How a file's text is stored: Windows-1252, unless an editor saved it as UTF-8, which it
// then stays, byte order mark included.
struct Codage {
    bool utf8 = false;
    qsizetype début = 0; // past the byte order mark

    QString Décode(QByteArrayView octets) const {
        return utf8 ? QString::fromUtf8(octets) : DepuisAnsi(octets);
    }
    QByteArray Encode(QStringView texte) const { return utf8 ? texte.toUtf8() : EnAnsi(texte); }
    QByteArray Nom(QStringView nom) const {
        return SansBlancs(Encode(UneLigne(nom))).toByteArray();
    }
};

// Each invalid sequence would come back as U+FFFD, whose bytes differ.
bool EstUtf8(QByteArrayView octets) {
    return QString::fromUtf8(octets).toUtf8() == octets;
}

// A file of plain ASCII is Windows-1252 too, so that the accented names it gets are written
// as they always were.
Codage CodageDe(QByteArrayView contenu) {
    Codage codage;
    if (contenu.startsWith("\xEF\xBB\xBF"))
        codage.début = 3;
    const QByteArrayView texte = contenu.sliced(codage.début);
    const bool ascii =
        std::all_of(texte.begin(), texte.end(), [](char c) { return (c & 0x80) == 0; });
    codage.utf8 = (codage.début > 0 || !ascii) && EstUtf8(texte);
    return codage;
}

class NomCherché {
public:
    NomCherché(QStringView nom, const Codage& codage)
        : codage_(codage)
        , texte_(codage.Décode(codage.Nom(nom))) {}

    // One byte per character in Windows-1252, so a length mismatch rules a name out there
    // without decoding it.
    bool Correspond(QByteArrayView nom) const {
        if (!codage_.utf8 && nom.size() != texte_.size())
            return false;
        return QString::compare(codage_.Décode(nom), texte_, Qt::CaseInsensitive) == 0;
    }

private:
    const Codage& codage_;
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
Recherche Cherche(QByteArrayView contenu, const Codage& codage, QStringView section,
                  QStringView clé) {
    const NomCherché sectionCherchée(section, codage);
    const NomCherché cléCherchée(clé, codage);
    Recherche recherche;
    bool dansSection = false;
    for (qsizetype début = codage.début; début < contenu.size();) {
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
    const Codage codage = CodageDe(contenu);
    const Recherche recherche = Cherche(contenu, codage, section, clé);
    if (!recherche.clé)
        return std::nullopt;
    QByteArrayView valeur = recherche.clé->valeur;
    if (valeur.size() >= 2 && (valeur.front() == '"' || valeur.front() == '\'') &&
        valeur.back() == valeur.front())
        valeur = valeur.sliced(1, valeur.size() - 2);
    return codage.Décode(valeur);
}

QByteArray AvecValeurIni(QByteArrayView contenu, QStringView section, QStringView clé,
                         QStringView valeur) {
    const Codage codage = CodageDe(contenu);
    const Recherche recherche = Cherche(contenu, codage, section, clé);
    const QByteArrayView finDeLigne =
        recherche.finDeLigne.isEmpty() ? QByteArrayView("\r\n") : recherche.finDeLigne;
    const QByteArray valeurCodée = codage.Encode(UneLigne(valeur));

    if (recherche.clé) {
        const Ligne& ligne = *recherche.clé;
        const qsizetype débutNom = ligne.nom.data() - contenu.data();
        return contenu.first(débutNom) + ligne.nom + '=' + valeurCodée + contenu.sliced(ligne.fin);
    }

    const QByteArray ligneClé = codage.Nom(clé) + '=' + valeurCodée + finDeLigne;
    if (recherche.sectionTrouvée) {
        const Ligne& dernière = recherche.dernièreDeSection;
        const bool sansFin = dernière.suite == dernière.fin;
        return contenu.first(dernière.suite) + (sansFin ? finDeLigne : QByteArrayView()) +
               ligneClé + contenu.sliced(dernière.suite);
    }

    QByteArray résultat = contenu.toByteArray();
    if (résultat.size() > codage.début && !EstFinDeLigne(résultat.back()))
        résultat += finDeLigne;
    return résultat + '[' + codage.Nom(section) + ']' + finDeLigne + ligneClé;
}

QString TexteIni(QByteArrayView contenu) {
    const Codage codage = CodageDe(contenu);
    return codage.Décode(contenu.sliced(codage.début));
}
