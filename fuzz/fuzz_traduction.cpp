#include "erreur_renovo.h"
#include "exige.h"
#include "translation/traductions.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

using namespace Qt::StringLiterals;

namespace {

void ÉcritFichier(const QString& chemin, const std::string& octets) {
    QFile fichier(chemin);
    EXIGE(fichier.open(QIODevice::WriteOnly | QIODevice::Truncate));
    EXIGE(fichier.write(octets.data(), static_cast<qint64>(octets.size())) ==
          static_cast<qint64>(octets.size()));
}

QString Lit(const QString& chemin, const QString& clé, const QString& défaut) {
    try {
        return LitTraduction(chemin, clé, défaut);
    } catch (const ErreurRenovo&) {
        // A file that exists is always read: no error may come out of the lookup.
        EXIGE(false);
    }
    return {};
}

} // namespace

// A language file of any bytes, looked up under any key: the INI line, its alias, the block
// search and the markup all run, and none of them may crash, throw or lose the default.
extern "C" int LLVMFuzzerTestOneInput(const quint8* octets, size_t taille) {
    FuzzedDataProvider données(octets, taille);
    const QString clé = QString::fromUtf8(données.ConsumeRandomLengthString(48));
    const QString défaut = QString::fromUtf8(données.ConsumeRandomLengthString(64));
    const std::string contenu = données.ConsumeRemainingBytesAsString();

    static const QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"Langue.lng"_s);
    ÉcritFichier(chemin, contenu);

    const QString texte = Lit(chemin, clé, défaut);
    EXIGE(Lit(chemin, clé, défaut) == texte);
    // Without a file, the default comes back with only its markup applied.
    const QString intégré = LitTraduction(QString(), clé, défaut);
    if (!défaut.contains(u'§'))
        EXIGE(intégré == défaut);
    // A key that nothing in the file can name gives the default.
    if (!contenu.empty() && contenu.find_first_of("<=") == std::string::npos)
        EXIGE(texte == intégré);
    return 0;
}
