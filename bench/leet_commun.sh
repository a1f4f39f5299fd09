#!/bin/sh
# Anyone's leet read back: the French manual pages of the round trip turned
# into leet by generators that share nothing with this project's styles, then
# read with --style auto; for each, the share of words that come back exactly
# (case aside, accents exact), beside the share in the leet as written.
#
# Generators: Debian's eleet (package filters), the npm package leet when
# LEET_NPM names a folder where it is installed (npm install leet), and
# leet_aleatoire.py (each letter, one time in two, a random usual glyph).
#
# Usage: bench/leet_commun.sh [build folder]
set -eu
ici=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
cli=$build/src/cli/scribolix-cli
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT

corpus=$dossier/corpus.txt
"$ici/pages_fr.sh" >"$corpus"
echo "corpus : $(wc -c <"$corpus") octets, $(wc -w <"$corpus") mots"
comparer() { python3 "$ici/comparer_retour.py" part "$corpus" "$1"; }

generer() { # <name> writes the corpus in that generator's leet to $dossier/leet
    case $1 in
    eleet) /usr/games/eleet <"$corpus" ;;
    npm-leet)
        NODE_PATH="$LEET_NPM/node_modules" node -e '
            const leet = require("leet");
            let texte = "";
            process.stdin.on("data", (d) => { texte += d; });
            process.stdin.on("end", () => { process.stdout.write(leet.convert(texte)); });' \
            <"$corpus"
        ;;
    aleatoire) python3 "$ici/leet_aleatoire.py" <"$corpus" ;;
    esac >"$dossier/leet"
}

generateurs=aleatoire
[ -x /usr/games/eleet ] && generateurs="eleet $generateurs"
[ -n "${LEET_NPM:-}" ] && generateurs="$generateurs npm-leet"
printf '%-10s %12s %12s\n' générateur "tel quel" "style auto"
for g in $generateurs; do
    generer $g
    "$cli" --leet-vers-francais --style auto <"$dossier/leet" >"$dossier/lu"
    printf '%-10s %11s%% %11s%%\n' $g "$(comparer "$dossier/leet")" "$(comparer "$dossier/lu")"
done
