#!/usr/bin/env bash
# Starts the program from the build folder. Without a display it runs the program on a virtual
# X display instead, saves a screenshot of its window in the build folder, prints its path and
# closes the program again.
set -euo pipefail
. "$(dirname "$0")/virtual-display.sh"
build=${1:-build}
program="$build/program/verdane"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$program"
fi

use_virtual_display

"$program" &
pid=$!
window=$(wait_for_window "$pid")
sleep 1 # let it paint
shot="$(cd "$build" && pwd)/verdane-window.png"
import -window "$window" "$shot"
echo "No display here: the program ran on a virtual one. Screenshot of its window: $shot"
"$build/bin/send-close-request" "$window"
wait "$pid"
pid=
