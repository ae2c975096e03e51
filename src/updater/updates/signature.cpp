#include "signature.h"

#include <QFile>

#include <algorithm>
#include <sodium.h>
#include <vector>

namespace {

// A signature is four short lines; anything longer is no signature.
constexpr qsizetype TailleMaxSignature = 4096;
constexpr qint64 Bloc = 64 * 1024;
constexpr QByteArrayView PréfixeNonFiable = "untrusted comment: ";
constexpr QByteArrayView PréfixeFiable = "trusted comment: ";
constexpr QByteArrayView Ed25519 = "Ed";
constexpr QByteArrayView Préhaché = "ED";

template <std::size_t N> using Octets = std::array<unsigned char, N>;

struct SignatureLue {
    Octets<2> algorithme;
    Octets<8> id;
    Octets<64> signature;
    QByteArrayView commentaire;
    Octets<64> globale;
};

// Exactly `nombre` lines, each ended by LF or CR LF, the last one possibly by nothing.
std::optional<QList<QByteArrayView>> Lignes(QByteArrayView texte, qsizetype nombre) {
    QList<QByteArrayView> lignes;
    while (!texte.isEmpty() && lignes.size() <= nombre) {
        const qsizetype fin = texte.indexOf('\n');
        QByteArrayView ligne = fin < 0 ? texte : texte.first(fin);
        texte = fin < 0 ? QByteArrayView() : texte.sliced(fin + 1);
        if (ligne.endsWith('\r'))
            ligne.chop(1);
        lignes.append(ligne);
    }
    if (lignes.size() != nombre)
        return std::nullopt;
    return lignes;
}

// Standard base64 with its padding, decoding to exactly N bytes.
template <std::size_t N> std::optional<Octets<N>> Base64(QByteArrayView texte) {
    Octets<N> octets{};
    std::size_t décodés = 0;
    // Without an end pointer, libsodium refuses any character that is not base64.
    if (texte.isEmpty() ||
        sodium_base642bin(octets.data(), N, texte.data(), static_cast<std::size_t>(texte.size()),
                          nullptr, &décodés, nullptr, sodium_base64_VARIANT_ORIGINAL) != 0 ||
        décodés != N)
        return std::nullopt;
    return octets;
}

std::optional<SignatureLue> LitSignature(QByteArrayView texte) {
    if (texte.size() > TailleMaxSignature)
        return std::nullopt;
    const auto lignes = Lignes(texte, 4);
    if (!lignes || !lignes->at(0).startsWith(PréfixeNonFiable) ||
        !lignes->at(2).startsWith(PréfixeFiable))
        return std::nullopt;
    const auto signature = Base64<74>(lignes->at(1));
    const auto globale = Base64<64>(lignes->at(3));
    if (!signature || !globale)
        return std::nullopt;
    SignatureLue lue{};
    std::copy_n(signature->begin(), 2, lue.algorithme.begin());
    std::copy_n(signature->begin() + 2, 8, lue.id.begin());
    std::copy_n(signature->begin() + 10, 64, lue.signature.begin());
    lue.commentaire = lignes->at(2).sliced(PréfixeFiable.size());
    lue.globale = *globale;
    return lue;
}

bool Égal(const Octets<2>& a, QByteArrayView b) {
    return QByteArrayView(reinterpret_cast<const char*>(a.data()), 2) == b;
}

bool Vérifie(const Octets<64>& signature, const unsigned char* message, qint64 taille,
             const CléPublique& clé) {
    return crypto_sign_verify_detached(signature.data(), message,
                                       static_cast<unsigned long long>(taille),
                                       clé.clé.data()) == 0;
}

// The "file:" field of a trusted comment such as "timestamp:1700000000\tfile:Prog.exe\thashed".
QString NomSigné(QByteArrayView commentaire) {
    for (const QByteArray& champ : commentaire.toByteArray().split('\t')) {
        if (champ.startsWith("file:"))
            return QString::fromUtf8(champ.sliced(5));
    }
    return {};
}

// BLAKE2b-512 of the file, read block by block.
std::optional<Octets<64>> Empreinte(QFile& fichier) {
    crypto_generichash_state état;
    crypto_generichash_init(&état, nullptr, 0, 64);
    std::vector<char> tampon(Bloc);
    for (;;) {
        const qint64 lus = fichier.read(tampon.data(), Bloc);
        if (lus < 0)
            return std::nullopt;
        if (lus == 0)
            break;
        crypto_generichash_update(&état, reinterpret_cast<const unsigned char*>(tampon.data()),
                                  static_cast<unsigned long long>(lus));
    }
    Octets<64> empreinte{};
    crypto_generichash_final(&état, empreinte.data(), empreinte.size());
    return empreinte;
}

RésultatSignature VérifieFichier(const QString& chemin, const SignatureLue& lue,
                                 const CléPublique& clé) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return RésultatSignature::FichierIllisible;
    bool juste = false;
    if (Égal(lue.algorithme, Préhaché)) {
        const auto empreinte = Empreinte(fichier);
        if (!empreinte)
            return RésultatSignature::FichierIllisible;
        juste = Vérifie(lue.signature, empreinte->data(), 64, clé);
    } else {
        // The legacy format signs the whole file at once: mapped, not read into memory.
        const qint64 taille = fichier.size();
        const uchar* contenu = taille > 0 ? fichier.map(0, taille) : nullptr;
        if (taille > 0 && !contenu)
            return RésultatSignature::FichierIllisible;
        juste = Vérifie(lue.signature, contenu, taille, clé);
    }
    return juste ? RésultatSignature::Valide : RésultatSignature::FichierDifférent;
}

} // namespace

std::optional<CléPublique> LitCléPublique(QByteArrayView texte) {
    if (texte.size() > TailleMaxSignature)
        return std::nullopt;
    const auto lignes = Lignes(texte, 2);
    if (!lignes || !lignes->at(0).startsWith(PréfixeNonFiable))
        return std::nullopt;
    const auto octets = Base64<42>(lignes->at(1));
    if (!octets || !Égal({(*octets)[0], (*octets)[1]}, Ed25519))
        return std::nullopt;
    CléPublique clé;
    std::copy_n(octets->begin() + 2, 8, clé.id.begin());
    std::copy_n(octets->begin() + 10, 32, clé.clé.begin());
    return clé;
}

RésultatSignature VérifieSignature(const QString& chemin, QByteArrayView signature,
                                   const QString& nomAttendu, const QList<CléPublique>& clés) {
    // Without the library, nothing can be checked, so nothing passes.
    if (sodium_init() < 0)
        return RésultatSignature::FichierIllisible;
    const std::optional<SignatureLue> lue = LitSignature(signature);
    if (!lue)
        return RésultatSignature::Illisible;
    if (!Égal(lue->algorithme, Préhaché) && !Égal(lue->algorithme, Ed25519))
        return RésultatSignature::AlgorithmeInconnu;
    const auto clé = std::find_if(clés.cbegin(), clés.cend(),
                                  [&](const CléPublique& c) { return c.id == lue->id; });
    if (clé == clés.cend())
        return RésultatSignature::CléInconnue;

    // The global signature covers the file's signature followed by the trusted comment.
    QByteArray signé(reinterpret_cast<const char*>(lue->signature.data()), 64);
    signé.append(lue->commentaire);
    if (!Vérifie(lue->globale, reinterpret_cast<const unsigned char*>(signé.constData()),
                 signé.size(), *clé))
        return RésultatSignature::CommentaireFalsifié;
    if (NomSigné(lue->commentaire) != nomAttendu || nomAttendu.isEmpty())
        return RésultatSignature::NomDifférent;
    return VérifieFichier(chemin, *lue, *clé);
}
