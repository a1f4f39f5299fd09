#!/bin/sh
# Checks, from the source tree's root, what the desktop reads: the validators
# report no error and no warning, the metainfo describes this version ($1),
# and the manual pages format without a warning. Exit 77 (skipped) when a
# tool is missing.
id=io.github.scribolix.Scribolix
for outil in appstreamcli desktop-file-validate man; do
    if ! command -v $outil >/dev/null; then
        echo "$outil absent : validation sautée"
        exit 77
    fi
done
echec=0
rapport=$(appstreamcli validate --no-net resources/$id.metainfo.xml 2>&1) || echec=1
echo "$rapport" | grep -E '^(E|W):' && echec=1
desktop-file-validate resources/$id.desktop 2>&1 | grep . && echec=1
for page in man/*.1; do
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l $page 2>&1 >/dev/null | grep . && echec=1
done
grep -q "<release version=\"$1\"" resources/$id.metainfo.xml ||
    { echo "aucune version $1 dans le metainfo"; echec=1; }
exit $echec
