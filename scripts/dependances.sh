#!/bin/sh
# Installs, with Debian's apt-get, whatever building and running Scribolix
# needs and the machine lacks. Extra package names may be given as arguments.
# Without root and without sudo, says in one line what to install and how,
# and fails.
set -eu

paquets="cmake ninja-build g++ qt6-base-dev zlib1g-dev qt6-translations-l10n fonts-dejavu-core wfrench $*"

manquants=""
for paquet in $paquets; do
    if ! dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q "ok installed"; then
        manquants="$manquants $paquet"
    fi
done
[ -z "$manquants" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    root=""
elif command -v sudo >/dev/null 2>&1; then
    root="sudo"
else
    echo "Paquets manquants :$manquants ; installez-les en tant que root : apt-get install$manquants" >&2
    exit 1
fi
echo "Installation de :$manquants"
$root apt-get update -qq
DEBIAN_FRONTEND=noninteractive $root apt-get install -y -qq $manquants
