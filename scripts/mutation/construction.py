"""The two builds of a run: with coverage, and the one mutants are built and tested in."""

import json
import os
import re
import shlex
import subprocess
from dataclasses import dataclass
from pathlib import Path

from processus import lance

# The logic libraries: what the tests exercise without a window.
CIBLES_LOGIQUE = {"shared", "platform", "navelo_logic", "renovo_logic"}

OPTIONS = {
    # Lines as written: no optimisation.
    "couverture": ["-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS=--coverage",
                   "-DCMAKE_EXE_LINKER_FLAGS=--coverage"],
    # Optimised as users run it, without debug information to keep links short; a mutant's
    # warnings are no failure, but returning a reference to a temporary is.
    "mutants": ["-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG",
                "-DCMAKE_CXX_FLAGS=-Werror=return-local-addr"],
}


@dataclass
class Test:
    nom: str
    commande: list
    dossier: str
    environnement: dict
    limite_ctest: float
    cible: str  # the target that builds its program, or None


def configure(racine, dossier, genre):
    """Configures once; returns the exit code."""
    Path(dossier).mkdir(exist_ok=True)
    if Path(dossier, "build.ninja").exists():
        return 0
    code, _ = lance(
        ["cmake", "-S", str(racine), "-B", str(dossier), "-G", "Ninja", "-DWARNINGS_AS_ERRORS=OFF",
         *OPTIONS[genre]],
        sortie=Path(dossier, "configure.log"),
    )
    return code


def construit(racine, dossier, genre, cibles=(), sortie=None, limite=None):
    """Builds these targets, or everything; returns the exit code."""
    code = configure(racine, dossier, genre)
    if code != 0:
        return code
    cibles = ["--target", *cibles] if cibles else []
    code, _ = lance(["cmake", "--build", str(dossier), *cibles], sortie=sortie, limite=limite)
    return code


def fichiers_sources(racine, dossier):
    """{source file under src/, relative to the tree: (its object file, its target)}."""
    fichiers = {}
    for entree in json.loads(Path(dossier, "compile_commands.json").read_text()):
        source = Path(entree["file"]).resolve()
        try:
            relatif = source.relative_to(Path(racine, "src").resolve())
        except ValueError:
            continue
        arguments = shlex.split(entree["command"])
        objet = Path(entree["directory"], arguments[arguments.index("-o") + 1])
        cible = re.search(r"CMakeFiles/([^/]+)\.dir/", str(objet)).group(1)
        fichiers[str(Path("src", relatif))] = (objet, cible)
    return fichiers


def tests_de(dossier):
    sortie = subprocess.run(
        ["ctest", "--show-only=json-v1"], cwd=dossier, capture_output=True, check=True, text=True
    ).stdout
    tests = []
    for t in json.loads(sortie)["tests"]:
        proprietes = {p["name"]: p["value"] for p in t.get("properties", [])}
        environnement = dict(os.environ)
        environnement.update(v.split("=", 1) for v in proprietes.get("ENVIRONMENT", []))
        programme = Path(t["command"][0])
        cible = programme.name if Path(dossier).resolve() in programme.resolve().parents else None
        tests.append(
            Test(t["name"], t["command"], proprietes.get("WORKING_DIRECTORY", str(dossier)),
                 environnement, proprietes.get("TIMEOUT", 1500), cible)
        )
    return tests
