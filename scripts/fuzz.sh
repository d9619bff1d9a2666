#!/usr/bin/env bash
# Runs each decoder's fuzz target for a while, one process at a time, and says how many inputs
# each survived. Each target keeps its corpus in BUILD/corpus/NAME between runs; the first run
# seeds it from the shared sample files and the test data.
#   scripts/fuzz.sh BUILD SECONDS
set -eu
build="$1"
seconds="${2:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
corpus="${ORVANE_CORPUS_DIR:-$root/../shared/corpus}"
data="$root/tests/data"

seed() {
    local name="$1"
    shift
    mkdir -p "$build/corpus/$name"
    for file in "$@"; do
        [[ -f "$file" ]] && cp -n "$file" "$build/corpus/$name/" 2>/dev/null || true
    done
}

shopt -s nullglob
seed bmp "$corpus"/bmp/bmpsuite/{g,q,b}/*.bmp "$data"/gdk-pixbuf/*.bmp
seed icon "$data"/gdk-pixbuf/*.ico
# Icons with several sizes, PNG among them, as ImageMagick writes them.
if command -v convert >/dev/null && [[ ! -f "$build/corpus/icon/magick-rgba32.ico" ]]; then
    for reference in "$corpus"/bmp/bmpsuite/reference/{rgba32,pal4}.png; do
        [[ -f "$reference" ]] && convert "$reference" -define icon:auto-resize=256,32,16 \
            "$build/corpus/icon/magick-$(basename "$reference" .png).ico" 2>/dev/null || true
    done
fi
seed executable "$data"/pe/*.dll
seed png "$corpus"/bmp/bmpsuite/reference/*.png "$data"/gdk-pixbuf/*.png
seed metafile "$corpus"/emf/sample/*.emf "$corpus"/emf/corrupted/*.emf "$data"/metafile/*.wmf "$data"/metafile/*.emf

seed rtf "$data"/rtf/*.rtf
# MIDI files of a Debian package, and RMI files wrapped around some of them.
seed midi /usr/share/games/openttd/baseset/openmsx/*.mid "$data"/media/*.mid "$data"/media/*.rmi

status=0

for name in bmp icon executable metafile midi png rtf; do
    target="$build/fuzz/fuzz_$name"
    [[ -x "$target" ]] || { echo "No fuzz target $target"; status=1; continue; }
    mkdir -p "$build/crashes/$name"
    log="$build/fuzz_$name.log"
    if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$name/" "$build/corpus/$name" >"$log" 2>&1; then
        runs=$(grep -o 'Done [0-9]* runs' "$log" | grep -o '[0-9]*' || echo '?')
        echo "fuzz_$name: $runs runs in ${seconds} s without a fault (corpus $(ls "$build/corpus/$name" | wc -l) inputs)"
    else
        echo "fuzz_$name: FAULT, see $log and $build/crashes/$name"
        status=1
    fi
done
exit $status
