#include "chaines_etapes.h"

#include <QLatin1StringView>
#include <QStringDecoder>

#include <algorithm>

namespace {

int ChiffreHexa(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// "%" and two hexadecimal digits give the byte they name; any other "%" stays as it is, so
// that a name such as "100%" keeps its closing quote.
QByteArray SansPourcents(QByteArrayView objet) {
    QByteArray octets;
    octets.reserve(objet.size());
    qsizetype début = 0;
    for (qsizetype pourcent = objet.indexOf('%'); pourcent >= 0;
         pourcent = objet.indexOf('%', pourcent + 1)) {
        if (pourcent + 2 >= objet.size())
            break;
        const int fort = ChiffreHexa(objet[pourcent + 1]);
        const int faible = ChiffreHexa(objet[pourcent + 2]);
        if (fort < 0 || faible < 0)
            continue;
        octets.append(objet.sliced(début, pourcent - début));
        octets.append(static_cast<char>(fort * 16 + faible));
        début = pourcent + 3;
        pourcent += 2;
    }
    octets.append(objet.sliced(début));
    return octets;
}

bool EstBlanc(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

qsizetype SauteBlancs(QStringView texte, qsizetype position) {
    while (position < texte.size() && EstBlanc(texte[position]))
        ++position;
    return position;
}

QStringView SansBlancsFinaux(QStringView texte) {
    while (!texte.isEmpty() && EstBlanc(texte.back()))
        texte.chop(1);
    return texte;
}

// Past the separator that follows a closing quote or bracket. Whatever character stands
// there is taken as the separator, as compact documents always put one.
qsizetype AprèsSéparateur(QStringView texte, qsizetype position) {
    return std::min(SauteBlancs(texte, position) + 1, texte.size());
}

// Whether the character at `position` follows an odd run of backslashes: "\\" is an escaped
// backslash, which escapes nothing after it.
bool Échappé(QStringView texte, qsizetype position) {
    qsizetype barres = 0;
    while (position - barres > 0 && texte[position - barres - 1] == u'\\')
        ++barres;
    return barres % 2 == 1;
}

// The next `fin` character from `position` that is not escaped.
qsizetype FermetureNonÉchappée(QStringView texte, qsizetype position, QChar fin) {
    qsizetype trouvé = texte.indexOf(fin, position);
    while (trouvé > 0 && Échappé(texte, trouvé))
        trouvé = texte.indexOf(fin, trouvé + 1);
    return trouvé;
}

// Keys are compared in lower case, one character at a time as Windows' LCase maps them.
bool MêmeClé(QStringView clé, QLatin1StringView nom) {
    if (clé.size() != nom.size())
        return false;
    for (qsizetype i = 0; i < clé.size(); ++i) {
        if (clé[i].toLower() != QLatin1Char(nom[i]))
            return false;
    }
    return true;
}

// "true" or "false" in any case, or a decimal number that is true when not zero.
std::optional<bool> Booléen(QStringView texte) {
    const QStringView mot = texte.trimmed();
    if (mot.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (mot.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    qsizetype i = 0;
    if (i < mot.size() && (mot[i] == u'+' || mot[i] == u'-'))
        ++i;
    bool chiffres = false;
    bool nonNul = false;
    bool point = false;
    for (; i < mot.size(); ++i) {
        const QChar c = mot[i];
        if (c == u'.' && !point) {
            point = true;
        } else if (c >= u'0' && c <= u'9') {
            chiffres = true;
            nonNul = nonNul || c != u'0';
        } else {
            return std::nullopt;
        }
    }
    if (!chiffres)
        return std::nullopt;
    return nonNul;
}

bool Range(InfosChaîne& chaîne, const Paire& paire) {
    const QStringView clé = paire.clé;
    if (MêmeClé(clé, QLatin1StringView("id"))) {
        chaîne.id = paire.valeur.toString();
    } else if (MêmeClé(clé, QLatin1StringView("name"))) {
        chaîne.name = RetireÉchappements(paire.valeur);
    } else if (MêmeClé(clé, QLatin1StringView("short_name"))) {
        chaîne.short_name = RetireÉchappements(paire.valeur);
    } else if (MêmeClé(clé, QLatin1StringView("fav"))) {
        chaîne.fav = paire.valeur.toString();
    } else if (MêmeClé(clé, QLatin1StringView("available"))) {
        const std::optional<bool> disponible = Booléen(paire.valeur);
        if (!disponible)
            return false;
        chaîne.available = *disponible;
    } else if (MêmeClé(clé, QLatin1StringView("services"))) {
        chaîne.services = paire.valeur.toString();
    }
    return true;
}

} // namespace

QString DecodeUTF8(QByteArrayView objet) {
    // Windows' UTF-8 conversion keeps a byte order mark as a character; so do we, so that a
    // cache reads the same on both systems.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    if (!objet.contains('%'))
        return utf8.decode(objet);
    return utf8.decode(SansPourcents(objet));
}

std::optional<Paire> ExtraitPaire(QStringView objet, qsizetype& position) {
    const qsizetype fin = objet.size();
    Paire paire;
    position = SauteBlancs(objet, position);
    if (position < fin && objet[position] == u'"') {
        const qsizetype guillemet = objet.indexOf(u'"', position + 1);
        if (guillemet < 0)
            return std::nullopt;
        paire.clé = objet.sliced(position + 1, guillemet - position - 1);
        position = AprèsSéparateur(objet, guillemet + 1);
    } else {
        const qsizetype deuxPoints = objet.indexOf(u':', position);
        if (deuxPoints < 0)
            return std::nullopt;
        paire.clé = SansBlancsFinaux(objet.sliced(position, deuxPoints - position));
        position = deuxPoints + 1;
    }

    position = SauteBlancs(objet, position);
    const QChar ouverture = position < fin ? objet[position] : QChar();
    if (ouverture == u'"' || ouverture == u'[') {
        // Nested arrays are not read: the first unescaped "]" closes the value.
        const qsizetype fermeture =
            FermetureNonÉchappée(objet, position + 1, ouverture == u'"' ? u'"' : u']');
        if (fermeture < 0)
            return std::nullopt;
        paire.valeur = objet.sliced(position + 1, fermeture - position - 1);
        position = AprèsSéparateur(objet, fermeture + 1);
    } else {
        const qsizetype virgule = objet.indexOf(u',', position);
        const qsizetype finValeur = virgule < 0 ? fin : virgule;
        paire.valeur = SansBlancsFinaux(objet.sliced(position, finValeur - position));
        position = virgule < 0 ? fin : virgule + 1;
    }
    position = SauteBlancs(objet, position);
    return paire;
}

std::optional<InfosChaîne> DécodeChaîne(QStringView objet) {
    InfosChaîne chaîne;
    qsizetype position = 0;
    do {
        const std::optional<Paire> paire = ExtraitPaire(objet, position);
        if (!paire || !Range(chaîne, *paire))
            return std::nullopt;
    } while (position < objet.size());
    return chaîne;
}

QString RetireÉchappements(QStringView texte) {
    if (!texte.contains(u'\\'))
        return texte.toString();
    QString résultat;
    résultat.reserve(texte.size());
    bool échappementRetiré = false;
    for (const QChar c : texte) {
        if (c == u'\\' && !échappementRetiré) {
            échappementRetiré = true;
            continue;
        }
        résultat.append(c);
        échappementRetiré = false;
    }
    return résultat;
}
