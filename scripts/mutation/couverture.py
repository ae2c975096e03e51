"""Which test program runs which source line, from a build made with --coverage.

Each test program runs alone on a clean coverage state; gcov then says which lines of the
mutated files it ran.
"""

import bisect
import json
import subprocess
from pathlib import Path

from processus import lance


class Couverture:
    def __init__(self, donnees):
        # file: {"code": [lines gcov knows], "fonctions": [[first, last]], "tests": {test: [lines]}}
        self.donnees = donnees
        self._par_ligne = {}
        for fichier, d in donnees.items():
            par_ligne = {}
            for test, lignes in d["tests"].items():
                for ligne in lignes:
                    par_ligne.setdefault(ligne, set()).add(test)
            self._par_ligne[fichier] = par_ligne

    def tests_de(self, fichier, ligne):
        """The test programs that run this line; none when no test reaches it.

        A line gcov does not know (the rest of a statement written on several lines) counts
        as the nearest known line above it in its function; a line outside every function (a
        constant table) counts as reached by every test that runs the file.
        """
        d = self.donnees.get(fichier)
        if d is None:
            return set()
        code = d["code"]
        if ligne not in code:
            fonctions = [f for f in d["fonctions"] if f[0] <= ligne <= f[1]]
            if not fonctions:
                return set(d["tests"])
            debut = max(f[0] for f in fonctions)
            precedentes = code[bisect.bisect_left(code, debut) : bisect.bisect_right(code, ligne)]
            if not precedentes:
                return set()
            ligne = precedentes[-1]
        return self._par_ligne[fichier].get(ligne, set())


def _gcov(dossier, objets):
    """gcov's JSON for these object files (the ones a run left data for, or just their notes)."""
    resultat = subprocess.run(
        ["gcov", "--json-format", "--stdout", *objets],
        cwd=dossier,
        capture_output=True,
        check=True,
    )
    for ligne in resultat.stdout.splitlines():
        if ligne.strip():
            yield json.loads(ligne)


def _lignes(document, sources):
    """{source file: (lines with code, lines run, function ranges)} for the files wanted."""
    for entree in document["files"]:
        # Relative to the compiler's folder when ccache made the paths relative.
        fichier = sources.get(str(Path(document["current_working_directory"], entree["file"]).resolve()))
        if fichier is None:
            continue
        code = sorted({l["line_number"] for l in entree["lines"]})
        executees = sorted({l["line_number"] for l in entree["lines"] if l["count"] > 0})
        fonctions = sorted({(f["start_line"], f["end_line"]) for f in entree["functions"]})
        yield fichier, code, executees, fonctions


def enregistre(racine, dossier, objets, tests, journal):
    """objets: {file relative to the tree: its object file}; tests: the Test descriptions."""
    sources = {str(Path(racine, f).resolve()): f for f in objets}
    donnees = {f: {"code": [], "fonctions": [], "tests": {}} for f in objets}
    # The notes alone: an empty data file left by an interrupted run is no data file to gcov.
    for trace in Path(dossier).rglob("*.gcda"):
        trace.unlink()
    for document in _gcov(dossier, [str(o) for o in objets.values()]):
        for fichier, code, _, fonctions in _lignes(document, sources):
            donnees[fichier]["code"] = code
            donnees[fichier]["fonctions"] = [list(f) for f in fonctions]
    for test in tests:
        for trace in Path(dossier).rglob("*.gcda"):
            trace.unlink()
        # Empty data files that every user may write: a test run by root may start the
        # program as another user (nobody), whose counts then add to root's.
        for objet in objets.values():
            trace = Path(objet).with_suffix(".gcda")
            trace.touch()
            trace.chmod(0o666)
        code, duree = lance(test.commande, limite=test.limite_ctest, sortie=journal, cwd=test.dossier,
                            env=test.environnement)
        etat = "passed" if code == 0 else "failed" if code is not None else "timed out"
        print(f"   {test.nom}: {etat} in {duree:.0f} s", flush=True)
        avec_traces = [str(o) for o in objets.values() if Path(o).with_suffix(".gcda").stat().st_size]
        if not avec_traces:
            continue
        for document in _gcov(dossier, avec_traces):
            for fichier, _, executees, _ in _lignes(document, sources):
                if executees:
                    donnees[fichier]["tests"][test.nom] = executees
    return donnees
