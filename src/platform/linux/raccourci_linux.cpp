#include "raccourci.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {

// One argument of an Exec line: always quoted, with the characters the desktop-entry rules
// reserve inside quotes escaped, and "%" doubled so that it is not read as a field code.
QString ArgumentExec(const QString& argument) {
    QString cité;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            cité += u'\\';
        cité += c;
        if (c == u'%')
            cité += u'%';
    }
    return u'"' + cité + u'"';
}

// A string value of the file: its own escapes come on top of the Exec quoting.
QString ValeurChaîne(const QString& texte) {
    QString valeur;
    for (const QChar c : texte) {
        switch (c.unicode()) {
        case u'\\':
            valeur += u"\\\\"_s;
            break;
        case u'\n':
            valeur += u"\\n"_s;
            break;
        case u'\r':
            valeur += u"\\r"_s;
            break;
        case u'\t':
            valeur += u"\\t"_s;
            break;
        default:
            valeur += c;
        }
    }
    return valeur;
}

// Only absolute folders count; the others are ignored, as the base directory rules say.
QString PremierDossier(const char* variable, const QString& parDéfaut) {
    const QStringList dossiers = qEnvironmentVariable(variable).split(u':', Qt::SkipEmptyParts);
    for (const QString& dossier : dossiers) {
        if (QDir::isAbsolutePath(dossier))
            return dossier;
    }
    return parDéfaut;
}

} // namespace

bool CréeRaccourci(const QString& chemin, const QString& cible, const QString& arguments) {
    if (cible.isEmpty())
        return QFile::remove(chemin);

    if (!QDir().mkpath(QFileInfo(chemin).absolutePath()))
        return false;
    QString exec = ArgumentExec(cible);
    if (!arguments.isEmpty())
        exec += u' ' + arguments;
    // Named after its file, as a Startup folder of Windows shows a shortcut.
    const QString entrée = u"[Desktop Entry]\nType=Application\nName="_s +
                           ValeurChaîne(QFileInfo(chemin).completeBaseName()) + u"\nExec="_s +
                           ValeurChaîne(exec) + u'\n';
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return false;
    fichier.write(entrée.toUtf8());
    return fichier.commit();
}

// The first folder of XDG_CONFIG_DIRS is the most important one of the system.
QString DossierDémarrageCommun() {
    return PremierDossier("XDG_CONFIG_DIRS", u"/etc/xdg"_s) + u"/autostart"_s;
}

QString DossierDémarrageUtilisateur() {
    return PremierDossier("XDG_CONFIG_HOME", QDir::homePath() + u"/.config"_s) + u"/autostart"_s;
}

QString NomFichierRaccourci(const QString& nom) {
    return nom + u".desktop"_s;
}
