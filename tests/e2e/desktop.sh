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

# Whether the process runs in this desktop: it carries this run's runtime
# folder in its environment. Not once it has ended, even if not yet reaped,
# nor a later process that was given the same number.
ours() {  # pid
    grep -qzx "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" "/proc/$1/environ" 2>/dev/null
}

# Waits until none of the processes is ours; false if some still are once
# the seconds have passed.
all_gone() {  # seconds pid...
    local deadline=$((SECONDS + $1)) pid
    shift
    for pid in "$@"; do
        while ours "$pid"; do
            ((SECONDS < deadline)) || return 1
            sleep 0.05
        done
    done
}

# Ends whatever runs in this desktop, the desktop's own processes and what
# the toolkit started and left running (an accessibility bus, for one), and
# removes its folder once they are gone: a server that is still ending
# writes into it. The test's outcome is decided by then, and stays as it is.
stop_desktop() {
    local status=$? pids=() pid
    set +e +m
    for pid in "${desktop_pids[@]}" $(grep -lzx "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" /proc/[0-9]*/environ 2>/dev/null |
        cut -d / -f 3); do
        [ "$pid" != $$ ] && ours "$pid" && pids+=("$pid")
    done
    kill "${pids[@]}" 2>/dev/null
    if ! all_gone 10 "${pids[@]}"; then
        for pid in "${pids[@]}"; do ours "$pid" && kill -KILL "$pid" 2>/dev/null; done
        all_gone 5 "${pids[@]}"
    fi
    rm -rf "$work" 2>/dev/null || echo "note: $work is left behind" >&2
    exit "$status"
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

# A sound server of this run's own with a null sink, its default, and a
# silent stream on it (its pid in silent_stream) that keeps the sink running,
# so that the sink's monitor has a clock. The server's socket and pid live in
# the runtime folder.
start_sound_server() {
    export PULSE_RUNTIME_PATH=$XDG_RUNTIME_DIR/pulse
    pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load="module-null-sink sink_name=null" \
        --load=module-native-protocol-unix >/dev/null 2>&1
    wait_until 10 "the sound server did not answer" pactl info >/dev/null 2>&1
    pactl set-default-sink null
    pacat -d null --raw --format=s16le --rate=22050 --channels=1 </dev/zero &
    silent_stream=$!
    desktop_pids+=($silent_stream)
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
