#pragma once

#include <QString>

class colTraductions;
struct ParamètresRenovo;

// What a file download shows on the window, through the download step's view; it runs in
// the window's event loop, so its events go on meanwhile.
class AffichageProgression {
public:
    virtual ~AffichageProgression() = default;
    // Before the first attempt: the progress bar (maximum 20000, at 0) and an empty
    // remaining-time text, both shown.
    virtual void Prépare() = 0;
    // The answer is there: the latest line of the download list becomes `ligne`, and the
    // progress bar counts up to `total` bytes.
    virtual void Commence(const QString& ligne, qint64 total) = 0;
    // `faits` bytes are in; `texte` is "Téléchargé : ... sur ... (reste ... s.)". Called at most
    // a few times a second, and for the last chunk, so that painting never slows the transfer.
    virtual void Avance(qint64 faits, const QString& texte) = 0;
    // True once the window is closing: the download stops and leaves nothing behind.
    virtual bool Interrompu() const = 0;
};

// The status of an answer from its header block: the first line from its first space on
// ("200 OK"), empty when that line holds no space.
QString StatutRéponse(const QString& enTêtes);

// A byte count for the user: "1023 octets", "1,5 Ko", "1 Mo" (the locale's decimal separator).
QString TailleTexte(qint64 octets);

// `x` rounded to `décimales` decimals, halves away from zero.
double Arrondi(double x, int décimales);

// The progress text after `faits` of `total` bytes in `écouléMs` milliseconds.
QString TexteAvancement(qint64 faits, qint64 total, qint64 écouléMs,
                        const colTraductions& traductions);

// Text mode: the body of a "200 OK" answer, empty on any failure (no answer, another status,
// a body over `tailleMax` bytes). Uses the connection settings, with the direct retry when
// asked for.
QString Télécharge(const ParamètresRenovo& paramètres, const QString& url,
                   qint64 tailleMax = 1024 * 1024);

// File mode: the body of a "200 OK" answer saved as `dossier`/`nomFichier`. The file is
// written under a temporary name and takes its own name only once complete: a failed,
// cut-short or interrupted download never leaves a partial file, and never replaces an
// existing one. An answer without a Content-Length fails: its end could not be checked.
bool Télécharge(const ParamètresRenovo& paramètres, const QString& url, const QString& dossier,
                const QString& nomFichier, AffichageProgression& progression,
                const colTraductions& traductions);
