"""C++ tokens, as far as placing mutants needs them.

Comments, preprocessor lines and the insides of string and character literals never become
tokens that a mutant could change; brackets are paired, and the angle brackets of templates
are told apart from the comparisons.
"""

import bisect
import re
from dataclasses import dataclass

OPERATEURS = sorted(
    "<=> <<= >>= ->* ... :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= .* "
    "## { } [ ] ( ) ; : , . ? ~ ! + - * / % ^ & | = < > #".split(),
    key=len,
    reverse=True,
)
IDENTIFIANT = re.compile(r"[^\W\d]\w*")
NOMBRE = re.compile(r"\.?\d(?:[eEpP][+-]|'(?=\w)|[\w.])*")
PREFIXES_CHAINE = {"u8", "u", "U", "L"}
DEBUT_BRUTE = re.compile(r'R"([^ ()\\\t\n]{0,16})\(')
SUFFIXE = re.compile(r"[A-Za-z_]\w*")

# Tokens that may stand between a template's angle brackets.
DANS_GABARIT = {"::", ",", "*", "&", "(", ")", "[", "]", "<", ">", ">>", "...", "."}
OUVRANTS = {"(": ")", "[": "]", "{": "}"}


@dataclass
class Jeton:
    genre: str  # id, nombre, chaine, caractere, op
    texte: str
    debut: int
    fin: int
    ligne: int
    conditionnel: bool  # between #if and #endif: one branch is not compiled here


class Source:
    def __init__(self, texte):
        self.texte = texte
        self.jetons = _decoupe(texte)
        self.paire = _paires(self.jetons)
        self.fermant, self.entre_chevrons = _gabarits(self.jetons)
        self.chevrons = set(self.fermant) | set(self.fermant.values())

    def t(self, i):
        return self.jetons[i].texte if 0 <= i < len(self.jetons) else ""


def _fin_de_ligne(texte, i):
    """The end of a line that backslashes may continue."""
    while True:
        j = texte.find("\n", i)
        if j < 0:
            return len(texte)
        if texte[j - 1] != "\\" and texte[j - 2 : j] != "\\\r":
            return j
        i = j + 1


def _fin_litteral(texte, i, guillemet):
    j = i + 1
    while j < len(texte) and texte[j] != guillemet and texte[j] != "\n":
        j += 2 if texte[j] == "\\" else 1
    return j + 1


def _decoupe(texte):
    debuts = [0] + [m.end() for m in re.finditer("\n", texte)]
    jetons = []
    conditions = 0
    debut_de_ligne = True
    i, n = 0, len(texte)

    def ajoute(genre, fin):
        jetons.append(Jeton(genre, texte[i:fin], i, fin, bisect.bisect_right(debuts, i), conditions > 0))
        return fin

    while i < n:
        c = texte[i]
        if c == "\n":
            debut_de_ligne = True
            i += 1
        elif c.isspace() or (c == "\\" and texte[i + 1 : i + 2] in ("\n", "\r")):
            i += 1
        elif texte.startswith("//", i):
            i = _fin_de_ligne(texte, i)
        elif texte.startswith("/*", i):
            j = texte.find("*/", i + 2)
            i = n if j < 0 else j + 2
        elif c == "#" and debut_de_ligne:
            fin = _fin_de_ligne(texte, i)
            directive = re.match(r"#\s*(\w*)", texte[i:fin]).group(1)
            if directive in ("if", "ifdef", "ifndef"):
                conditions += 1
            elif directive == "endif":
                conditions = max(0, conditions - 1)
            i = fin
        else:
            debut_de_ligne = False
            m = IDENTIFIANT.match(texte, i)
            if m and texte.startswith('"', m.end()) and m.group() in ("R", "u8R", "uR", "UR", "LR"):
                brute = DEBUT_BRUTE.match(texte, m.end() - 1)
                fin = texte.find(")" + brute.group(1) + '"', brute.end()) if brute else -1
                i = ajoute("chaine", n if fin < 0 else fin + len(brute.group(1)) + 2)
            elif m and texte[m.end() : m.end() + 1] in ("'", '"') and m.group() in PREFIXES_CHAINE:
                guillemet = texte[m.end()]
                fin = _fin_litteral(texte, m.end(), guillemet)
                i = ajoute("chaine" if guillemet == '"' else "caractere", _avec_suffixe(texte, fin))
            elif m:
                i = ajoute("id", m.end())
            elif c in "'\"":
                fin = _fin_litteral(texte, i, c)
                i = ajoute("chaine" if c == '"' else "caractere", _avec_suffixe(texte, fin))
            elif NOMBRE.match(texte, i):
                i = ajoute("nombre", NOMBRE.match(texte, i).end())
            else:
                op = next((o for o in OPERATEURS if texte.startswith(o, i)), c)
                i = ajoute("op", i + len(op))
    return jetons


def _avec_suffixe(texte, fin):
    m = SUFFIXE.match(texte, fin)
    return m.end() if m else fin


def _paires(jetons):
    """Each bracket's partner, by index."""
    paire, pile = {}, []
    for i, j in enumerate(jetons):
        if j.genre != "op":
            continue
        if j.texte in OUVRANTS:
            pile.append(i)
        elif j.texte in OUVRANTS.values():
            while pile and OUVRANTS[jetons[pile[-1]].texte] != j.texte:
                pile.pop()
            if pile:
                ouvrant = pile.pop()
                paire[ouvrant], paire[i] = i, ouvrant
    return paire


def _gabarits(jetons):
    """The closing angle bracket of each template's opening one, and the tokens between them.

    A `<` after a name opens a template when a matching `>` follows through tokens that a
    template's arguments are made of; anything else (`;`, `&&`, `=`, an unbalanced `)`...)
    makes it a comparison.
    """
    fermant, entre = {}, set()
    for i, j in enumerate(jetons):
        if j.texte != "<" or i == 0 or jetons[i - 1].genre != "id" or jetons[i - 1].texte == "operator":
            continue
        profondeur, parentheses = 1, 0
        for k in range(i + 1, min(i + 80, len(jetons))):
            t = jetons[k]
            if t.genre in ("id", "nombre"):
                continue
            if t.genre != "op" or t.texte not in DANS_GABARIT:
                break
            if t.texte in "([":
                parentheses += 1
            elif t.texte in ")]":
                parentheses -= 1
                if parentheses < 0:
                    break
            elif t.texte == "<":
                profondeur += 1
            elif t.texte in (">", ">>"):
                profondeur -= len(t.texte)
                if profondeur <= 0:
                    fermant[i] = k
                    entre.update(range(i + 1, k))
                    break
    return fermant, entre
