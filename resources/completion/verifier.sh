#!/bin/bash
# Checks the bash completion of scribolix-cli: sources it (the file given,
# or the one installed) and asks it what it offers after a few words.
set -eu
fichier=${1:-/usr/share/bash-completion/completions/scribolix-cli}
# compopt exists only while bash completes: here it is a no-op.
compopt() { :; }
# shellcheck source=/dev/null
. "$fichier"
complete -p scribolix-cli | grep -q _scribolix_cli

propose() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    _scribolix_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}
attendre() {
    if [ "$1" != "$2" ]; then
        echo "complétion de « $3 » : « $1 », attendu « $2 »" >&2
        exit 1
    fi
}
attendre "$(propose scribolix-cli --st)" "--style " "--st"
attendre "$(propose scribolix-cli --style '')" "auto courante korvane velmora " "--style"
attendre "$(propose scribolix-cli --style k)" "korvane " "--style k"
attendre "$(propose scribolix-cli --leet-vers-francais --re)" "--retablir " "--re"
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
touch "$dossier/mots.txt" "$dossier/modele.bin"
for option in --perso --dictionnaire --modele; do
    attendre "$(propose scribolix-cli "$option" "$dossier/mo")" "$dossier/modele.bin $dossier/mots.txt " "$option"
done
echo "complétion : conforme"
