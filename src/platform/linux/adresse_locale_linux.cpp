#include "adresse_locale.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Another user's folder, or one others may write in, would let them take the name.
bool EstPrivé(const struct stat& état) {
    return S_ISDIR(état.st_mode) && état.st_uid == ::geteuid() && (état.st_mode & 077) == 0;
}

// Without XDG_RUNTIME_DIR: a folder of the user's own in the temporary folder, as Qt and
// other programs make it.
QByteArray DossierDeRepli() {
    const QByteArray dossier =
        QFile::encodeName(QDir::tempPath()) + "/runtime-" + QByteArray::number(::geteuid());
    ::mkdir(dossier.constData(), 0700);
    struct stat état {};
    if (::lstat(dossier.constData(), &état) != 0 || !S_ISDIR(état.st_mode) ||
        état.st_uid != ::geteuid())
        return {};
    if ((état.st_mode & 077) != 0 && ::chmod(dossier.constData(), 0700) != 0)
        return {};
    return dossier;
}

} // namespace

QString AdresseLocalePrivée(const QString& nom) {
    QByteArray dossier = qgetenv("XDG_RUNTIME_DIR");
    struct stat état {};
    if (!dossier.startsWith('/') || ::stat(dossier.constData(), &état) != 0 || !EstPrivé(état))
        dossier = DossierDeRepli();
    return dossier.isEmpty() ? QString() : QFile::decodeName(dossier) + u'/' + nom;
}
