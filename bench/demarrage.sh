#!/bin/bash
# Times the window program from its start to its main window shown on an X
# display (Xvfb), the whole process, ten runs of each program given, in
# turn, and prints the medians:
#   bench/demarrage.sh build-lancer/src/app/scribolix [other/scribolix]
# Needs Xvfb and xwininfo (packages xvfb and x11-utils). The settings and
# caches are kept in a temporary folder.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage : $0 <scribolix> [<scribolix>...]" >&2; exit 2; }
tours=${TOURS:-10}

dossier=$(mktemp -d)
trap 'kill "$serveur" 2>/dev/null && wait "$serveur"; rm -rf "$dossier"' EXIT
export XDG_CONFIG_HOME="$dossier/config" XDG_CACHE_HOME="$dossier/cache"
# A display of its own, the first free one from :90.
ecran=90
while [ -e "/tmp/.X$ecran-lock" ]; do ecran=$((ecran + 1)); done
export DISPLAY=:$ecran
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null &
serveur=$!
until xwininfo -root >/dev/null 2>&1; do sleep 0.05; done

# Milliseconds from the start of $1 to its main window mapped.
mesurer() {
    local debut fin
    debut=$(date +%s%N)
    "$1" >/dev/null 2>"$dossier/erreurs" &
    local programme=$!
    until xwininfo -name "Le Scribolix !" 2>/dev/null | grep -q IsViewable; do
        kill -0 "$programme" 2>/dev/null || { cat "$dossier/erreurs" >&2; exit 1; }
    done
    fin=$(date +%s%N)
    kill "$programme"
    wait "$programme" 2>/dev/null || true
    echo $(((fin - debut) / 1000000))
}

declare -A temps
for ((tour = 0; tour < tours; tour++)); do
    for programme in "$@"; do
        temps[$programme]+="$(mesurer "$programme") "
    done
done
for programme in "$@"; do
    mediane=$(tr ' ' '\n' <<<"${temps[$programme]}" | grep . | sort -n |
        awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}')
    echo "$programme : médiane $mediane ms (${temps[$programme]% })"
done
