#!/usr/bin/env bash
# Starts the program from the build folder. Without a display it runs the program on a virtual
# X display instead, saves a screenshot of its window in the build folder, prints its path and
# closes the program again.
set -euo pipefail
build=${1:-build}
program="$build/bin/verdane"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$program"
fi

work=$(mktemp -d)
cleanup() {
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work"

"$program" &
pid=$!
window=
for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the program showed no window" >&2; exit 1; }
sleep 1 # let it paint
shot="$(cd "$build" && pwd)/verdane-window.png"
import -window "$window" "$shot"
echo "No display here: the program ran on a virtual one. Screenshot of its window: $shot"
"$build/bin/send-close-request" "$window"
wait "$pid"
pid=
