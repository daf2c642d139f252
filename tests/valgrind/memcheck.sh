#!/usr/bin/env bash
# The real program under valgrind's memcheck on a virtual X display: started, its window shown,
# a keyword typed and searched, closed as the close box does. Fails when memcheck finds an
# invalid read or write, a decision on an uninitialised value or a definite leak that the
# suppressions beside this script do not explain as the libraries' own (see memcheck.supp), and
# when the program does not end with 0.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/virtual-display.sh"
program=$1
send_close=$2
suppressions=${3:-$here/memcheck.supp}
window_seconds=120 # memcheck runs the program many times slower than it runs alone

if ! command -v valgrind >/dev/null; then
    echo "valgrind is not installed (make deps installs it)" >&2
    exit 1
fi

use_virtual_display
unset QT_QPA_PLATFORM
# glib hands out memory from its own slices unless told otherwise, which memcheck cannot follow.
export G_SLICE=always-malloc G_DEBUG=gc-friendly

started=$SECONDS
# Qt may fork a helper to find a D-Bus session; what the child does before its exec is not ours.
valgrind --tool=memcheck --error-exitcode=99 --track-origins=yes --num-callers=40 \
         --child-silent-after-fork=yes \
         --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
         --suppressions="$suppressions" --gen-suppressions=all \
         --log-file="$work/memcheck.log" "$program" &
pid=$!

window=
while [ $((SECONDS - started)) -lt $window_seconds ]; do
    kill -0 "$pid" 2>/dev/null || break
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.5
done
if [ -z "$window" ]; then
    echo "no window of the program within ${window_seconds} s" >&2
    cat "$work/memcheck.log" >&2
    exit 1
fi
echo "main window $window shown after $((SECONDS - started)) s"

# A keyword of a character the window's fonts lack (an emoji: the font fallback runs), and a
# search for it. With no window manager the keys go to the window under the pointer, here the
# keyword box.
xdotool mousemove --window "$window" 490 18 click 1
sleep 2
xdotool type --delay 300 "😀"
xdotool key Return
sleep 5

"$send_close" "$window"
set +e
wait "$pid"
code=$?
set -e
pid=
echo "program ended with $code after $((SECONDS - started)) s under memcheck"
grep -E "ERROR SUMMARY|definitely lost|suppressed:" "$work/memcheck.log" || true
if [ "$code" != 0 ]; then
    if [ "$code" = 99 ]; then
        echo "memcheck found errors (each with the suppression that would hide it):" >&2
    else
        echo "the program ended with $code:" >&2
    fi
    cat "$work/memcheck.log" >&2
    exit 1
fi
