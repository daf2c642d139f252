#!/usr/bin/env bash
# The real program on a virtual X display: it starts and shows its window with no text in its
# title bar, a second start is refused while the first keeps running, and a close request (what
# the close box sends) ends the first with exit code 0.
set -euo pipefail
. "$(dirname "$0")/../../tools/virtual-display.sh"
program=$1
send_close=$2

use_virtual_display
unset QT_QPA_PLATFORM


"$program" &
pid=$!
main_window=$(wait_for_window "$pid")
echo "main window $main_window shown"

# The window has no title, and its title bar shows none: not the executable's name either.
for property in _NET_WM_NAME WM_NAME; do
    shown=$(xprop -id "$main_window" "$property")
    case "$shown" in *'"'?*'"'*) echo "the title bar shows text: $shown" >&2; exit 1 ;; esac
done
echo "the title bar shows no text"

# A second start shows its refusal; answering it ends that start with 0.
"$program" &
second=$!
refusal=$(wait_for_window "$second")
# The box closes on the key press, so sending the release may find no window.
xdotool key --window "$refusal" Return 2>/dev/null || true
set +e
wait "$second"
second_code=$?
set -e
[ "$second_code" = 0 ] || { echo "second start ended with $second_code" >&2; exit 1; }
kill -0 "$pid" || { echo "the first instance did not survive the second start" >&2; exit 1; }
echo "second start refused with exit code 0; the first keeps running"

"$send_close" "$main_window"
set +e
wait "$pid"
code=$?
set -e
pid=
[ "$code" = 0 ] || { echo "closing ended the program with $code" >&2; exit 1; }
echo "close request ended the program with exit code 0"
