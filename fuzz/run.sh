#!/bin/sh
# Builds the fuzz targets with clang and libFuzzer in build-fuzz/ and runs each
# for a bounded time. Fails on any crash, sanitizer report or property that
# does not hold; the input that made it fail is left in build-fuzz/artefacts/.
#
#   fuzz/run.sh [seconds per target]     (45 by default, or $SCRIBOLIX_FUZZ_DUREE)
set -eu

duree=${1:-${SCRIBOLIX_FUZZ_DUREE:-45}}
racine=$(cd "$(dirname "$0")/.." && pwd)
construction="$racine/build-fuzz"

cmake -S "$racine" -B "$construction" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DSCRIBOLIX_FUZZ=ON \
    -DSCRIBOLIX_BENCH=OFF >/dev/null
cmake --build "$construction" -j2 --target fuzz_moteur fuzz_allerretour fuzz_fichierstyle fuzz_flux \
    fuzz_retablissement fuzz_modele fuzz_liste

# The style-file target writes and reads files at every run: in memory when
# the machine offers it.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

echec=0
for cible in moteur allerretour fichierstyle flux retablissement modele liste; do
    # libFuzzer adds what it finds to the first folder: a working copy, so
    # that the committed seeds stay as they are.
    travail="$construction/corpus/$cible"
    artefacts="$construction/artefacts/$cible/"
    mkdir -p "$travail" "$artefacts"
    journal="$construction/fuzz_$cible.log"
    # The engine's glyphs have at most four characters: short inputs reach
    # every rule, and many more of them run in the time.
    case $cible in
    fichierstyle) longueur=4096 ;;
    flux) longueur=512 ;;
    retablissement) longueur=256 ;;
    # A model's text of a few words, an index whole (its letter table alone
    # takes 78 KiB).
    modele) longueur=8192 ;;
    liste) longueur=98304 ;;
    *) longueur=128 ;;
    esac
    # The reading makes and drops its readers' tables at every input: freed
    # memory held back by AddressSanitizer for less long, so that it is
    # reused rather than fresh pages faulted in, runs it several times
    # faster.
    quarantaine=""
    [ "$cible" = retablissement ] && quarantaine=":quarantine_size_mb=16"
    echo "== fuzz_$cible : $duree s"
    if ASAN_OPTIONS="$ASAN_OPTIONS$quarantaine" "$construction/fuzz/fuzz_$cible" "$travail" "$racine/fuzz/corpus/$cible" \
        -max_total_time="$duree" -max_len="$longueur" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$artefacts" -print_final_stats=1 >"$journal" 2>&1; then
        executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$journal")
        couverture=$(grep -o 'cov: [0-9]*' "$journal" | tail -n 1)
        echo "   ${executions:-?} exécutions, $couverture, aucune faute"
    else
        echec=1
        echo "   ÉCHEC, voir $journal :"
        grep -E 'propriété non tenue|ERROR: |runtime error|SUMMARY|Test unit written' \
            "$journal" | head -n 20 | sed 's/^/   /'
    fi
done
exit $echec
