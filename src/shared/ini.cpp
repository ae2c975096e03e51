#include "ini.h"

#include "ini_document.h"

#include <QFile>
#include <QSaveFile>

namespace {

// The original read into a buffer of 32000 characters, one of them for the final NUL.
constexpr qsizetype longueurMaximale = 31999;

QString SansBlancsFinaux(QString texte) {
    qsizetype longueur = texte.size();
    while (longueur > 0 && (texte.at(longueur - 1) == u' ' || texte.at(longueur - 1) == u'\t'))
        --longueur;
    texte.truncate(longueur);
    return texte;
}

} // namespace

QString LitIni(const QString& fichier, const QString& section, const QString& clé,
               const QString& défaut) {
    std::optional<QString> valeur;
    QFile lu(fichier);
    if (lu.open(QIODevice::ReadOnly))
        valeur = ValeurIni(lu.readAll(), section, clé);
    return (valeur ? *valeur : SansBlancsFinaux(défaut)).left(longueurMaximale);
}

void EcritIni(const QString& fichier, const QString& section, const QString& clé,
              const QString& valeur) {
    QFile actuel(fichier);
    const bool existe = actuel.exists();
    QByteArray contenu;
    if (existe) {
        // Never replace a file whose content could not be read.
        if (!actuel.open(QIODevice::ReadOnly))
            return;
        contenu = actuel.readAll();
        if (actuel.error() != QFileDevice::NoError)
            return;
        actuel.close();
    }
    const QByteArray nouveau = AvecValeurIni(contenu, section, clé, valeur);
    if (existe && nouveau == contenu)
        return;

    // Written beside the file and renamed over it, so the file is never left half written.
    QSaveFile écrit(fichier);
    if (!écrit.open(QIODevice::WriteOnly))
        return;
    if (!existe)
        écrit.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (écrit.write(nouveau) == nouveau.size())
        écrit.commit();
}
