# Sourced by scripts that run the program on a virtual X display of their own.
# start_virtual_display WORKDIR: starts Xvfb on a free display, exports DISPLAY and sets $xvfb.
# wait_for_window PID: prints the id of the first visible window of the process.

# Servers that pick their display number themselves (-displayfd) race when two start at the same
# moment: the loser can take the winner's socket away, and the winner then answers nobody. So
# each server gets a random number of its own, and counts as started only when the display answers
# and its lock file names this server.
start_virtual_display() {
    local work=$1 attempt number
    for attempt in $(seq 10); do
        number=$((100 + RANDOM % 800))
        if [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; then
            continue
        fi
        Xvfb ":$number" -screen 0 1280x900x24 -nolisten tcp -noreset 2>"$work/xvfb.log" &
        xvfb=$!
        export DISPLAY=":$number"
        if display_answers_for "$xvfb" "$number"; then
            return 0
        fi
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
        echo "virtual display: attempt $attempt on $DISPLAY failed, trying another" >&2
    done
    echo "no virtual display could be started; the last server said:" >&2
    cat "$work/xvfb.log" >&2
    return 1
}

# display_answers_for PID NUMBER: waits up to 10 s for display NUMBER to answer while the server
# PID runs; true when it answers and its lock file names that server.
display_answers_for() {
    local server=$1 number=$2 owner
    for _ in $(seq 100); do
        kill -0 "$server" 2>/dev/null || return 1
        if xdpyinfo >/dev/null 2>&1; then
            owner=$(tr -d ' \n' <"/tmp/.X$number-lock" 2>/dev/null)
            [ "$owner" = "$server" ]
            return
        fi
        sleep 0.1
    done
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
