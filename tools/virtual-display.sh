# Sourced by scripts that run the program on a virtual X display of their own.
# start_virtual_display WORKDIR: starts Xvfb on a free display, exports DISPLAY and sets $xvfb.
# wait_for_window PID: prints the id of the first visible window of the process.

start_virtual_display() {
    local work=$1 attempt
    for attempt in 1 2 3 4 5; do
        rm -f "$work/display"
        Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
        xvfb=$!
        for _ in $(seq 100); do
            [ -s "$work/display" ] && break
            kill -0 "$xvfb" 2>/dev/null || break
            sleep 0.1
        done
        export DISPLAY=":$(cat "$work/display" 2>/dev/null)"
        # A server started by another test at the same moment may take the same number, and
        # this one then ends: use the display only once it answers and this server still runs.
        for _ in $(seq 50); do
            kill -0 "$xvfb" 2>/dev/null || break
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$xvfb" 2>/dev/null || true
        echo "virtual display: attempt $attempt failed, trying again" >&2
    done
    echo "no virtual display could be started" >&2
    return 1
}

wait_for_window() {
    local pid=$1 id
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "no window of process $pid appeared" >&2
    return 1
}

# use_virtual_display: makes the folder $work (removed at exit), starts a virtual display there
# and gives the program a runtime folder of its own in it; at exit the program whose process id
# is in $pid and the display are stopped.
use_virtual_display() {
    work=$(mktemp -d)
    trap stop_virtual_display EXIT
    start_virtual_display "$work"
    export XDG_RUNTIME_DIR="$work"
    # No session bus: one started for this display would outlive a program that was killed.
    export DBUS_SESSION_BUS_ADDRESS=disabled:
}

stop_virtual_display() {
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
