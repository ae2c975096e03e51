"""The source file a mutant changes, put back whatever ends the run.

Before a mutant is written, a journal holds the file's original bytes; it goes once the file
is back. A run killed outright (SIGKILL, a power cut) leaves the journal, and the next run
restores from it first.
"""

import base64
import json
import os
from pathlib import Path

from processus import SignauxRetenus


def _ecrit(chemin, octets):
    # A fresh write, never a copy that keeps the old date: the build must see the file change.
    with open(chemin, "wb") as fichier:
        fichier.write(octets)
        fichier.flush()
        os.fsync(fichier.fileno())


class Restauration:
    def __init__(self, journal):
        self.journal = Path(journal)
        self.chemin = None
        self.original = None

    def reprend(self):
        """Restores what a killed run left; returns the path restored, if any."""
        if not self.journal.exists():
            return None
        entree = json.loads(self.journal.read_text())
        chemin = Path(entree["chemin"])
        original, mutant = (base64.b64decode(entree[c]) for c in ("original", "mutant"))
        actuel = chemin.read_bytes() if chemin.exists() else None
        if actuel == mutant:
            _ecrit(chemin, original)
        elif actuel != original:
            raise SystemExit(
                f"mutants: {chemin} changed since an interrupted run mutated it; "
                f"compare it with the original kept in {self.journal}, then remove that file"
            )
        self.journal.unlink()
        return chemin

    def mute(self, chemin, mutant):
        with SignauxRetenus():
            original = Path(chemin).read_bytes()
            entree = {
                "chemin": str(chemin),
                "original": base64.b64encode(original).decode(),
                "mutant": base64.b64encode(mutant).decode(),
            }
            provisoire = self.journal.with_suffix(".tmp")
            _ecrit(provisoire, json.dumps(entree).encode())
            os.replace(provisoire, self.journal)
            self.chemin, self.original = chemin, original
            _ecrit(chemin, mutant)

    def retablit(self):
        with SignauxRetenus():
            if self.chemin is None:
                return
            _ecrit(self.chemin, self.original)
            self.journal.unlink(missing_ok=True)
            self.chemin = self.original = None
