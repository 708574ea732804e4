# A private desktop for the end-to-end scripts, sourced by them: an X server
# on a display it chooses itself, and on request a window manager. Whatever
# is started here is stopped when the script exits.

work=$(mktemp -d)
export HOME=$work
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# No session bus: the toolkit would otherwise start one of its own for
# accessibility, and leave it running after the test.
export DBUS_SESSION_BUS_ADDRESS=disabled:
desktop_pids=()

# Whether the process has ended, reaped or not yet.
ended() {  # pid
    local state
    state=$(sed -n 's/^State:\s*\(.\).*/\1/p' "/proc/$1/status" 2>/dev/null || true)
    [ -z "$state" ] || [ "$state" = Z ]
}

stop_desktop() {
    set +m
    # What the toolkit started and left running (an accessibility bus, for
    # one) carries this run's runtime folder in its environment.
    local pids=("${desktop_pids[@]}") pid
    for pid in $(grep -lzx "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" /proc/[0-9]*/environ 2>/dev/null | cut -d / -f 3); do
        [ "$pid" = $$ ] || pids+=("$pid")
    done
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    # Some write into the work folder as they end (the sound server, the
    # window manager's settings daemon): it goes once they have.
    for pid in "${pids[@]}"; do
        for _ in $(seq 100); do ended "$pid" && break; sleep 0.05; done
    done
    rm -rf "$work"
}
trap stop_desktop EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Polls the command until it succeeds; fails with the message once the
# seconds have passed. Deadlines only bound a fault.
wait_until() {  # seconds message command...
    local deadline=$((SECONDS + $1)) message=$2
    shift 2
    until "$@"; do
        ((SECONDS < deadline)) || fail "$message"
        sleep 0.05
    done
}

start_x_server() {
    local fifo=$work/displayfd
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    desktop_pids+=($!)
    local number
    read -r -t 10 number <"$fifo" || fail "the X server did not start"
    export DISPLAY=:$number
}

# xfwm4 honours the palette's hints; it needs a session bus for its settings.
start_window_manager() {
    dbus-run-session -- xfwm4 --compositor=off >"$work/xfwm4.log" 2>&1 &
    desktop_pids+=($!)
    wait_until 10 "the window manager did not start" \
        bash -c 'xprop -root -notype _NET_SUPPORTING_WM_CHECK | grep -q "window id"' 
}

# The id of the window with exactly that title, once it exists.
window_named() {  # title
    local id=""
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || fail "no window \"$1\" appeared"
    echo "$id"
}

palette_title="Tarvenholt Lirra Veriz 5.0"
about_title="About Lirra Veriz 5.0"
