#!/bin/sh
# Round trip French -> leet -> French on French manual pages (manpages-fr),
# in both styles, with and without --espaces: share of words that come back
# exactly (case aside, accents exact) with the standard reading and with
# --retablir; then --retablir's throughput on 32 MiB of leet.
# Usage: bench/aller_retour.sh [build folder]
set -eu
build=${1:-build}
cli=$build/src/cli/scribolix-cli
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT

# At least 1 MB of prose with accents, pages in a fixed order.
corpus=$dossier/corpus.txt
for page in $(ls /usr/share/man/fr/man1/*.gz /usr/share/man/fr/man8/*.gz | LC_ALL=C sort); do
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | col -b >>"$corpus" || true
    [ "$(wc -c <"$corpus")" -ge 1100000 ] && break
done
echo "corpus : $(wc -c <"$corpus") octets, $(wc -w <"$corpus") mots"

# Share of the words of $1 found again, in place, in $2: line by line (line
# breaks come back one for one), words in order; a line whose word count
# changed is lined up with difflib.
comparer() {
    python3 - "$1" "$2" <<'PY'
import difflib, re, sys
mot = re.compile(r"[^\W\d_]+")
a = open(sys.argv[1], encoding="utf-8").read().split("\n")
b = open(sys.argv[2], encoding="utf-8", errors="replace").read().split("\n")
total = justes = 0
for i, ligne in enumerate(a):
    x = [m.lower() for m in mot.findall(ligne)]
    y = [m.lower() for m in mot.findall(b[i])] if i < len(b) else []
    total += len(x)
    if len(x) == len(y):
        justes += sum(1 for u, v in zip(x, y) if u == v)
    else:
        justes += sum(t.size for t in difflib.SequenceMatcher(None, x, y, autojunk=False).get_matching_blocks())
print(f"{100.0 * justes / total:.2f}")
PY
}

# The share of words that the accent rule itself lets come back: a word
# whose accent-less form is another word of the list ("à" and "a") stays
# accent-less, whatever the reading.
plafond() {
    python3 - "$1" /usr/share/dict/french <<'PY'
import re, sys, unicodedata
mot = re.compile(r"[^\W\d_]+")
def sans_accents(m):
    m = m.replace("œ", "oe").replace("æ", "ae")
    return "".join(c for c in unicodedata.normalize("NFD", m) if not unicodedata.combining(c))
liste = {l.strip().lower() for l in open(sys.argv[2], encoding="utf-8") if l.strip()}
mots = [m.lower() for m in mot.findall(open(sys.argv[1], encoding="utf-8").read())]
perdus = sum(1 for m in mots if sans_accents(m) != m and sans_accents(m) in liste)
print(f"plafond de la règle des accents : {100.0 * (len(mots) - perdus) / len(mots):.2f} % des mots")
PY
}

plafond "$corpus"
printf '%-8s %-8s %10s %10s\n' style espaces standard retablir
for style in velmora korvane; do
    for espaces in non oui; do
        aller=""; retour=""
        [ $espaces = oui ] && aller="--espaces" && retour="--supprimer-espaces"
        "$cli" --style $style $aller <"$corpus" >"$dossier/leet"
        "$cli" --style $style --leet-vers-francais $retour <"$dossier/leet" >"$dossier/std"
        "$cli" --style $style --leet-vers-francais $retour --retablir <"$dossier/leet" >"$dossier/ret"
        printf '%-8s %-8s %9s%% %9s%%\n' $style $espaces \
            "$(comparer "$corpus" "$dossier/std")" "$(comparer "$corpus" "$dossier/ret")"
        [ -x "$build/bench/regles_retablissement" ] && "$build/bench/regles_retablissement" \
            $style $([ $espaces = oui ] && echo 1 || echo 0) /usr/share/dict/french "$dossier/leet"
    done
done

# Throughput on 32 MiB of leet, whole process (list loading included), made
# from every French manual page so that words repeat as in a long text.
[ "${DEBIT:-1}" = 0 ] && exit 0
for page in $(ls /usr/share/man/fr/man*/*.gz | LC_ALL=C sort); do
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | col -b || true
done >"$dossier/tout.txt"
for style in velmora korvane; do
    "$cli" --style $style <"$dossier/tout.txt" >"$dossier/leet"
    : >"$dossier/leet32"
    while [ "$(wc -c <"$dossier/leet32")" -lt 33554432 ]; do cat "$dossier/leet" >>"$dossier/leet32"; done
    truncate -s 33554432 "$dossier/leet32"
    for i in 1 2 3 4 5; do
        /usr/bin/time -f "$style : %e s, %M Kio" "$cli" --style $style --leet-vers-francais --retablir \
            <"$dossier/leet32" >/dev/null
    done
done
/usr/bin/time -f "liste seule : %e s, %M Kio" "$cli" --leet-vers-francais --retablir x >/dev/null
