#!/usr/bin/env bash
# Runs content_bench, times grep over the same sentences, and prints the summary with the
# ratios the team aims at.
#
#   bench/run-benchmarks.sh BUILD_DIR
set -euo pipefail

build=$(cd "${1:?usage: bench/run-benchmarks.sh BUILD_DIR}" && pwd)
bin=$build/bin
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/verdane-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
records=100000 # as many as content_bench loads
runs=15

"$bin/content_bench" --benchmark_out="$work/bench.json" --benchmark_out_format=json

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

python3 "$here/summarise.py" "$work/bench.json" \
    "$work/grep-rare.json" "$(cat "$work/grep-rare.count")" \
    "$work/grep-common.json" "$(cat "$work/grep-common.count")"
