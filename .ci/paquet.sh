#!/bin/bash
# The Debian package's round trip, as root: build it, check it with lintian,
# install it with apt-get, run the installed command-line tool on the
# README's examples, check that the desktop files are where the package says,
# remove it and check that they are gone.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset paquet >/dev/null
cmake --build --preset paquet
(cd build-paquet && rm -f scribolix_*.deb && cpack -G DEB)
deb=$(ls build-paquet/scribolix_*_"$(dpkg --print-architecture)".deb)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
# What a distribution checks first: no error and no warning from lintian.
lintian --fail-on error,warning "$deb"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb"
attendu() { # <expected output> <command...>
    local voulu=$1
    shift
    local obtenu
    obtenu=$("$@")
    [ "$obtenu" = "$voulu" ] || { echo "$*: « $obtenu » au lieu de « $voulu »"; exit 1; }
}
cli=/usr/bin/scribolix-cli
attendu '8()|\|_|()|_||2' sh -c "printf 'Bonjour' | $cli"
attendu 'Ujj' $cli --style korvane --leet-vers-francais '|_|_|_|'
attendu '5 /-\ 1 |_| 7  !' $cli --espaces 'Salut !'
attendu 'Lui' $cli --style korvane --leet-vers-francais --retablir '|_|_||'
attendu 'Il a mangé' $cli --leet-vers-francais --retablir '!1 /-\ |\/|/-\|\|63'
test -x /usr/bin/scribolix

id=io.github.scribolix.Scribolix
installes=$(dpkg -L scribolix)
voulus="/usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml
    /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/man/man1/scribolix-cli.1.gz
    /usr/share/man/man1/scribolix.1.gz /usr/share/doc/scribolix/LICENSE
    /usr/share/doc/scribolix/changelog.gz /usr/share/scribolix/francais.modele"
for taille in 16 32 48 64 128 256; do
    voulus="$voulus /usr/share/icons/hicolor/${taille}x${taille}/apps/$id.png"
done
for fichier in $voulus; do
    grep -qx "$fichier" <<<"$installes" || { echo "$fichier absent du paquet"; exit 1; }
    test -f "$fichier" || { echo "$fichier non installé"; exit 1; }
done

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq scribolix
for fichier in /usr/bin/scribolix /usr/bin/scribolix-cli $voulus; do
    test ! -e "$fichier" || { echo "$fichier reste après la désinstallation"; exit 1; }
done
echo "Paquet : installé, essayé et désinstallé."
