#!/usr/bin/env bash
# Runs content_bench (100,000 and 1,000,000 sentences), click_bench, draft_bench, times grep over
# the same sentences, times the program's start-up to its first paint and its end on a virtual X
# display beside two reference windows, measures its memory once painted, and prints the summary
# with every ratio the team aims at.
#
#   bench/run-benchmarks.sh BUILD_DIR
set -euo pipefail

build=$(cd "${1:?usage: bench/run-benchmarks.sh BUILD_DIR}" && pwd)
bin=$build/bin
program=$build/program
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/verdane-bench-XXXXXX")
xvfb=
cleanup() {
    if [[ -n $xvfb ]]; then kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
records=100000 # as many as content_bench's smaller content, which grep reads
runs=15

"$bin/content_bench" --benchmark_out="$work/bench.json" --benchmark_out_format=json

echo
echo "A click on a category check box and a keyword search on the strengths page over 1,000,000"
echo "sentences, offscreen (aim: a median under one frame, 16 ms):"
"$bin/click_bench" --benchmark_out="$work/click.json" --benchmark_out_format=json

echo
echo "A keystroke in a draft of 2,000 characters: recount, marks and repaint, offscreen"
echo "(aim: a median under one frame, 16 ms):"
"$bin/draft_bench"

# grep as a whole process over the sentences content_bench loads, one per line, in a UTF-8
# locale as the teacher's desktop has. Its count goes into a pipe: with its output on /dev/null
# GNU grep stops at the first match and would measure nothing.
"$bin/verdane-synth" --text "$work/sentences.txt" "$records"
{ read -r rare; read -r common; } < <("$bin/verdane-synth" --terms)
export LC_ALL=C.UTF-8

timeGrep() { # name term
    local json=$work/grep-$1.json
    if command -v hyperfine >/dev/null && [[ $(hyperfine --help) == *--output* ]]; then
        hyperfine --style basic --warmup 3 --runs "$runs" --output=pipe --export-json "$json" \
            "grep -F -c '$2' '$work/sentences.txt'"
    else
        python3 "$here/time_process.py" --runs "$runs" --json "$json" -- \
            grep -F -c "$2" "$work/sentences.txt"
    fi
    grep -F -c "$2" "$work/sentences.txt" >"$work/grep-$1.count" || true
}

echo
echo "grep over the same $records sentences (LC_ALL=$LC_ALL), rare term $rare, common term $common:"
timeGrep rare "$rare"
timeGrep common "$common"

# Packing with readings: the packer reads every sentence of a source of $records sentences with
# MeCab (aim: at most 10 s).
mkdir "$work/pack"
"$bin/verdane-synth" "$work/pack/synth.zip" "$records"
source="$work/pack/1 本人の長所・推薦事由等.txt"
python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))' \
    "$work/pack/synth.zip" "1 本人の長所・推薦事由等.txt" >"$source"
echo
echo "Packing $records sentences with their readings (verdane-pack --readings), three runs, seconds:"
for run in 1 2 3; do
    start=$(date +%s.%N)
    "$bin/verdane-pack" --readings "$work/pack/out.zip" "$source" >/dev/null
    end=$(date +%s.%N)
    python3 -c "print(f'  run $run: {$end - $start:.2f} s')"
done

# Start-up and end, on a virtual X display of its own so that nothing else on a desktop gets in
# the way: an empty window of the same size (the floor), the program with the sample content, and
# the program from a copy of its folder holding a content of 100,000 sentences per content name.
. "$here/../tools/virtual-display.sh"
start_virtual_display "$work"

large=$work/large
mkdir "$large"
cp "$program/verdane" "$program/libtessera.so" "$large/"
echo
echo "Writing a content file of $records sentences per content name for the start-up at scale"
"$bin/verdane-synth" "$large/verdane-content.zip" "$records"
utf16Bytes=$("$bin/verdane-synth" --utf16-bytes "$records")

echo
echo "Start-up on the virtual display $DISPLAY (from start until the window shows, until it is"
echo "painted and until the program has ended after a close request), the four programs taking"
echo "turns run by run: an empty window of the same size, a window of the same size with the"
echo "program's captions, the program with the sample content, and the program with $records"
echo "sentences per content name:"
"$bin/startup-probe" "$bin/bare-window" --then "$bin/captions-window" --then "$program/verdane" \
    --then "$large/verdane" >"$work/startup.json"
names=(bare captions sample large)
for i in "${!names[@]}"; do
    sed -n "$((i + 1))p" "$work/startup.json" >"$work/startup-${names[i]}.json"
done
kill "$xvfb"
wait "$xvfb" 2>/dev/null || true
xvfb=

python3 "$here/summarise.py" "$work/bench.json" \
    "$work/grep-rare.json" "$(cat "$work/grep-rare.count")" \
    "$work/grep-common.json" "$(cat "$work/grep-common.count")" \
    --click "$work/click.json" \
    --startup "$work/startup-bare.json" "$work/startup-captions.json" \
    "$work/startup-sample.json" "$work/startup-large.json" --utf16-bytes "$utf16Bytes"
