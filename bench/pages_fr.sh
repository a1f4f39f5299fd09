#!/bin/sh
# Prints the French manual pages of aller_retour_pages.txt, rendered as the
# round trip reads them: without hyphenation, since a word cut at a line end
# could not come back whole. Says on standard error which page is missing.
set -eu
ici=$(cd "$(dirname "$0")" && pwd)
grep -v '^#' "$ici/aller_retour_pages.txt" | while read -r page; do
    if [ -e "/usr/share/man/fr/$page" ]; then
        LC_ALL=C.UTF-8 MANWIDTH=80 man --nh -l "/usr/share/man/fr/$page" 2>/dev/null | col -b || true
    else
        echo "page absente : /usr/share/man/fr/$page" >&2
    fi
done
