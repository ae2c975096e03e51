#include "exige.h"
#include "guide/chaines.h"
#include "guide/chaines_etapes.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <fuzzer/FuzzedDataProvider.h>

using namespace Qt::StringLiterals;

namespace {

bool Dans(QStringView partie, QStringView tout) {
    return partie.data() >= tout.data() &&
           partie.data() + partie.size() <= tout.data() + tout.size();
}

// The bytes as a cache file: no crash, no hang, no more channels than opening braces.
void DocumentQuelconque(QByteArrayView document) {
    EXIGE(DécodeChaînes(document).size() <= document.count('{'));
}

// The bytes as one object: each pair moves forward and stays inside the object.
void ObjetQuelconque(QByteArrayView octets) {
    const QString objet = DecodeUTF8(octets);
    for (qsizetype position = 0; position < objet.size();) {
        const qsizetype avant = position;
        const std::optional<Paire> paire = ExtraitPaire(objet, position);
        if (!paire)
            return;
        EXIGE(position > avant && position <= objet.size());
        EXIGE(Dans(paire->clé, objet) && Dans(paire->valeur, objet));
        EXIGE(RetireÉchappements(paire->valeur).size() <= paire->valeur.size());
    }
}

// A text value written as the box writes it: quotes and backslashes escaped, braces and
// percent signs as percent escapes, other characters as raw UTF-8 or percent escapes.
QByteArray Texte(const QString& valeur, bool pourcents) {
    QByteArray écrit = "\"";
    for (const char c : valeur.toUtf8()) {
        const auto octet = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            écrit += '\\' + QByteArray(1, c);
        else if (c == '{' || c == '}' || c == '%' || (pourcents && octet >= 0x80))
            écrit += '%' + QByteArray::number(octet, 16).rightJustified(2, '0');
        else
            écrit += c;
    }
    return écrit + '"';
}

// A text the format can carry: valid UTF-16, and no final backslash, since the quote after it
// would read as escaped.
QString TexteÉcrivable(FuzzedDataProvider& données) {
    QString texte = QString::fromUtf8(données.ConsumeRandomLengthString(40));
    while (texte.endsWith(u'\\'))
        texte.chop(1);
    return texte;
}

struct Disponible {
    const char* écrit;
    bool valeur;
};
constexpr std::array<Disponible, 6> disponibles = {
    {{"true", true}, {"false", false}, {"TRUE", true}, {"0", false}, {"-1", true}, {"0.5", true}}};

// Channels written as a cache file must read back field for field.
void AllerRetour(FuzzedDataProvider& données) {
    QList<InfosChaîne> écrites;
    QByteArray document = "[";
    const int nombre = données.ConsumeIntegralInRange(0, 5);
    for (int i = 0; i < nombre; ++i) {
        InfosChaîne c;
        c.id = QString::number(données.ConsumeIntegral<quint16>());
        c.name = TexteÉcrivable(données);
        c.short_name = TexteÉcrivable(données);
        c.fav = données.ConsumeBool() ? u"1"_s : u"0"_s;
        const Disponible& disponible = données.PickValueInArray(disponibles);
        c.available = disponible.valeur;
        const int services = données.ConsumeIntegralInRange(0, 3);
        for (int s = 0; s < services; ++s) {
            c.services += (s > 0 ? u","_s : QString()) +
                          (données.ConsumeBool() ? QString::number(300 + s)
                                                 : uR"({"id":%1,"type":"sd"})"_s.arg(s));
        }
        const bool pourcents = données.ConsumeBool();
        document += (i > 0 ? "," : "") + ("{\"id\":" + c.id.toLatin1()) +
                    ",\"name\":" + Texte(c.name, pourcents) +
                    ",\"short_name\":" + Texte(c.short_name, pourcents) +
                    ",\"fav\":" + c.fav.toLatin1() + ",\"available\":" + disponible.écrit +
                    ",\"services\":[" + c.services.toUtf8() + "]}";
        écrites.append(c);
    }
    document += "]\r\n";

    const QList<InfosChaîne> lues = DécodeChaînes(document);
    EXIGE(lues.size() == écrites.size());
    for (qsizetype i = 0; i < lues.size(); ++i) {
        EXIGE(lues[i].id == écrites[i].id);
        EXIGE(lues[i].name == écrites[i].name);
        EXIGE(lues[i].short_name == écrites[i].short_name);
        EXIGE(lues[i].fav == écrites[i].fav);
        EXIGE(lues[i].available == écrites[i].available);
        EXIGE(lues[i].services == écrites[i].services);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const quint8* octets, size_t taille) {
    const QByteArrayView données(octets, static_cast<qsizetype>(taille));
    DocumentQuelconque(données);
    ObjetQuelconque(données);
    FuzzedDataProvider fournisseur(octets, taille);
    AllerRetour(fournisseur);
    return 0;
}
