#include "exige.h"
#include "updates/signature.h"

#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace {

// The key the seeds were signed with, for a file holding "MZ Navelo 1.1" named Navelo110.exe.
constexpr QByteArrayView Clé = "untrusted comment: minisign public key BB1D6FC0A6763E07\n"
                               "RWQHPnamwG8duwKS78VBcEsYuV2zSg2ju/QhzF+/1LcEUOJm6nB7B0hQ\n";

} // namespace

// A signature and a public key file of any bytes: read safely, and a signature passes only
// for the file and the name signed.
extern "C" int LLVMFuzzerTestOneInput(const quint8* octets, size_t taille) {
    static QTemporaryFile fichier;
    static const bool écrit =
        fichier.open() && fichier.write("MZ Navelo 1.1") == 13 && fichier.flush();
    static const QList<CléPublique> clés{*LitCléPublique(Clé)};
    EXIGE(écrit);
    const QByteArrayView texte(reinterpret_cast<const char*>(octets), qsizetype(taille));

    LitCléPublique(texte);
    const RésultatSignature résultat =
        VérifieSignature(fichier.fileName(), texte, u"Navelo110.exe"_s, clés);
    if (résultat == RésultatSignature::Valide) {
        EXIGE(texte.size() <= 4096 && texte.toByteArray().contains("\tfile:Navelo110.exe"));
        EXIGE(VérifieSignature(fichier.fileName(), texte, u"Prog.exe"_s, clés) ==
              RésultatSignature::NomDifférent);
    }
    return 0;
}
