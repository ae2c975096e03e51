#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// Installers are signed with minisign (Ed25519): "<installer>.minisig" beside each one. Both
// its formats are checked: the prehashed "ED" (BLAKE2b-512 of the file) and the legacy "Ed".

// A minisign public key: the 8 bytes of its id and the Ed25519 key.
struct CléPublique {
    std::array<unsigned char, 8> id{};
    std::array<unsigned char, 32> clé{};
};

// A public key file ("*.pub" as minisign writes it); none for anything else.
std::optional<CléPublique> LitCléPublique(QByteArrayView texte);

// The first check that failed, in the order they are made.
enum class RésultatSignature {
    Valide,
    // Not a minisign signature: over 4 KiB, lines, base64 or lengths.
    Illisible,
    AlgorithmeInconnu,
    // Made with a key that is not trusted.
    CléInconnue,
    // The trusted comment was not signed with the signature (the global signature).
    CommentaireFalsifié,
    // The trusted comment's "file:" names another file.
    NomDifférent,
    FichierIllisible,
    // The file is not the one signed.
    FichierDifférent,
};

// Checks the file at `chemin` against `signature`, the text of its ".minisig", made by one of
// `clés` for a file named `nomAttendu`. The file is read as a stream (the legacy format maps
// it instead), never held whole in memory. Any input is safe: it is checked before use.
RésultatSignature VérifieSignature(const QString& chemin, QByteArrayView signature,
                                   const QString& nomAttendu, const QList<CléPublique>& clés);
