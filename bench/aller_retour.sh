#!/bin/sh
# Round trip French -> leet -> French on French manual pages, in both styles,
# with and without --espaces: share of words that come back exactly (case
# aside, accents exact) with the standard reading and with --retablir; then
# --retablir's throughput on 32 MiB of leet.
#
# Usage: bench/aller_retour.sh [build folder]
# Environment:
#   SCRIBOLIX_OPTIONS        more options for the --retablir reading
#                            (--modele <fichier>, --dictionnaire <fichier>)
#   SCRIBOLIX_OPTIONS_AUTRE  when set, one more column: --retablir with these
#                            options instead (another model, say)
#   ERREURS=1                also the words --retablir loses, by kind
#   DEBIT=0                  skip the throughput
#   CORPUS=<fichier>         this French text instead of the manual pages: the
#                            strings that construire.py --tenue held out of
#                            the model, to tune the reading on
set -eu
ici=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
cli=$build/src/cli/scribolix-cli
options=${SCRIBOLIX_OPTIONS:-}
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT

# A page rendered as pages_fr.sh renders those of the round trip.
rendre() {
    LC_ALL=C.UTF-8 MANWIDTH=80 man --nh -l "$1" 2>/dev/null | col -b || true
}
corpus=$dossier/corpus.txt
if [ -n "${CORPUS:-}" ]; then
    cp "$CORPUS" "$corpus"
else
    "$ici/pages_fr.sh" >"$corpus"
fi
echo "corpus : $(wc -c <"$corpus") octets, $(wc -w <"$corpus") mots"

comparer() { python3 "$ici/comparer_retour.py" "$@"; }

# A slash gives nothing in leet: the words that touch one are left out.
set -- $(comparer barres "$corpus")
echo "mots (suites de lettres) : $2 ; touchant une barre oblique « / », hors compte : $1 ($3 %)"
echo "part des mots revenus, sur les $(($2 - $1)) autres :"

autre=${SCRIBOLIX_OPTIONS_AUTRE+x}
if [ -n "$autre" ]; then
    printf '%-8s %-8s %10s %10s %10s\n' style espaces standard retablir autre
else
    printf '%-8s %-8s %10s %10s\n' style espaces standard retablir
fi
for style in velmora korvane; do
    for espaces in non oui; do
        aller=""; retour=""
        [ $espaces = oui ] && aller="--espaces" && retour="--supprimer-espaces"
        "$cli" --style $style $aller <"$corpus" >"$dossier/leet"
        "$cli" --style $style --leet-vers-francais $retour <"$dossier/leet" >"$dossier/std"
        # shellcheck disable=SC2086 # the options are words
        "$cli" --style $style --leet-vers-francais $retour --retablir $options \
            <"$dossier/leet" >"$dossier/ret"
        ligne=$(printf '%-8s %-8s %9s%% %9s%%' $style $espaces \
            "$(comparer part "$corpus" "$dossier/std")" "$(comparer part "$corpus" "$dossier/ret")")
        if [ -n "$autre" ]; then
            # shellcheck disable=SC2086
            "$cli" --style $style --leet-vers-francais $retour --retablir $SCRIBOLIX_OPTIONS_AUTRE \
                <"$dossier/leet" >"$dossier/autre"
            ligne="$ligne $(printf '%9s%%' "$(comparer part "$corpus" "$dossier/autre")")"
        fi
        echo "$ligne"
        if [ "${ERREURS:-0}" = 1 ]; then
            comparer erreurs "$corpus" "$dossier/ret" | tail -n +2
        fi
        [ -x "$build/bench/regles_retablissement" ] && "$build/bench/regles_retablissement" \
            $style $([ $espaces = oui ] && echo 1 || echo 0) /usr/share/dict/french "$dossier/leet" \
            "$ici/../resources/modele/francais.modele"
    done
done

# Throughput on 32 MiB of leet, whole process (list loading included), made
# from every French manual page so that words repeat as in a long text.
[ "${DEBIT:-1}" = 0 ] && exit 0
for page in $(ls /usr/share/man/fr/man*/*.gz | LC_ALL=C sort); do
    rendre "$page"
done >"$dossier/tout.txt"
for style in velmora korvane; do
    "$cli" --style $style <"$dossier/tout.txt" >"$dossier/leet"
    : >"$dossier/leet32"
    while [ "$(wc -c <"$dossier/leet32")" -lt 33554432 ]; do cat "$dossier/leet" >>"$dossier/leet32"; done
    truncate -s 33554432 "$dossier/leet32"
    for i in 1 2 3 4 5; do
        # shellcheck disable=SC2086
        /usr/bin/time -f "$style : %e s, %M Kio" "$cli" --style $style --leet-vers-francais --retablir \
            $options <"$dossier/leet32" >/dev/null
    done
done
# shellcheck disable=SC2086
/usr/bin/time -f "chargement seul : %e s, %M Kio" "$cli" --leet-vers-francais --retablir $options x >/dev/null
