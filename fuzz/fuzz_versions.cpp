#include "erreur_renovo.h"
#include "exige.h"
#include "updates/versions.h"

#include <QString>

#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// A release is newer exactly when its numbers are, however many digits or whatever sign they
// have.
void VérifieOrdre(const NumérosVersion& a, const NumérosVersion& b) {
    if (a.révision > 99 || b.révision > 99)
        return;
    const auto numéros = [](const NumérosVersion& v) {
        return std::tuple(v.majeur, v.mineur, v.révision);
    };
    EXIGE(VersionPlusRécente(b, a) == (numéros(a) < numéros(b)));
}

std::optional<NumérosVersion> Numéros(const QString& texte) {
    try {
        return NumérosDeVersion(texte);
    } catch (const ErreurRenovo& erreur) {
        // The two errors a version field can raise: not a whole number, or out of range.
        EXIGE(erreur.numéro == 13 || erreur.numéro == 6);
        return std::nullopt;
    }
}

} // namespace

// The version answer parser, the version text conversion and the three forms of a version.
extern "C" int LLVMFuzzerTestOneInput(const quint8* octets, size_t taille) {
    FuzzedDataProvider données(octets, taille);
    const qint16 majeur = données.ConsumeIntegral<qint16>();
    const qint16 mineur = données.ConsumeIntegral<qint16>();
    const qint16 révision = données.ConsumeIntegral<qint16>();
    const qint16 forme = données.ConsumeIntegral<qint16>();
    const QString texteA = QString::fromUtf8(données.ConsumeRandomLengthString(32));
    const QString texteB = QString::fromUtf8(données.ConsumeRandomLengthString(32));
    const QString corps = QString::fromUtf8(données.ConsumeRemainingBytesAsString());

    const QString affichée = FormateVersion(majeur, mineur, révision, forme);
    EXIGE(affichée.startsWith(u'v') || forme == 2 || forme == 3);
    if (majeur >= 0 && mineur >= 0 && révision >= 0 && révision <= 99) {
        // A release's display form reads back as the same numbers.
        const std::optional<NumérosVersion> relue =
            Numéros(FormateVersion(majeur, mineur, révision, 1).sliced(1));
        EXIGE(relue && relue->majeur == majeur && relue->mineur == mineur &&
              relue->révision == révision);
    }

    const std::optional<NumérosVersion> a = Numéros(texteA);
    const std::optional<NumérosVersion> b = Numéros(texteB);
    if (a && b)
        VérifieOrdre(*a, *b);

    try {
        const TableVersions table = LitRéponseVersions(corps);
        EXIGE(table.taille() <= corps.count(u'='));
    } catch (const ErreurRenovo& erreur) {
        EXIGE(erreur.numéro == 457);
    }
    return 0;
}
