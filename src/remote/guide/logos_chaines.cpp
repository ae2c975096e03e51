#include "logos_chaines.h"

#include <QDir>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

const QString LogoParDéfaut = u"_sans.png"_s;

// Half to even, for non-negative numbers.
int ArrondiPair(qint64 numérateur, qint64 dénominateur) {
    qint64 quotient = numérateur / dénominateur;
    const qint64 reste2 = 2 * (numérateur % dénominateur);
    if (reste2 > dénominateur || (reste2 == dénominateur && quotient % 2 != 0))
        ++quotient;
    return static_cast<int>(quotient);
}

// A leading whole number after blanks; what follows it is ignored.
qint64 NombreEnTête(QStringView texte) {
    qsizetype i = 0;
    while (i < texte.size() && texte[i].isSpace())
        ++i;
    const qsizetype début = i;
    if (i < texte.size() && (texte[i] == u'-' || texte[i] == u'+'))
        ++i;
    while (i < texte.size() && texte[i] >= u'0' && texte[i] <= u'9')
        ++i;
    bool ok = false;
    const qint64 nombre = texte.sliced(début, i - début).toLongLong(&ok);
    return ok ? nombre : 0;
}

} // namespace

QSize TailleImagesLogos(int pourcentage) {
    const qint64 p = std::max(pourcentage, 0);
    return {ArrondiPair(70 * p, 100), ArrondiPair(54 * p, 100)};
}

qint64 NuméroLogo(const QString& nomFichier) {
    QString nom = nomFichier;
    nom.remove(u"Canal "_s).remove(u".png"_s);
    return NombreEnTête(nom);
}

QList<FichierLogo> FichiersLogos(const QStringList& dossiers) {
    QList<FichierLogo> parDéfaut;
    QList<FichierLogo> logos;
    QSet<QString> vus;
    for (const QString& chemin : dossiers) {
        const QDir dossier(chemin);
        // "*.png" as a name filter would cost a regular expression engine, its code and its
        // compiler, for one suffix.
        const QStringList noms = dossier.entryList(QDir::Files | QDir::Readable, QDir::Name);
        for (const QString& nom : noms) {
            if (!nom.endsWith(u".png"_s, Qt::CaseInsensitive) || vus.contains(nom))
                continue;
            vus.insert(nom);
            if (nom == LogoParDéfaut)
                parDéfaut.append({u"?"_s, dossier.filePath(nom)});
            logos.append({u"K"_s + QString::number(NuméroLogo(nom)), dossier.filePath(nom)});
        }
    }
    return parDéfaut + logos;
}
