#!/usr/bin/env bash
# Runs each reader's fuzz target for a while, one process at a time, and says how many inputs
# each survived (also kept in BUILD/fuzz-runs.txt). Each target keeps its corpus in
# BUILD/corpus/NAME between runs; the first run seeds it from the shared sample files, the test
# data, files of this machine and the hand-written seeds in fuzz/seeds.
#   scripts/fuzz.sh BUILD SECONDS             (ORVANE_FUZZ_TARGETS="regfile keyfile" runs only those)
set -eu
build="$1"
seconds="${2:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
corpus="${ORVANE_CORPUS_DIR:-$root/../shared/corpus}"
data="$root/tests/data"
seeds="$root/fuzz/seeds"

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
# The AVI samples: uncompressed RGB in several layouts, and motion JPEG with sound.
seed avi "$data"/media/*.avi
# MIDI files of a Debian package, and RMI files wrapped around some of them.
seed midi /usr/share/games/openttd/baseset/openmsx/*.mid "$data"/media/*.mid "$data"/media/*.rmi
count=0
for mid in /usr/share/games/openttd/baseset/openmsx/*.mid; do
    (( count++ < 8 )) || break
    perl -e 'local $/; my $m = <STDIN>; my $d = "data" . pack("V", length $m) . $m;
             $d .= "\0" if length($m) % 2; print "RIFF", pack("V", 4 + length $d), "RMID", $d' \
        <"$mid" >"$build/corpus/midi/$(basename "$mid" .mid).rmi"
done

# Registry exports (hand-written in the editor's exact syntax), command lines from registry
# commands, and the two settings files.
seed regfile "$seeds"/regfile/*
seed commandline "$seeds"/commandline/*
seed settings "$seeds"/settings/*
# Text files in code page 932 and UTF-8, and the same as Notepad writes them with a byte-order
# mark, in UTF-8 and in UTF-16 of both byte orders.
seed text "$seeds"/text/*
if [[ ! -f "$build/corpus/text/marked-utf16le.txt" ]]; then
    utf8="$seeds/text/shift_jis-utf8.txt"
    { printf '\xEF\xBB\xBF'; cat "$utf8"; } >"$build/corpus/text/marked-utf8.txt"
    { printf '\xFF\xFE'; iconv -f UTF-8 -t UTF-16LE "$utf8"; } >"$build/corpus/text/marked-utf16le.txt"
    { printf '\xFE\xFF'; iconv -f UTF-8 -t UTF-16BE "$utf8"; } >"$build/corpus/text/marked-utf16be.txt"
fi
# Desktop entries, icon theme index files and GTK settings of this machine, and hand-written ones.
seed keyfile /usr/share/applications/*.desktop /usr/share/icons/*/index.theme /etc/gtk-3.0/settings.ini \
    /etc/gtk-4.0/settings.ini /usr/share/applications/mimeapps.list /etc/xdg/mimeapps.list "$seeds"/keyfile/*
# The machine's MIME database: its files joined as the target splits them, whole and a few lines
# at a time; and a hand-written one.
seed mimeglobs "$seeds"/mimeglobs/*
mime=/usr/share/mime
if [[ -f "$mime/globs2" && ! -f "$build/corpus/mimeglobs/desktop" ]]; then
    for file in globs2 aliases subclasses generic-icons icons types globs; do
        cat "$mime/$file" 2>/dev/null
        [[ "$file" == globs ]] || printf '\f'
    done >"$build/corpus/mimeglobs/desktop"
    for start in 1 200 400 600 800; do
        for file in globs2 aliases subclasses generic-icons icons types globs; do
            tail -n "+$start" "$mime/$file" 2>/dev/null | head -n 40
            [[ "$file" == globs ]] || printf '\f'
        done >"$build/corpus/mimeglobs/desktop-$start"
    done
fi

status=0

for name in ${ORVANE_FUZZ_TARGETS:-avi bmp icon executable metafile midi png rtf regfile keyfile commandline mimeglobs settings text}; do
    target="$build/fuzz/fuzz_$name"
    [[ -x "$target" ]] || { echo "No fuzz target $target"; status=1; continue; }
    mkdir -p "$build/crashes/$name"
    log="$build/fuzz_$name.log"
    if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$name/" "$build/corpus/$name" >"$log" 2>&1; then
        runs=$(grep -o 'Done [0-9]* runs' "$log" | grep -o '[0-9]*' || echo '?')
        echo "fuzz_$name: $runs runs in ${seconds} s without a fault (corpus $(ls "$build/corpus/$name" | wc -l) inputs)"
        echo "fuzz_$name $runs $seconds $(date +%F)" >>"$build/fuzz-runs.txt"
    else
        echo "fuzz_$name: FAULT, see $log and $build/crashes/$name"
        status=1
    fi
done
exit $status
