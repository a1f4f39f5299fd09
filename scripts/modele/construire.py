#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 les développeurs du Scribolix
"""Build the French word-bigram model that the leet reading uses.

The training text is the French translations that installed Debian packages
ship: the gettext catalogues (.mo, read with msgunfmt) of the packages named
in paquets.txt, and for LibreOffice also its French help pages (.html), its
French configuration strings (.xcd) and its French AutoText archives (.bau).
The text is cleaned of what is not prose, cut into lowercase words, counted,
pruned and written in the format that the engine loads (see SOURCES.md).

Python's standard library only; the same packages give a byte-identical file.
"""

import argparse
import html
import html.parser
import os
import re
import struct
import subprocess
import sys
import unicodedata
import xml.etree.ElementTree as ET
import zipfile
import zlib
from collections import Counter

ICI = os.path.dirname(os.path.abspath(__file__))
DEBUT = "<s>"
ENTETE = "scribolix-modele 1"

# Letters French writes (and English, which shares the plain ones): the model
# keeps only words made of these, since no other letter comes out of leet.
LETTRES_FRANCAISES = frozenset("abcdefghijklmnopqrstuvwxyzàâäçéèêëîïôöùûüÿœæ")

# Words of one letter or elided forms that the word list leaves out but that
# are French all the same; used only to tell French text from other text.
COURTS_FRANCAIS = frozenset("a à y l d j m n s t c qu ô".split())

# Frequent English words that are not French words: a text where they
# outnumber the French ones was left untranslated.
ANGLAIS = frozenset(
    "the of and to is are be this that with for from you your it its by not "
    "was were has have can will which an or if when all any no these those "
    "file files should would must may into there their been such only".split())

# --- Removing what is not prose -------------------------------------------

# printf conversions, with positions, flags, widths and lengths ("%s",
# "%1$d", "%-10.3lf", "%'d", "%%"), and Python's named ones ("%(nom)s").
PRINTF = re.compile(
    r"%(?:\([^)\s]{1,40}\))?(?:\d+\$)?[-+#0']*(?:\d+|\*)?(?:\.(?:\d+|\*))?"
    r"(?:hh|ll|I64|I32|[hlLqjztI])?[diouxXeEfFgGaAcCsSpnm%@]")
# Brace placeholders ("{0}", "{nom}", "{}", "{0:d}") and shell-like ones
# ("${var}", "$VAR", "@VAR@").
# LibreOffice's own: "%PRODUCTNAME", "$(ARG1)".
ACCOLADES = re.compile(r"\$?\{[^{}\s]{0,40}\}|\$[A-Za-z_][A-Za-z0-9_]*|@[A-Za-z_][A-Za-z0-9_]*@"
                       r"|%[A-Z][A-Z0-9_]+%?|\$\([A-Za-z0-9_]+\)")
# Addresses: URLs and e-mail addresses.
URL = re.compile(r"(?:\b[a-zA-Z][a-zA-Z0-9+.-]*://|\bwww\.)[^\s<>\"'’«»()]*", re.ASCII)
COURRIEL = re.compile(r"[\w.+-]+@[\w-]+(?:\.[\w-]+)+")
# Tags: anything that looks like an XML or HTML tag, "<b>", "</a>", "<br/>",
# "<span foreground='red'>", and the "<fichier>" of usage lines.
BALISE = re.compile(r"</?[A-Za-z][^<>]{0,200}>")
ENTITE = re.compile(r"&(?:#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|[A-Za-z][A-Za-z0-9]{1,31});")
# Keyboard accelerators: "_", "&" or LibreOffice's "~" just before a letter
# ("_Fichier", "Fi_chier", "&Ouvrir", "Tâc~hes"); a doubled "&&" is a
# literal "&".
ACCELERATEUR = re.compile(r"(?<![_&~])[_&~](?=[^\W\d_])")


def decoder_entite(m):
    """An HTML entity as the character it names; an unknown one as a blank."""
    texte = html.unescape(m.group(0))
    return " " if texte == m.group(0) else texte


def nettoyer(texte):
    """Take out of a translated string what is not prose, each piece left
    as a blank, which separates words as a digit or a mark does."""
    texte = unicodedata.normalize("NFC", texte)
    texte = URL.sub(" ", texte)
    texte = COURRIEL.sub(" ", texte)
    texte = BALISE.sub(" ", texte)
    texte = ENTITE.sub(decoder_entite, texte)
    texte = ACCOLADES.sub(" ", texte)
    texte = PRINTF.sub(" ", texte)
    texte = ACCELERATEUR.sub("", texte)
    return texte


# --- Words and sentences --------------------------------------------------

# What starts a sentence: the start of a string or paragraph, then each of
# these marks and each blank line. A line break alone goes on with the
# sentence, as in text wrapped at a width.
FIN_DE_PHRASE = frozenset(".!?:;\u2028\u2029")


def decouper(texte):
    """The words of a cleaned text, lowercase and NFC, with DEBUT at the start
    and after each mark of FIN_DE_PHRASE that a word follows."""
    texte = unicodedata.normalize("NFC", texte).lower()
    texte = unicodedata.normalize("NFC", texte)
    mots = []
    debut = True
    i, n = 0, len(texte)
    while i < n:
        c = texte[i]
        if c.isalpha():
            j = i + 1
            while j < n and texte[j].isalpha():
                j += 1
            if debut:
                mots.append(DEBUT)
                debut = False
            mots.append(texte[i:j])
            i = j
        else:
            if c in FIN_DE_PHRASE:
                debut = True
            elif c == "\n":
                j = i + 1
                while j < n and texte[j] in " \t\r":
                    j += 1
                debut = debut or j == n or texte[j] == "\n"
            i += 1
    return mots


class Francais:
    """Tells whether a string is mostly French, from the word list."""

    def __init__(self, liste):
        self.mots = set(COURTS_FRANCAIS)
        with open(liste, encoding="utf-8") as f:
            for ligne in f:
                mot = unicodedata.normalize("NFC", ligne.strip().lower())
                if mot:
                    self.mots.add(mot)

    def accepte(self, mots):
        """A string passes unless it is mostly words outside the list, or
        has more frequent English words than French ones."""
        vrais = [m for m in mots if m != DEBUT]
        if len(vrais) < 3:
            return True
        francais = sum(1 for m in vrais if m in self.mots)
        anglais = sum(1 for m in vrais if m in ANGLAIS)
        return francais * 2 >= len(vrais) and anglais <= francais // 2


# --- Reading the packages -------------------------------------------------

MO_FRANCAIS = re.compile(r"/fr(?:_FR)?/LC_MESSAGES/[^/]+\.mo$")
AIDE_FRANCAISE = re.compile(r"/help/fr/.*\.html$")
XCD_FRANCAIS = re.compile(r"/[^/]*_fr\.xcd$")
AUTOTEXTE_FRANCAIS = re.compile(r"/autotext/fr/[^/]+\.bau$")


def fichiers_du_paquet(paquet):
    """The files that dpkg lists for an installed package, sorted."""
    try:
        sortie = subprocess.run(["dpkg", "-L", paquet], capture_output=True, text=True)
    except FileNotFoundError:
        raise SystemExit("construire.py : dpkg manque (un système Debian est nécessaire)")
    if sortie.returncode != 0:
        raise SystemExit(f"construire.py : le paquet {paquet} n'est pas installé "
                         f"(apt-get install {paquet})")
    return sorted(l for l in sortie.stdout.split("\n") if l and os.path.isfile(l))


def chaine_po(ligne):
    """The text of a quoted PO string, its escapes undone."""
    debut, fin = ligne.index('"'), ligne.rindex('"')
    s = ligne[debut + 1:fin]
    echappements = {"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\", "a": "\a",
                    "b": "\b", "f": "\f", "v": "\v"}
    return re.sub(r'\\(.)', lambda m: echappements.get(m.group(1), m.group(1)), s)


def textes_mo(chemin, originaux=None):
    """The translations (every msgstr, plural forms too) of a .mo file, but
    the header, as msgunfmt writes them; the English strings they translate
    go to `originaux` when given."""
    try:
        sortie = subprocess.run(["msgunfmt", "--no-wrap", chemin], capture_output=True,
                                env=dict(os.environ, LC_ALL="C.UTF-8"))
    except FileNotFoundError:
        raise SystemExit("construire.py : msgunfmt manque (apt-get install gettext)")
    if sortie.returncode != 0:
        raise SystemExit(f"construire.py : msgunfmt ne lit pas {chemin} : "
                         f"{sortie.stderr.decode(errors='replace').strip()}")
    po = sortie.stdout
    po = po.decode("utf-8", errors="replace")
    textes = []
    msgid, msgstr, champ = [], [], None

    def fin_entree():
        if msgstr and "".join(msgid) != "":
            textes.extend("".join(s) for s in msgstr)
            if originaux is not None:
                originaux.append("".join(msgid))

    for ligne in po.split("\n"):
        if ligne.startswith("msgid ") or ligne.startswith("msgctxt "):
            if champ == "msgstr":
                fin_entree()
                msgid, msgstr = [], []
            champ = "msgid" if ligne.startswith("msgid ") else "msgctxt"
            if champ == "msgid":
                msgid = [chaine_po(ligne)]
        elif ligne.startswith("msgid_plural "):
            champ = "msgid_plural"
        elif ligne.startswith("msgstr"):
            champ = "msgstr"
            msgstr.append([chaine_po(ligne)])
        elif ligne.startswith('"'):
            if champ == "msgid":
                msgid.append(chaine_po(ligne))
            elif champ == "msgstr":
                msgstr[-1].append(chaine_po(ligne))
    if champ == "msgstr":
        fin_entree()
    return textes


class PageAide(html.parser.HTMLParser):
    """The paragraphs of a LibreOffice help page: the text of its display
    area, without hidden parts, scripts or the debugging footer; block
    elements end a paragraph."""

    BLOCS = frozenset("p h1 h2 h3 h4 h5 h6 li td th div br tr table ul ol dt dd "
                      "pre title caption".split())
    IGNORES = frozenset("script style footer head noscript".split())
    # Elements that have no end tag.
    VIDES = frozenset("area base br col embed hr img input link meta source track wbr".split())

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.paragraphes, self.courant = [], []
        self.dans_zone = False
        self.pile_ignoree = []  # tags of the elements being skipped

    def terminer(self):
        texte = "".join(self.courant).strip()
        if texte:
            self.paragraphes.append(texte)
        self.courant = []

    def handle_starttag(self, tag, attrs):
        attributs = dict(attrs)
        if attributs.get("id") == "DisplayArea":
            self.dans_zone = True
        if tag in self.VIDES:
            if tag == "br":
                self.terminer()
            return
        if self.pile_ignoree:
            self.pile_ignoree.append(tag)
            return
        if tag in self.IGNORES or "hidden" in attributs or attributs.get("id") == "DEBUG":
            self.pile_ignoree.append(tag)
            return
        if tag in self.BLOCS:
            self.terminer()
        else:
            self.courant.append(" ")

    def handle_endtag(self, tag):
        if self.pile_ignoree:
            if tag == self.pile_ignoree[-1]:
                self.pile_ignoree.pop()
            return
        if tag in self.BLOCS:
            self.terminer()
        else:
            self.courant.append(" ")

    def handle_data(self, data):
        if self.dans_zone and not self.pile_ignoree:
            self.courant.append(data)


def textes_aide(chemin):
    with open(chemin, encoding="utf-8", errors="replace") as f:
        page = PageAide()
        page.feed(f.read())
        page.close()
        page.terminer()
    return page.paragraphes


def nom_local(balise):
    return balise.rsplit("}", 1)[-1]


def textes_xcd(chemin):
    """The French values of a LibreOffice configuration file (menu labels,
    names of filters and commands)."""
    textes = []
    for element in ET.parse(chemin).iter():
        if nom_local(element.tag) == "value":
            langue = element.get("{http://www.w3.org/XML/1998/namespace}lang")
            if langue == "fr" and element.text:
                textes.append(element.text)
    return textes


def textes_autotexte(chemin):
    """The paragraphs of a LibreOffice AutoText archive, and the names of
    its entries."""
    textes = []
    with zipfile.ZipFile(chemin) as archive:
        for nom in sorted(archive.namelist()):
            base = os.path.basename(nom)
            if not base.endswith(".xml") or base in ("styles.xml", "atevent.xml",
                                                     "meta.xml", "settings.xml",
                                                     "manifest.xml"):
                continue
            racine = ET.fromstring(archive.read(nom))
            for element in racine.iter():
                local = nom_local(element.tag)
                if local in ("p", "h"):
                    textes.append("".join(element.itertext()))
                elif local == "block":
                    for cle, valeur in element.attrib.items():
                        if nom_local(cle) == "name":
                            textes.append(valeur)
    return textes


def textes_du_fichier(chemin, originaux=None):
    if MO_FRANCAIS.search(chemin):
        return "mo", textes_mo(chemin, originaux)
    if AIDE_FRANCAISE.search(chemin):
        return "aide", textes_aide(chemin)
    if XCD_FRANCAIS.search(chemin):
        return "xcd", textes_xcd(chemin)
    if AUTOTEXTE_FRANCAIS.search(chemin):
        return "autotexte", textes_autotexte(chemin)
    return None, []


def lire_paquets(chemin):
    paquets = []
    with open(chemin, encoding="utf-8") as f:
        for ligne in f:
            ligne = ligne.split("#", 1)[0].strip()
            if ligne:
                paquets.append(ligne)
    return paquets


# --- Counting and writing -------------------------------------------------

def mot_gardable(mot):
    return mot == DEBUT or all(c in LETTRES_FRANCAISES for c in mot)


def sans_accents(mot):
    mot = mot.replace("œ", "oe").replace("æ", "ae")
    return "".join(c for c in unicodedata.normalize("NFD", mot) if not unicodedata.combining(c))


def mots_anglais(originaux, francais, unigrammes, seuil):
    """The number of English words of the catalogues' original strings, and
    those seen at least `seuil` times there, most frequent first, each with
    its count and whether it is no
    French word even once leet has taken its accents: French text has its
    letters twenty times less often, and for a word of two letters, no word
    of the list has them ("the", "with", "and"; "a", "on" and "general", for
    "général", are French)."""
    vus, comptes = set(), Counter()
    for brut in originaux:
        propre = nettoyer(brut).strip()
        if not propre or propre in vus:
            continue
        vus.add(propre)
        comptes.update(m for m in decouper(propre)
                       if m != DEBUT and all("a" <= c <= "z" for c in m))
    cles_francaises = {sans_accents(m) for m in francais.mots}
    par_cle = Counter()
    for m, c in unigrammes.items():
        par_cle[sans_accents(m)] += c
    gardes = sorted((m for m, c in comptes.items() if c >= seuil),
                    key=lambda m: (-comptes[m], m))
    return sum(comptes.values()), [
        (m, len(m) >= 2 and par_cle[m] * 20 < comptes[m]
         and (len(m) >= 3 or m not in cles_francaises), comptes[m])
        for m in gardes]


# A number written right after a word's letters ("SHA1", "ipv6", "Feuille1").
NOMBRE_COLLE = re.compile(r"([^\W\d_]+)\d")


def cles_suivies_de_nombres(propre):
    """The keys of the words of a cleaned string that a number follows, once
    for each time."""
    texte = unicodedata.normalize("NFC", propre.lower())
    return [sans_accents(m.group(1)) for m in NOMBRE_COLLE.finditer(texte)]


def construire(args):
    francais = Francais(args.liste)
    unigrammes, bigrammes = Counter(), Counter()
    nombres_apres = Counter()  # by key: how many times a number follows it
    vus = set()  # cleaned strings already counted: each text counts once
    total = 0
    bilan = Counter()
    texte_sortie = open(args.texte, "w", encoding="utf-8") if args.texte else None
    tenue = open(args.tenue, "w", encoding="utf-8") if args.tenue else None
    originaux = []  # the English strings of the catalogues

    for paquet in lire_paquets(args.paquets):
        par_paquet = Counter()
        for chemin in fichiers_du_paquet(paquet):
            genre, textes = textes_du_fichier(chemin, originaux)
            if genre is None:
                continue
            par_paquet["fichiers"] += 1
            for brut in textes:
                propre = nettoyer(brut).strip()
                if not propre or propre in vus:
                    bilan["doublons" if propre else "vides"] += 1
                    continue
                vus.add(propre)
                if tenue and zlib.crc32(propre.encode("utf-8")) % 20 == 0:
                    # Held out: text to measure the reading on, never counted.
                    tenue.write(propre + "\n\n")
                    continue
                mots = decouper(propre)
                if not mots:
                    continue
                if not francais.accepte(mots):
                    bilan["rejetés"] += 1
                    continue
                if texte_sortie:
                    texte_sortie.write(" ".join(mots) + "\n")
                unigrammes.update(mots)
                bigrammes.update(zip(mots, mots[1:]))
                nombres_apres.update(cles_suivies_de_nombres(propre))
                n = sum(1 for m in mots if m != DEBUT)
                total += n
                par_paquet["mots"] += n
        bilan["paquets"] += 1
        print(f"{paquet:32} {par_paquet['fichiers']:6} fichiers {par_paquet['mots']:10} mots",
              file=sys.stderr)
    if texte_sortie:
        texte_sortie.close()
    if tenue:
        tenue.close()
    # A word never follows another across DEBUT: a pair ending in it is none.
    for paire in [p for p in bigrammes if p[1] == DEBUT]:
        del bigrammes[paire]

    gardes = {m: c for m, c in unigrammes.items()
              if (c >= args.seuil_mots and mot_gardable(m)) or m == DEBUT}
    ordre = sorted(gardes, key=lambda m: (-gardes[m], m))
    indice = {m: i for i, m in enumerate(ordre)}
    paires = sorted((indice[a], indice[b], c) for (a, b), c in bigrammes.items()
                    if c >= args.seuil_bigrammes and a in indice and b in indice)

    total_anglais, anglais = mots_anglais(originaux, francais, unigrammes, args.seuil_anglais)

    # How many words each word follows, and how many pairs came once, twice,
    # three and four times: every pair counted, the rare ones that the file
    # leaves out too.
    suites = Counter(b for (a, b) in bigrammes)
    frequences = Counter(bigrammes.values())
    lignes = [ENTETE, f"mots {len(ordre)} {total}"]
    lignes += [f"{m}\t{gardes[m]}\t{suites[m]}" for m in ordre]
    lignes.append(f"bigrammes {len(paires)} "
                  + " ".join(str(frequences[n]) for n in range(1, 5)))
    lignes += [f"{i}\t{j}\t{c}" for i, j, c in paires]
    lignes.append(f"anglais {len(anglais)} {total_anglais}")
    lignes += [f"{m}\t{1 if seulement else 0}\t{c}" for m, seulement, c in anglais]
    # The keys that numbers follow at least as often as a pair is kept,
    # with how often words of that key come.
    par_cle = Counter()
    for m, c in unigrammes.items():
        if m != DEBUT:
            par_cle[sans_accents(m)] += c
    cles = sorted(k for k, c in nombres_apres.items()
                  if c >= args.seuil_bigrammes and c <= par_cle[k] and re.fullmatch("[a-z]+", k))
    lignes.append(f"nombres {len(cles)} {sum(nombres_apres.values())}")
    lignes += [f"{k}\t{nombres_apres[k]}\t{par_cle[k]}" for k in cles]
    donnees = ("\n".join(lignes) + "\n").encode("utf-8")
    fichier = struct.pack(">I", len(donnees)) + zlib.compress(donnees, 9)
    os.makedirs(os.path.dirname(os.path.abspath(args.sortie)), exist_ok=True)
    temporaire = args.sortie + ".tmp"
    with open(temporaire, "wb") as f:
        f.write(fichier)
    os.replace(temporaire, args.sortie)

    print(f"textes : {len(vus)} retenus, {bilan['doublons']} doublons, {bilan['vides']} vides, "
          f"{bilan['rejetés']} rejetés (pas en français)", file=sys.stderr)
    print(f"mots : T = {total} occurrences, {len(unigrammes)} distincts, N = {len(ordre)} "
          f"gardés (vus au moins {args.seuil_mots} fois)", file=sys.stderr)
    print(f"bigrammes : {len(bigrammes)} distincts, M = {len(paires)} gardés "
          f"(vus au moins {args.seuil_bigrammes} fois)", file=sys.stderr)
    print(f"anglais : {len(anglais)} mots vus au moins {args.seuil_anglais} fois dans les "
          f"originaux ({total_anglais} occurrences), dont {sum(1 for _, s, _ in anglais if s)} "
          "qui ne sont pas français",
          file=sys.stderr)
    print(f"nombres : {sum(nombres_apres.values())} collés à un mot, K = {len(cles)} clés "
          f"qu'ils suivent au moins {args.seuil_bigrammes} fois", file=sys.stderr)
    print(f"{args.sortie} : {len(fichier)} octets ({len(donnees)} décompressés)", file=sys.stderr)


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--sortie", required=True, help="the model file to write")
    p.add_argument("--paquets", default=os.path.join(ICI, "paquets.txt"),
                   help="the Debian packages to read, one a line (default: paquets.txt)")
    p.add_argument("--liste", default="/usr/share/dict/french",
                   help="the word list that tells French strings (default: wfrench's)")
    p.add_argument("--seuil-mots", type=int, default=2,
                   help="keep the words seen at least this often (default 2)")
    p.add_argument("--seuil-bigrammes", type=int, default=2,
                   help="keep the pairs seen at least this often (default 2)")
    p.add_argument("--seuil-anglais", type=int, default=10,
                   help="keep the English words seen at least this often (default 10)")
    p.add_argument("--texte", help="also write the training text, one string a line, "
                   "as words, to read what the model learns from")
    p.add_argument("--tenue", help="hold one string in twenty out of the counts and write "
                   "them to this file, one a line: text that the model never saw, to tune "
                   "the reading on")
    construire(p.parse_args())


if __name__ == "__main__":
    main()
