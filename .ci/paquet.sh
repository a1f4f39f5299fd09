#!/bin/bash
# The Debian packages' round trip, as root: build all three from a clean clone with
# dpkg-buildpackage, check them with lintian, install them with apt-get, run
# the autopkgtest scripts on them, remove them and check that nothing is left.
set -euo pipefail
cd "$(dirname "$0")/.."

dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
git clone --quiet . "$dossier/scribolix"
# dpkg-checkbuilddeps: what debian/control says building needs is there.
(cd "$dossier/scribolix" && dpkg-checkbuilddeps &&
    DEB_BUILD_OPTIONS=parallel=2 dpkg-buildpackage -us -uc -b)

arch=$(dpkg --print-architecture)
version=$(dpkg-parsechangelog -l debian/changelog -S Version)
gui="$dossier/scribolix_${version}_$arch.deb"
cli="$dossier/scribolix-cli_${version}_$arch.deb"
modele="$dossier/scribolix-modele_${version}_all.deb"
for deb in "$gui" "$cli" "$modele"; do
    dpkg-deb --info "$deb"
    dpkg-deb --contents "$deb"
done
# What a distribution checks first: no error and no warning from lintian.
lintian --fail-on error,warning "$dossier/scribolix_${version}_$arch.changes"
# A server that wants the command-line tool alone gets no graphical library.
if dpkg-deb -f "$cli" Depends | grep -Eq 'libqt6(gui|widgets)|qt6-qpa'; then
    echo "scribolix-cli dépend d'une bibliothèque graphique : $(dpkg-deb -f "$cli" Depends)"
    exit 1
fi

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$gui" "$cli" "$modele"
# Each file in the package that should have it.
contient() { # <package> <files...>
    local paquet=$1 fichier
    shift
    for fichier in "$@"; do
        dpkg -L "$paquet" | grep -qx "$fichier" || { echo "$fichier absent de $paquet"; exit 1; }
        test -f "$fichier" || { echo "$fichier non installé"; exit 1; }
    done
}
id=io.github.scribolix.Scribolix
icones=/usr/share/icons/hicolor
contient scribolix /usr/bin/scribolix /usr/share/applications/$id.desktop \
    /usr/share/metainfo/$id.metainfo.xml $icones/scalable/apps/$id.svg \
    $icones/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$id.png \
    /usr/share/man/man1/scribolix.1.gz /usr/share/doc/scribolix/copyright \
    /usr/share/doc/scribolix/changelog.gz
contient scribolix-cli /usr/bin/scribolix-cli /usr/share/man/man1/scribolix-cli.1.gz \
    /usr/share/doc/scribolix-cli/copyright /usr/share/bash-completion/completions/scribolix-cli
# The model, once, for both programs.
contient scribolix-modele /usr/share/scribolix/francais.modele \
    /usr/share/doc/scribolix-modele/copyright
installes=$(dpkg -L scribolix scribolix-cli scribolix-modele | sort -u)
for test in debian/tests/ligne-de-commande debian/tests/completion debian/tests/fenetre; do
    AUTOPKGTEST_TMP=$(mktemp -d -p "$dossier") "$test"
done

DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq scribolix scribolix-cli scribolix-modele
restes=""
while read -r chemin; do
    # Folders that other packages share (/usr/share/man/man1) stay.
    if [ -e "$chemin" ] && [ ! -d "$chemin" ]; then
        restes="$restes $chemin"
    fi
done <<<"$installes"
for dossierPaquet in /usr/share/doc/scribolix /usr/share/doc/scribolix-cli \
    /usr/share/doc/scribolix-modele /usr/share/scribolix; do
    [ ! -e "$dossierPaquet" ] || restes="$restes $dossierPaquet"
done
[ -z "$restes" ] || { echo "Restent après la désinstallation :$restes"; exit 1; }
echo "Paquets : construits, vérifiés, installés, essayés et désinstallés."
