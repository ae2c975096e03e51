"""The mutants of a C++ source: one small fault each, at a place where it still compiles."""

import re
from dataclasses import dataclass

from jetons import Source

RELATIONNELS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
ECHANGES = {"&&": "||", "||": "&&", "+": "-", "-": "+", "+=": "-=", "-=": "+=", "true": "false", "false": "true"}
MOTS_CLES = set(
    "alignas alignof and asm auto bool break case catch char class co_await co_return co_yield "
    "concept const const_cast consteval constexpr constinit continue decltype default delete do "
    "double dynamic_cast else enum explicit export extern float for friend goto if inline int long "
    "mutable namespace new noexcept not operator or private protected public register "
    "reinterpret_cast requires return short signed sizeof static static_assert static_cast struct "
    "switch template throw try typedef typeid typename union unsigned using virtual void volatile "
    "while".split()
)
# Where the terms of a sum end.
FIN_DE_TERMES = {";", ",", "(", ")", "[", "]", "{", "}", "=", "return", "?", ":", "<<", "&&", "||"}
# Returning these is what `return {};` would do already.
RETOURS_NEUTRES = {"false", "true", "0", "nullptr", "{}", "std::nullopt", "QString()", "QByteArray()",
                   "QStringList()", "QUrl()", "QVariant()"}
ENTIER = re.compile(r"(0[xX][0-9a-fA-F']+|0[bB][01']+|\d[\d']*)([uUlLzZ]*)")


@dataclass
class Mutant:
    fichier: str
    ligne: int
    debut: int
    fin: int
    remplacement: str
    changement: str

    def applique(self, texte):
        return texte[: self.debut] + self.remplacement + texte[self.fin :]


def mutants_de(fichier, texte):
    source = Source(texte)
    mutants = []
    for i, j in enumerate(source.jetons):
        if j.conditionnel or source.t(i - 1) == "operator":
            continue

        def ajoute(remplacement, changement, fin=None, debut=j.debut, ligne=j.ligne):
            fin = j.fin if fin is None else fin
            mutants.append(Mutant(fichier, ligne, debut, fin, remplacement, changement))

        if j.genre == "op" and j.texte in RELATIONNELS and i not in source.chevrons:
            ajoute(RELATIONNELS[j.texte], f"'{j.texte}' → '{RELATIONNELS[j.texte]}'")
        elif j.texte in ("&&", "||", "true", "false", "+=", "-=") or (
            j.texte in ("+", "-") and _binaire(source, i)
        ):
            if not _pres_dun_texte(source, i):
                ajoute(ECHANGES[j.texte], f"'{j.texte}' → '{ECHANGES[j.texte]}'")
        elif j.texte == "!" and j.genre == "op":
            ajoute("", "'!' removed")
        elif j.genre == "nombre" and i not in source.entre_chevrons:
            suivant = _plus_un(j.texte)
            if suivant:
                ajoute(suivant, f"'{j.texte}' → '{suivant}'")
        elif j.texte == "return":
            _retour(source, i, ajoute)
        if j.genre == "id" and _debut_d_instruction(source, i):
            fin = _fin_d_appel(source, i)
            if fin is not None:
                appel = " ".join(texte[j.debut : source.jetons[fin].fin].split())
                resume = appel if len(appel) <= 60 else appel[:57] + "..."
                ajoute(";", f"call removed: {resume}", fin=source.jetons[fin].fin)
    return mutants


def _binaire(source, i):
    avant = source.jetons[i - 1] if i > 0 else None
    if avant is None:
        return False
    if avant.genre == "id":
        return avant.texte not in MOTS_CLES
    return avant.genre == "nombre" or avant.texte in (")", "]")


def _pres_dun_texte(source, i):
    """`+` joins texts too, where `-` would not compile: a literal text among the terms of the
    sum, or anything but a number added to something."""
    if source.t(i) == "+=":
        return source.jetons[i + 1].genre != "nombre"
    if source.t(i) not in ("+", "-"):
        return False
    for pas in (-1, 1):
        k = i + pas
        while 0 <= k < len(source.jetons):
            t = source.jetons[k]
            if t.genre in ("chaine", "caractere"):
                return True
            if t.texte in (")", "]") and pas < 0 or t.texte in ("(", "[") and pas > 0:
                k = source.paire.get(k, k) + pas
            elif t.texte in FIN_DE_TERMES:
                break
            else:
                k += pas
    return False


def _plus_un(nombre):
    m = ENTIER.fullmatch(nombre)
    if not m:
        return None
    chiffres, suffixe = m.group(1).replace("'", ""), m.group(2)
    largeur = len(chiffres) - 2
    if chiffres[:2] in ("0x", "0X"):
        casse = "X" if any(c in "ABCDEF" for c in chiffres) else "x"
        return chiffres[:2] + format(int(chiffres, 16) + 1, f"0{largeur}{casse}") + suffixe
    if chiffres[:2] in ("0b", "0B"):
        return chiffres[:2] + format(int(chiffres, 2) + 1, f"0{largeur}b") + suffixe
    if len(chiffres) > 1 and chiffres[0] == "0":
        return "0" + format(int(chiffres, 8) + 1, "o") + suffixe
    return str(int(chiffres) + 1) + suffixe


def _fin_de_groupe(source, i):
    """The index past a bracketed group, or past one token."""
    return source.paire.get(i, i) + 1


def _retour(source, i, ajoute):
    """`return value;` becomes `return {};`, where the function's type is written out."""
    k = i + 1
    while k < len(source.jetons) and source.t(k) != ";":
        k = _fin_de_groupe(source, k) if source.t(k) in ("(", "[", "{") else k + 1
    if k >= len(source.jetons) or k == i + 1 or _dans_lambda_sans_type(source, i):
        return
    debut, fin = source.jetons[i + 1].debut, source.jetons[k - 1].fin
    valeur = " ".join(source.texte[debut:fin].split())
    if valeur in RETOURS_NEUTRES:
        return
    resume = valeur if len(valeur) <= 40 else valeur[:37] + "..."
    ajoute("{}", f"return value replaced: '{resume}' → '{{}}'", fin=fin, debut=debut)


def _accolade_ouvrante(source, i):
    """The `{` of the block holding token i."""
    profondeur = 0
    for k in range(i - 1, -1, -1):
        t = source.t(k)
        if t == "}":
            profondeur += 1
        elif t == "{":
            if profondeur == 0:
                return k
            profondeur -= 1
    return None


def _dans_lambda_sans_type(source, i):
    """A lambda without `-> Type` takes its type from its returns: `{}` would not do."""
    k = _accolade_ouvrante(source, i)
    while k is not None:
        avant = k - 1
        while source.t(avant) in ("mutable", "noexcept", "constexpr"):
            avant -= 1
        if source.t(avant) == "]":
            return True
        if source.t(avant) == ")":
            ouvrante = source.paire.get(avant)
            return ouvrante is not None and source.t(ouvrante - 1) == "]"
        if _est_bloc_d_instructions(source, k):
            k = _accolade_ouvrante(source, k)
        else:
            return False
    return False


def _est_bloc_d_instructions(source, k):
    """A block inside a function: after `else`, `do`, `try`, another block or a statement."""
    avant = source.t(k - 1)
    if avant in ("else", "do", "try", "{", "}", ";"):
        return True
    if avant == ")":
        ouvrante = source.paire.get(k - 1)
        return ouvrante is not None and source.t(ouvrante - 1) in ("if", "while", "for", "switch", "catch")
    return False


def _debut_d_instruction(source, i):
    avant = source.t(i - 1)
    if avant in (";", "{", "}", "else", "do"):
        return not _entre_parentheses(source, i)
    if avant == ")":
        ouvrante = source.paire.get(i - 1)
        return ouvrante is not None and source.t(ouvrante - 1) in ("if", "while", "for")
    return False


def _entre_parentheses(source, i):
    """Inside `for (...;...;...)`: clauses, not statements."""
    profondeur = 0
    for k in range(i - 1, -1, -1):
        t = source.t(k)
        if t in (")", "]"):
            profondeur += 1
        elif t in ("(", "["):
            if profondeur == 0:
                return True
            profondeur -= 1
        elif t in ("{", "}") and profondeur == 0:
            return False
    return False


def _fin_d_appel(source, i):
    """The `;` ending a statement that is only a call (`f(x);`, `a.b->c(y);`, `Q_EMIT s();`)."""
    k = i + 1 if source.t(i) == "Q_EMIT" else i
    premier = source.t(k)
    if source.jetons[k].genre != "id" or premier in MOTS_CLES or re.fullmatch(r"Q_[A-Z_]+", premier):
        return None
    k += 1
    appel = False
    while k < len(source.jetons):
        t = source.t(k)
        if t in ("::", ".", "->") and source.jetons[k + 1].genre == "id":
            k, appel = k + 2, False
        elif t in ("(", "["):
            if k not in source.paire:
                return None
            k, appel = source.paire[k] + 1, t == "("
        elif t == "<" and k in source.fermant:
            k, appel = source.fermant[k] + 1, False
        elif t == ";":
            return k if appel else None
        else:
            return None
    return None
