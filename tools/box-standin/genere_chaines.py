#!/usr/bin/env python3
"""Writes the sample channel document that the box stand-in serves.

The box writes its list compactly, with no blank between tokens, and its client reads it with a
scanner rather than a JSON reader: braces count even inside strings, a quoted value ends at the
first quote not preceded by a backslash, an array ends at its first unescaped "]". The names
below keep within those rules while mixing raw UTF-8, percent escapes and escaped characters.
The channel names are made up.

Usage: genere_chaines.py [output]   (default: resources/sample/channels)
"""
import json
import random
import sys
import unicodedata
from pathlib import Path

GENRES = ["Télé", "Ciné", "Info", "Sport", "Jeunesse", "Musique", "Docs", "Séries", "Cuisine",
          "Humour", "Sciences", "Nature", "Jazz", "Maison", "Savoirs", "Régions"]
MOTS = ["Émeraude", "Boréal", "Cobalt", "Mistral", "Sirocco", "Archipel", "Lagune", "Falaise",
        "Corail", "Ardoise", "Sablier", "Lanterne", "Nacelle", "Galet", "Bruyère", "Hélice",
        "Comète", "Pivoine", "Orée", "Verger", "Quartz", "Marelle", "Rosée", "Givre", "Ébène",
        "Opale", "Vanille", "Cèdre", "Aurore", "Zéphyr"]
# Names with characters that must be escaped in the document: \" and \\.
NOMS_ÉCHAPPÉS = ['Le "Verger" Docs', 'Ciné "Nuit Blanche"', "Info 24\\24", "Séries A\\B",
                 'L\'Atelier "Pivoine" \\ Cuisine']
IDS_LONGS = [1000, 1001, 1002, 1250, 2000, 2001, 3100, 9999]
NOMBRE = 150

# Bytes that Windows-1252 leaves undefined; the client reads the document in that code page.
OCTETS_INDÉFINIS = {0x81, 0x8D, 0x8F, 0x90, 0x9D}


def en_pourcent(nom, minuscules=False):
    forme = "%{:02x}" if minuscules else "%{:02X}"
    return "".join(c if ord(c) < 128 else "".join(forme.format(o) for o in c.encode("utf-8"))
                   for c in nom)


def texte(valeur):
    return '"' + valeur.replace("\\", "\\\\").replace('"', '\\"') + '"'


def nom_court(nom, plié=True):
    if plié:
        nom = unicodedata.normalize("NFKD", nom).encode("ascii", "ignore").decode("ascii")
    court = ""
    for mot in "".join(c if c.isalnum() else " " for c in nom.lower()).split():
        if court and len(court) + 1 + len(mot) > 16:
            break
        court = f"{court}-{mot}" if court else mot
    return court


def services(hasard, compteur):
    forme = hasard.random()
    if forme < 0.1:
        return "[]"
    if forme < 0.2:
        return "[" + ",".join(str(300 + next(compteur)) for _ in range(hasard.randint(1, 3))) + "]"
    objets = []
    for genre in hasard.sample(["sd", "hd", "ld", "3d"], hasard.randint(1, 3)):
        objet = '{"id":%d,"type":"%s"' % (next(compteur), genre)
        if genre == "hd" and hasard.random() < 0.3:
            objet += ',"name":"HD","pvr":true'
        objets.append(objet + "}")
    return "[" + ",".join(objets) + "]"


def chaîne(hasard, compteur, numéro, nom, rang):
    accentué = any(ord(c) > 127 for c in nom)
    écrit = nom
    if accentué and rang % 3 == 1:
        écrit = en_pourcent(nom, minuscules=rang % 9 == 4)
    court = nom_court(nom, plié=rang % 17 != 5)
    paires = [
        ('"id"', str(numéro)),
        ('"name"', texte(écrit)),
        ('"short_name"', texte(court)),
        ('"fav"', "1" if hasard.random() < 0.2 else "0"),
        ('"available"', "false" if hasard.random() < 0.12 else "true"),
        ('"services"', services(hasard, compteur)),
    ]
    return "{" + ",".join(clé + ":" + valeur for clé, valeur in paires) + "}"


def document():
    hasard = random.Random(20091105)
    numéros = sorted(hasard.sample(range(1, 401), NOMBRE - len(IDS_LONGS))) + IDS_LONGS
    noms = [f"{g} {m}" for g in GENRES for m in MOTS]
    hasard.shuffle(noms)
    noms.remove("Télé Émeraude")
    noms = ["Télé Émeraude"] + noms[:NOMBRE - len(NOMS_ÉCHAPPÉS) - 1]
    for rang, nom in zip(range(7, NOMBRE, 29), NOMS_ÉCHAPPÉS):
        noms.insert(rang, nom)
    for rang in range(11, NOMBRE, 23):
        noms[rang] += " HD"
    compteur = iter(range(1, 10000))
    objets = [chaîne(hasard, compteur, numéro, nom, rang)
              for rang, (numéro, nom) in enumerate(zip(numéros, noms))]
    return ("[" + ",".join(objets) + "]").encode("utf-8")


def main():
    sortie = Path(sys.argv[1]) if len(sys.argv) > 1 else \
        Path(__file__).resolve().parents[2] / "resources" / "sample" / "channels"
    contenu = document()
    assert len(json.loads(contenu)) == NOMBRE
    assert not OCTETS_INDÉFINIS & set(contenu)
    sortie.parent.mkdir(parents=True, exist_ok=True)
    sortie.write_bytes(contenu)
    print(f"{sortie}: {NOMBRE} channels, {len(contenu)} bytes")


if __name__ == "__main__":
    main()
