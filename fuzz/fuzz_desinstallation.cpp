#include "exige.h"
#include "ini.h"
#include "updates/logiciels_installes.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir* données = nullptr;

QString DossierEntrées() {
    return données->filePath(u"korvane/uninstall"_s);
}

} // namespace

// The user's uninstall entries live in a folder of this run.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    données = new QTemporaryDir;
    EXIGE(données->isValid() && QDir().mkpath(DossierEntrées()));
    setenv("XDG_DATA_HOME", données->path().toLocal8Bit().constData(), 1);
    return 0;
}

// One uninstall entry of any bytes, under a name of any characters: discovery reads it as
// one program of the maker or as none, never anything else.
extern "C" int LLVMFuzzerTestOneInput(const quint8* octets, size_t taille) {
    FuzzedDataProvider fournisseur(octets, taille);
    QString nom = QString::fromUtf8(fournisseur.ConsumeRandomLengthString(32));
    nom.remove(u'/');
    nom.remove(QChar(0));
    if (nom.isEmpty() || nom == u"."_s || nom == u".."_s)
        nom = u"Entrée"_s;
    const std::string contenu = fournisseur.ConsumeRemainingBytesAsString();

    QDir(DossierEntrées()).removeRecursively();
    QDir().mkpath(DossierEntrées());
    const QString chemin = DossierEntrées() + u'/' + nom + u".ini"_s;
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return 0;
    fichier.write(contenu.data(), static_cast<qint64>(contenu.size()));
    fichier.close();

    QStringList liste;
    RechercheLogicielsInstallés(*RegistreSystème(), RacineRegistre::HKEY_CURRENT_USER,
                                CléDésinstallation, liste);
    const bool duFabricant = LitIni(chemin, u"Uninstall"_s, u"Publisher"_s, QString())
                                 .compare(u"korvane"_s, Qt::CaseInsensitive) == 0;
    EXIGE(liste.size() == (duFabricant ? 1 : 0));
    if (duFabricant) {
        const QString version = LitIni(chemin, u"Uninstall"_s, u"DisplayVersion"_s, QString());
        EXIGE(liste.front().endsWith(u'=' + version));
        EXIGE(
            !liste.front().sliced(0, liste.front().size() - version.size() - 1).contains(u" v"_s));
    }
    return 0;
}
