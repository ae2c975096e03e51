#include "saisie_configuration.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

struct Limites {
    int minimum;
    int maximum;
};

Limites LimitesDe(ChampConfiguration champ) {
    return champ == ChampConfiguration::TailleLogos ? Limites{25, 200} : Limites{50, 500};
}

bool QueDesChiffres(const QString& texte) {
    return !texte.isEmpty() && std::all_of(texte.cbegin(), texte.cend(),
                                           [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Only for texts that passed RefusTaille, so the number fits.
qint16 Taille(const QString& texte) {
    return static_cast<qint16>(texte.toInt());
}

const QString& TexteDe(const SaisieConfiguration& saisie, ChampConfiguration champ) {
    switch (champ) {
    case ChampConfiguration::CodeTélécommande:
        return saisie.CodeTélécommande;
    case ChampConfiguration::TailleFenêtrePrincipale:
        return saisie.TailleFenêtrePrincipale;
    case ChampConfiguration::TailleClavier:
        return saisie.TailleClavier;
    case ChampConfiguration::TailleLogos:
        return saisie.TailleLogos;
    }
    Q_UNREACHABLE();
}

QString MessageChampVide(ChampConfiguration champ) {
    switch (champ) {
    case ChampConfiguration::CodeTélécommande:
        return u"Le champ CODE TELECOMMANDE doit être renseigné..."_s;
    case ChampConfiguration::TailleFenêtrePrincipale:
        return u"Le champ TAILLE FENETRE PRINCIPALE doit être renseigné..."_s;
    case ChampConfiguration::TailleClavier:
        return u"Le champ TAILLE CLAVIER VIRTUEL doit être renseigné..."_s;
    case ChampConfiguration::TailleLogos:
        return u"Le champ TAILLE LOGOS CHAINES doit être renseigné..."_s;
    }
    Q_UNREACHABLE();
}

constexpr ChampConfiguration champs[] = {
    ChampConfiguration::CodeTélécommande, ChampConfiguration::TailleFenêtrePrincipale,
    ChampConfiguration::TailleClavier, ChampConfiguration::TailleLogos};

} // namespace

SaisieConfiguration SaisieDepuis(const ParamètresNavelo& p) {
    return {p.CodeTélécommande,
            p.Version,
            p.Hd,
            p.MémoriserPositionFenêtre,
            p.FenêtreToujoursAuDessus,
            QString::number(p.TailleFenêtrePrincipale),
            QString::number(p.TailleClavier),
            QString::number(p.TailleLogos)};
}

std::optional<QString> RefusTaille(ChampConfiguration champ, const QString& texte) {
    const Limites limites = LimitesDe(champ);
    bool lu = false;
    const qulonglong nombre = texte.toULongLong(&lu);
    // toULongLong alone would accept blanks and signs; a number too long to read is out
    // of range anyway.
    if (!QueDesChiffres(texte) || !lu || nombre < qulonglong(limites.minimum) ||
        nombre > qulonglong(limites.maximum)) {
        return u"Veuillez saisir une valeur comprise entre %1 et %2..."_s.arg(limites.minimum)
            .arg(limites.maximum);
    }
    return std::nullopt;
}

std::optional<RefusSaisie> VérifieSaisie(const SaisieConfiguration& saisie) {
    for (const ChampConfiguration champ : champs) {
        if (TexteDe(saisie, champ).isEmpty())
            return RefusSaisie{champ, MessageChampVide(champ)};
    }
    for (const ChampConfiguration champ : champs) {
        if (champ == ChampConfiguration::CodeTélécommande)
            continue;
        if (const auto message = RefusTaille(champ, TexteDe(saisie, champ)))
            return RefusSaisie{champ, *message};
    }
    return std::nullopt;
}

void AppliqueSaisie(const SaisieConfiguration& saisie, ParamètresNavelo& p) {
    const qint16 fenêtre = Taille(saisie.TailleFenêtrePrincipale);
    const qint16 clavier = Taille(saisie.TailleClavier);
    const qint16 logos = Taille(saisie.TailleLogos);

    p.CodeTélécommande = saisie.CodeTélécommande;
    p.Hd = saisie.Hd;
    p.MémoriserPositionFenêtre = saisie.MémoriserPositionFenêtre;
    p.FenêtreToujoursAuDessus = saisie.FenêtreToujoursAuDessus;
    if (saisie.Version != p.Version || fenêtre != p.TailleFenêtrePrincipale ||
        clavier != p.TailleClavier || logos != p.TailleLogos) {
        p.RedémarrageNécessaire = true;
    }
    p.Version = saisie.Version;
    p.TailleFenêtrePrincipale = fenêtre;
    p.TailleClavier = clavier;
    p.TailleLogos = logos;
    p.ParamètresModifiés = true;
}
