#include "ansi.h"
#include "exige.h"
#include "ini.h"
#include "ini_document.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

bool EstBlanc(QChar c) {
    return c == u' ' || c == u'\t';
}

QString SansBlancs(QString texte) {
    while (!texte.isEmpty() && EstBlanc(texte.back()))
        texte.chop(1);
    const auto premier = std::find_if_not(texte.cbegin(), texte.cend(), EstBlanc);
    return texte.sliced(premier - texte.cbegin());
}

// A file an editor saved as UTF-8 is read and written so; any other, as Windows-1252.
bool fichierUtf8 = false;

// A leading byte order mark is skipped, whatever the encoding.
QByteArrayView SansMarque(QByteArrayView octets) {
    return octets.startsWith("\xEF\xBB\xBF") ? octets.sliced(3) : octets;
}

bool EstFichierUtf8(QByteArrayView octets) {
    const QByteArrayView texte = SansMarque(octets);
    const bool ascii = std::all_of(texte.begin(), texte.end(),
                                   [](char c) { return static_cast<quint8>(c) < 0x80; });
    return (texte.size() < octets.size() || !ascii) && QString::fromUtf8(texte).toUtf8() == texte;
}

// What a line can hold of a text, through the file's encoding.
QString UneLigneAnsi(const QString& texte) {
    const auto fin = std::find_if(texte.cbegin(), texte.cend(),
                                  [](QChar c) { return c == u'\r' || c == u'\n' || c == u'\0'; });
    const QStringView ligne = QStringView(texte).first(fin - texte.cbegin());
    return fichierUtf8 ? ligne.toString() : DepuisAnsi(EnAnsi(ligne));
}

QString NomLu(const QString& nom) {
    return SansBlancs(UneLigneAnsi(nom));
}

// A byte order mark that starts a name or a value of a UTF-8 file is skipped, as at the start
// of the file: in a file joined from two, the second one's first key keeps its name.
QString SansMarqueInitiale(QString texte) {
    if (texte.startsWith(QChar::ByteOrderMark))
        texte.remove(0, 1);
    return texte;
}

bool MêmeNom(const QString& a, const QString& b) {
    return QString::compare(SansMarqueInitiale(NomLu(a)), SansMarqueInitiale(NomLu(b)),
                            Qt::CaseInsensitive) == 0;
}

// The value as a later reading gives it back: one line, blanks trimmed, enclosing quotes gone.
QString ValeurRelue(const QString& valeur) {
    QString relue = SansBlancs(UneLigneAnsi(valeur));
    if (relue.size() >= 2 && (relue.front() == u'"' || relue.front() == u'\'') &&
        relue.back() == relue.front())
        relue = relue.sliced(1, relue.size() - 2);
    return SansMarqueInitiale(relue);
}

// A key line of this name reads back as the same key, and a header of this section as the
// same section.
bool NomsÉcrivables(const QString& section, const QString& clé) {
    const QString nom = NomLu(clé);
    return !NomLu(section).contains(u']') && !nom.contains(u'=') && !nom.startsWith(u';') &&
           !nom.startsWith(u'[');
}

// The keys that the bytes seem to hold, with their sections, as lookups to compare.
QList<std::pair<QString, QString>> ClésPrésentes(QByteArrayView contenu) {
    QList<std::pair<QString, QString>> clés;
    QString section;
    const QByteArrayView octets = SansMarque(contenu);
    for (const QString& ligne :
         (fichierUtf8 ? QString::fromUtf8(octets) : DepuisAnsi(octets)).split(u'\n')) {
        const QString texte = SansBlancs(ligne);
        if (texte.startsWith(u'['))
            section = texte.sliced(1).section(u']', 0, 0);
        else if (texte.contains(u'='))
            clés.append({section, texte.section(u'=', 0, 0)});
        if (clés.size() == 32)
            break;
    }
    return clés;
}

void ÉcritFichier(const QString& chemin, QByteArrayView octets) {
    QFile fichier(chemin);
    EXIGE(fichier.open(QIODevice::WriteOnly | QIODevice::Truncate));
    EXIGE(fichier.write(octets.data(), octets.size()) == octets.size());
}

QByteArray LitFichier(const QString& chemin) {
    QFile fichier(chemin);
    EXIGE(fichier.open(QIODevice::ReadOnly));
    return fichier.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const quint8* octets, size_t taille) {
    FuzzedDataProvider données(octets, taille);
    const QString section = QString::fromUtf8(données.ConsumeRandomLengthString(64));
    const QString clé = QString::fromUtf8(données.ConsumeRandomLengthString(64));
    const QString valeur = QString::fromUtf8(données.ConsumeRandomLengthString());
    const std::string reste = données.ConsumeRemainingBytesAsString();
    const QByteArrayView avant(reste.data(), static_cast<qsizetype>(reste.size()));

    fichierUtf8 = EstFichierUtf8(avant);
    const std::optional<QString> ancienne = ValeurIni(avant, section, clé);
    const QByteArray après = AvecValeurIni(avant, section, clé, valeur);
    // Windows-1252 bytes written into a file of plain ASCII may happen to read as UTF-8: the
    // file then reads in that encoding, which the rules below do not model.
    if (NomsÉcrivables(section, clé) && EstFichierUtf8(après) == fichierUtf8) {
        EXIGE(ValeurIni(après, section, clé) == ValeurRelue(valeur));
        EXIGE(AvecValeurIni(après, section, clé, valeur) == après);
        for (const auto& [autreSection, autreClé] : ClésPrésentes(avant)) {
            if (!MêmeNom(autreSection, section) || !MêmeNom(autreClé, clé))
                EXIGE(ValeurIni(avant, autreSection, autreClé) ==
                      ValeurIni(après, autreSection, autreClé));
        }
    }

    // The file routines agree with the byte rules.
    static const QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"fuzz.ini"_s);
    ÉcritFichier(chemin, avant);
    EXIGE(LitIni(chemin, section, clé, u"défaut"_s) == ancienne.value_or(u"défaut"_s).left(31999));
    EcritIni(chemin, section, clé, valeur);
    EXIGE(LitFichier(chemin) == après);
    EXIGE(LitIni(chemin, section, clé, {}) ==
          ValeurIni(après, section, clé).value_or(QString()).left(31999));
    return 0;
}
