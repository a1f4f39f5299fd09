#!/usr/bin/env python3
# Share of the words of a French text found again, in place, in its round
# trip through leet. Not a test.
#
#   comparer_retour.py barres <texte>              words that touch a slash
#   comparer_retour.py part <texte> <retour>       share of words back
#   comparer_retour.py erreurs <texte> <retour> [liste]   the same, and the
#                                                  words lost, by kind
#
# A word is a run of letters, compared case aside and accents exact. Line
# breaks come back one for one, so the text and its return are compared line
# by line, words in order; a line whose word count changed is lined up with
# difflib. A slash gives nothing in leet, so a word that touches one (just
# before or just after it) cannot come back whole: those words are left out
# of the count.
import difflib
import re
import sys
import unicodedata

MOT = re.compile(r"[^\W\d_]+")
# Digits and marks that a reading may take for a glyph or part of one, or
# that a glyph may be taken for: a word lost next to one is counted apart.
SIGNES = frozenset("0123456789()[]{}<>|!_\\=-'’\"«»`,")


def mots_et_barres(ligne):
    """The lowercase words of a line, and for each whether it touches a slash."""
    mots, barres = [], []
    for m in MOT.finditer(ligne):
        mots.append(m.group().lower())
        avant = ligne[m.start() - 1] if m.start() > 0 else ""
        apres = ligne[m.end()] if m.end() < len(ligne) else ""
        barres.append(avant == "/" or apres == "/")
    return mots, barres


def voisins(ligne):
    """For each word of a line, the characters just before and after it."""
    return [((ligne[m.start() - 1] if m.start() > 0 else " "),
             (ligne[m.end()] if m.end() < len(ligne) else " "))
            for m in MOT.finditer(ligne)]


def sans_accents(mot):
    mot = mot.replace("œ", "oe").replace("æ", "ae")
    return "".join(c for c in unicodedata.normalize("NFD", mot) if not unicodedata.combining(c))


def lire(chemin):
    with open(chemin, encoding="utf-8", errors="replace") as f:
        return f.read().split("\n")


def barres(texte):
    total = touchent = 0
    for ligne in lire(texte):
        _, b = mots_et_barres(ligne)
        total += len(b)
        touchent += sum(b)
    print(f"{touchent} {total} {100.0 * touchent / max(total, 1):.2f}")


def comparer(texte, retour, liste=None):
    a, b = lire(texte), lire(retour)
    mots_liste = None
    if liste:
        with open(liste, encoding="utf-8") as f:
            mots_liste = {l.strip().lower() for l in f if l.strip()}
    total = justes = 0
    genres = {"accent": 0, "coupe ou soudure": 0, "chiffre ou signe": 0,
              "mot inconnu": 0, "autre mot": 0}
    exemples = {g: {} for g in genres}

    def perdu(genre, u, v):
        genres[genre] += 1
        cle = f"{u}→{v}"
        exemples[genre][cle] = exemples[genre].get(cle, 0) + 1

    for i, ligne in enumerate(a):
        x, bx = mots_et_barres(ligne)
        y = [m.lower() for m in MOT.findall(b[i])] if i < len(b) else []
        compte = [not t for t in bx]
        total += sum(compte)
        if len(x) == len(y):
            blocs = [("equal" if u == v else "replace", k, k + 1, k, k + 1)
                     for k, (u, v) in enumerate(zip(x, y))]
        else:
            blocs = difflib.SequenceMatcher(None, x, y, autojunk=False).get_opcodes()
        autour = voisins(ligne) if liste is not None else None
        for op, i1, i2, j1, j2 in blocs:
            if op == "equal":
                justes += sum(compte[i1:i2])
                continue
            if liste is None:
                continue
            for k in range(i1, i2):
                if not compte[k]:
                    continue
                u = x[k]
                v = " ".join(y[j1:j2]) if (i2 - i1) != (j2 - j1) else y[j1 + k - i1]
                avant, apres = autour[k]
                if (i2 - i1) == (j2 - j1) and sans_accents(u) == sans_accents(v):
                    perdu("accent", u, v)
                elif avant in SIGNES or apres in SIGNES:
                    # A digit or a mark next to the word: read as a letter,
                    # or the word read as one.
                    perdu("chiffre ou signe", u, v)
                elif (i2 - i1) != (j2 - j1):
                    perdu("coupe ou soudure", u, v)
                elif u not in mots_liste and sans_accents(u) not in mots_liste:
                    perdu("mot inconnu", u, v)
                else:
                    perdu("autre mot", u, v)
    print(f"{100.0 * justes / max(total, 1):.2f}")
    if liste is not None:
        perdus = total - justes
        for g, n in genres.items():
            tete = sorted(exemples[g].items(), key=lambda e: (-e[1], e[0]))[:6]
            print(f"  {g:18} {n:6} ({100.0 * n / max(perdus, 1):5.1f} % des pertes)  "
                  + ", ".join(f"{k} ×{c}" for k, c in tete))


if __name__ == "__main__":
    if sys.argv[1] == "barres":
        barres(sys.argv[2])
    elif sys.argv[1] == "part":
        comparer(sys.argv[2], sys.argv[3])
    else:
        comparer(sys.argv[2], sys.argv[3], sys.argv[4] if len(sys.argv) > 4 else "/usr/share/dict/french")
