#include "texte.h"

namespace {

Qt::CaseSensitivity Casse(Comparaison comparaison) {
    return comparaison == Comparaison::Texte ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

} // namespace

QString FormateTexte(const QString& modèle, const QStringList& arguments) {
    QString texte = modèle;
    for (qsizetype i = 0;; ++i) {
        const qsizetype position = texte.indexOf(u"%v", 0, Qt::CaseInsensitive);
        if (position < 0)
            return texte;
        texte.replace(position, 2, i < arguments.size() ? arguments.at(i) : QString());
    }
}

QString RépèteTexte(qint16 nombre, const QString& morceau) {
    return nombre > 0 ? morceau.repeated(nombre) : QString();
}

QString Remplace(const QString& texte, const QString& cherché, const QString& remplacement,
                 int début, Comparaison comparaison) {
    qsizetype depuis = qMax(début, 1) - 1;
    if (cherché.isEmpty() || depuis >= texte.size())
        return texte;
    QString résultat = texte.left(depuis);
    for (qsizetype trouvé; (trouvé = texte.indexOf(cherché, depuis, Casse(comparaison))) >= 0;) {
        résultat += QStringView(texte).mid(depuis, trouvé - depuis);
        résultat += remplacement;
        depuis = trouvé + cherché.size();
    }
    résultat += QStringView(texte).mid(depuis);
    return résultat;
}

QStringList Découpe(const QString& texte, const QString& séparateur, qint16 limite,
                    Comparaison comparaison) {
    if (limite == 0 || limite < -1 || texte.isEmpty())
        return {};
    QStringList morceaux;
    qsizetype depuis = 0;
    if (!séparateur.isEmpty()) {
        while (limite == -1 || morceaux.size() < limite - 1) {
            const qsizetype trouvé = texte.indexOf(séparateur, depuis, Casse(comparaison));
            if (trouvé < 0)
                break;
            morceaux.append(texte.mid(depuis, trouvé - depuis));
            depuis = trouvé + séparateur.size();
        }
    }
    morceaux.append(texte.mid(depuis));
    return morceaux;
}

QString Joint(const QStringList& morceaux, const QString& séparateur) {
    return morceaux.join(séparateur);
}

QString PremièreMajuscule(const QString& texte) {
    if (texte.isEmpty())
        return texte;
    const qsizetype longueur = texte.at(0).isHighSurrogate() && texte.size() > 1 ? 2 : 1;
    return texte.left(longueur).toUpper() + QStringView(texte).mid(longueur);
}
