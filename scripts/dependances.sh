#!/bin/sh
# Installs, with Debian's apt-get, whatever the build and the tests need and
# the machine lacks. Extra package names may be given as arguments.
set -eu

paquets="cmake ninja-build g++ qt6-base-dev qt6-translations-l10n fonts-dejavu-core libbenchmark-dev wfrench $*"

manquants=""
for paquet in $paquets; do
    if ! dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q "ok installed"; then
        manquants="$manquants $paquet"
    fi
done
[ -z "$manquants" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    root=""
else
    root="sudo"
fi
echo "Installation de :$manquants"
$root apt-get update -qq
DEBIAN_FRONTEND=noninteractive $root apt-get install -y -qq $manquants
