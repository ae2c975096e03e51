#include "navelo_pret.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

bool NaveloPrêt::prépare() {
    if (!dossier.isValid() || !QFile::copy(QStringLiteral(PROGRAMME_NAVELO), programme()))
        return false;
    const QDir logos(QStringLiteral(LOGOS_NAVELO));
    QDir(dossier.path()).mkdir(u"logos"_s);
    for (const QString& logo : logos.entryList(QDir::Files)) {
        if (!QFile::copy(logos.filePath(logo), dossier.filePath(u"logos/"_s + logo)))
            return false;
    }
    const QString cache = dossier.filePath(u"channels"_s);
    if (!QFile::copy(QStringLiteral(EXEMPLE_CHAINES), cache))
        return false;
    QFile(cache).setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
    QFile ini(dossier.filePath(u"Navelo.ini"_s));
    return ini.open(QIODevice::WriteOnly) && ini.write("[Config]\r\nCodeT\xE9l\xE9"
                                                       "commande=12345678\r\n") > 0;
}

QString NaveloPrêt::programme() const {
    return dossier.filePath(u"Navelo"_s);
}

QProcessEnvironment NaveloPrêt::environnement() const {
    QProcessEnvironment environnement;
    for (const QString& nom : {u"HOME"_s, u"TMPDIR"_s, u"XDG_RUNTIME_DIR"_s})
        environnement.insert(nom, dossier.path());
    environnement.insert(u"USER"_s, u"banc"_s);
    environnement.insert(u"PATH"_s, qEnvironmentVariable("PATH"));
    environnement.insert(u"http_proxy"_s, u"http://127.0.0.1:9"_s);
    return environnement;
}

void NaveloPrêt::oublieInstance() const {
    QDir temporaire(dossier.path());
    for (const QString& nom : temporaire.entryList({u"Navelo.WakeUp!*"_s}, QDir::System))
        temporaire.remove(nom);
}
