"""scripts/mutants: how many small faults of the logic libraries the test suite notices.

Each mutant is one change of a source file (an operator swapped, a literal off by one, a call
statement removed, a returned value replaced), built incrementally in build-mutants/ and
tested with the test programs that run its line, as build-mutants-cov/ recorded them.
"""

import argparse
import fnmatch
import hashlib
import json
import random
import sys
import time
from pathlib import Path

from construction import CIBLES_LOGIQUE, configure, construit, fichiers_sources, tests_de
from couverture import Couverture, enregistre
from operateurs import mutants_de
from processus import Interruption, intercepte_signaux, lance
from restauration import Restauration

RACINE = Path(__file__).resolve().parents[2]
COUVERTURE = RACINE / "build-mutants-cov"
CONSTRUCTION = RACINE / "build-mutants"
# A test program's limit: this many times its time on the unmutated build, plus the margin,
# as other work on the machine may slow it down.
FACTEUR_LIMITE = 3
MARGE_LIMITE = 30


def options():
    analyse = argparse.ArgumentParser(
        prog="scripts/mutants",
        description="Mutation testing of the logic libraries (src/shared, src/platform, Navelo's and "
        "Renovo's logic). Builds into build-mutants-cov/ and build-mutants/, never build/.",
    )
    analyse.add_argument("--sample", type=int, metavar="N", help="test N mutants drawn at random")
    analyse.add_argument("--seed", type=int, metavar="S", help="the draw's seed (printed when not given)")
    analyse.add_argument(
        "--files", action="append", metavar="GLOB",
        help="mutate the files under src/ matching GLOB (relative to the tree; repeatable) instead of "
        "the logic libraries",
    )
    analyse.add_argument("--list", action="store_true", help="list every survivor: file, line and change")
    analyse.add_argument("--restore", action="store_true", help="restore what a killed run left, and stop")
    return analyse.parse_args()


def etape(texte):
    print(f"mutants: {texte}", flush=True)


def echec(texte):
    raise SystemExit(f"mutants: {texte}")


def empreinte():
    """The tree's code, tests and data, on which the recorded coverage depends."""
    h = hashlib.sha256()
    chemins = [RACINE / "CMakeLists.txt"]
    for dossier in ("cmake", "resources", "src", "tests", "tools"):
        chemins += (RACINE / dossier).rglob("*")
    for chemin in sorted(c for c in chemins if c.is_file()):
        h.update(str(chemin.relative_to(RACINE)).encode() + b"\0" + chemin.read_bytes())
    return h.hexdigest()


def couverture(sources):
    etape("building with coverage into build-mutants-cov/")
    if construit(RACINE, COUVERTURE, "couverture", sortie=COUVERTURE / "build.log") != 0:
        echec("the coverage build failed: see build-mutants-cov/build.log")
    enregistrement = COUVERTURE / "couverture.json"
    cle = empreinte()
    if enregistrement.exists():
        donnees = json.loads(enregistrement.read_text())
        if donnees["empreinte"] == cle:
            return Couverture(donnees["fichiers"])
    tests = tests_de(COUVERTURE)
    etape(f"recording which of the {len(tests)} test programs runs which line")
    objets = {f: objet for f, (objet, _) in sources.items()}
    fichiers = enregistre(RACINE, COUVERTURE, objets, tests, COUVERTURE / "test.log")
    enregistrement.write_text(json.dumps({"empreinte": cle, "fichiers": fichiers}))
    return Couverture(fichiers)


def mesure(tests):
    """Each test program's time on the unmutated build; every one must pass there."""
    etape(f"timing {len(tests)} test programs on the unmutated build")
    durees = {}
    for test in tests:
        for _ in range(2):
            code, duree = lance(test.commande, limite=test.limite_ctest, sortie=CONSTRUCTION / "test.log",
                                cwd=test.dossier, env=test.environnement)
            if code == 0:
                durees[test.nom] = duree
                print(f"   {test.nom}: {duree:.1f} s", flush=True)
                break
        else:
            echec(f"{test.nom} fails without any mutant (build-mutants/test.log): fix it first")
    return durees


def raison(journal, motif):
    """The first line of a build or test log that says why it failed."""
    lignes = Path(journal).read_text(errors="replace").splitlines()
    return next((l.strip() for l in lignes if motif in l), "")


def essaie(mutant, tests, durees, restauration):
    """Builds and tests one mutant; returns its outcome and the test that told it apart."""
    chemin = RACINE / mutant.fichier
    texte = chemin.read_bytes().decode("utf-8", "surrogateescape")
    restauration.mute(chemin, mutant.applique(texte).encode("utf-8", "surrogateescape"))
    try:
        cibles = {t.cible for t in tests}
        sortie = CONSTRUCTION / "build.log"
        if construit(RACINE, CONSTRUCTION, "mutants", () if None in cibles else sorted(cibles), sortie,
                     limite=1800) != 0:
            return "did not build", raison(sortie, "error:")
        for test in sorted(tests, key=lambda t: durees[t.nom]):
            limite = FACTEUR_LIMITE * durees[test.nom] + MARGE_LIMITE
            code, duree = lance(test.commande, limite=limite, sortie=CONSTRUCTION / "test.log",
                                cwd=test.dossier, env=test.environnement)
            if code is None:
                return "timed out", f"{test.nom} past {limite:.0f} s"
            if code != 0:
                pourquoi = raison(CONSTRUCTION / "test.log", "FAIL!")
                return "killed", f"{test.nom}, {duree:.0f} s" + (f": {pourquoi}" if pourquoi else "")
        return "survived", ""
    finally:
        restauration.retablit()


def texte_duree(secondes):
    minutes, secondes = divmod(round(secondes), 60)
    heures, minutes = divmod(minutes, 60)
    return f"{heures} h {minutes:02d} min" if heures else f"{minutes} min {secondes:02d} s"


def ligne_de(mutant):
    lignes = (RACINE / mutant.fichier).read_text(encoding="utf-8", errors="replace").splitlines()
    return " ".join(lignes[mutant.ligne - 1].split())


def execute(opts, restauration):
    debut = time.monotonic()
    if configure(RACINE, COUVERTURE, "couverture") != 0:
        echec("cmake failed: see build-mutants-cov/configure.log")
    sources = fichiers_sources(RACINE, COUVERTURE)
    if opts.files:
        choisis = sorted(f for f in sources if any(fnmatch.fnmatch(f, g) for g in opts.files))
    else:
        choisis = sorted(f for f, (_, cible) in sources.items() if cible in CIBLES_LOGIQUE)
    if not choisis:
        echec("no compiled source file under src/ matches --files")
    mutants = [m for f in choisis
               for m in mutants_de(f, (RACINE / f).read_bytes().decode("utf-8", "surrogateescape"))]
    graine = opts.seed if opts.seed is not None else random.randrange(1_000_000)
    echantillon = mutants
    if opts.sample is not None and opts.sample < len(mutants):
        echantillon = random.Random(graine).sample(mutants, opts.sample)
        echantillon.sort(key=lambda m: (m.fichier, m.debut))
    etape(f"{len(echantillon)} of {len(mutants)} mutants in {len(choisis)} files (seed {graine})")

    couvre = couverture(sources)
    par_mutant = [couvre.tests_de(m.fichier, m.ligne) for m in echantillon]
    etape("building build-mutants/")
    if construit(RACINE, CONSTRUCTION, "mutants", sortie=CONSTRUCTION / "build.log") != 0:
        echec("the unmutated build failed: see build-mutants/build.log")
    tests = {t.nom: t for t in tests_de(CONSTRUCTION)}
    durees = mesure([tests[n] for n in sorted(set().union(*par_mutant))])

    resultats = []
    for rang, (mutant, noms) in enumerate(zip(echantillon, par_mutant), 1):
        if noms:
            etat, detail = essaie(mutant, [tests[n] for n in noms], durees, restauration)
        else:
            etat, detail = "survived", "no test runs it"
        resultats.append((mutant, etat, detail))
        detail = f"  ({detail if len(detail) <= 100 else detail[:97] + '...'})" if detail else ""
        print(f"[{rang:>3}/{len(echantillon)}] {etat:<13} {mutant.fichier}:{mutant.ligne}  "
              f"{mutant.changement}{detail}", flush=True)

    survivants = [(mutant, detail) for mutant, etat, detail in resultats if etat == "survived"]
    if opts.list:
        etape("survivors:" if survivants else "no survivor")
        for mutant, detail in survivants:
            contexte = "" if mutant.changement.startswith("call removed") else f" in: {ligne_de(mutant)}"
            print(f"   {mutant.fichier}:{mutant.ligne}: {mutant.changement}{contexte}"
                  + (f" ({detail})" if detail else ""))
    compte = {e: sum(1 for _, etat, _ in resultats if etat == e)
              for e in ("killed", "survived", "timed out", "did not build")}
    k, s, t, b = compte.values()
    score = round(100 * (k + t) / (k + s + t)) if k + s + t else 0
    etape(f"took {texte_duree(time.monotonic() - debut)}")
    print(f"mutants: {k} killed, {s} survived, {t} timed out, {b} did not build; score {score}%")


def main():
    opts = options()
    intercepte_signaux()
    CONSTRUCTION.mkdir(exist_ok=True)
    restauration = Restauration(CONSTRUCTION / "journal.json")
    rendu = restauration.reprend()
    if rendu:
        etape(f"{rendu.relative_to(RACINE)} restored, as an interrupted run left it mutated")
    if opts.restore:
        return 0
    try:
        execute(opts, restauration)
    except (KeyboardInterrupt, Interruption) as e:
        restauration.retablit()
        print(f"\nmutants: interrupted ({str(e) or 'SIGINT'}); every source file is as it was", file=sys.stderr)
        return 130
    finally:
        restauration.retablit()
    return 0


sys.exit(main())
