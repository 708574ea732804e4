#!/usr/bin/env bash
# The X server goes away under the program, as when it crashes or an ssh -X
# link drops: while the program is idle, while it speaks, while About is
# shown, and while Read waits for a clipboard owner that never answers. Each
# time the program ends with exit code 1 and one line on stderr, never with a
# signal or a sanitizer's report, and leaves the sound server as it was.
#   display_lost.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

# The clipboard's owner is written with the system's Python X library.
system_python=/usr/bin/python3

long_text=$(for _ in $(seq 60); do printf "This sentence is read aloud while the display goes away. "; done)

# One case on a desktop of its own: an X server, a sound server with a null
# sink and the program; then the case's own steps, which end the X server.
run_case() (  # name steps-function
    set -e  # also where the caller counts failures
    source "$here/desktop.sh"
    # The sound server ends after its clients and before the desktop's
    # folder goes: it takes its own files out of that folder as it ends.
    sound_clients=()
    stop_case() {
        local status=$?
        for pid in "${desktop_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
        wait "${sound_clients[@]}" 2>/dev/null || true
        pulseaudio --kill 2>/dev/null || true
        for _ in $(seq 100); do pulseaudio --check 2>/dev/null || break; sleep 0.05; done
        if ((status != 0)) && [ -s "$work/stderr" ]; then
            echo "stderr of the program:" >&2
            cat "$work/stderr" >&2
        fi
        stop_desktop
    }
    trap stop_case EXIT
    start_x_server
    x_server=${desktop_pids[-1]}
    disown "$x_server"  # its end is the case's doing, and no news
    start_sound_server
    sound_clients+=($silent_stream)

    ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0 "$program" 2>"$work/stderr" &
    app=$!
    desktop_pids+=($app)
    wait_until 30 "the palette did not appear ($1)" visible_window "$palette_title"
    palette=$window

    "$2"

    wait_until 20 "the program went on without its display ($1)" bash -c "! kill -0 $app 2>/dev/null"
    local status=0
    wait "$app" || status=$?
    ((status < 128)) || fail "ended by signal $((status - 128)) ($1)"
    [ "$status" -eq 1 ] || fail "exit code $status ($1)"
    local expected="framework: the connection to the display $DISPLAY was lost"
    [ "$(cat "$work/stderr")" = "$expected" ] && [ "$(wc -l <"$work/stderr")" -eq 1 ] ||
        fail "stderr was not the one line \"$expected\" ($1)"
    # Nothing of the program's is left on the sound server: the silent
    # stream is the only one there.
    wait_until 5 "the program's stream stayed on the sound server ($1)" \
        bash -c '[ "$(pactl list short sink-inputs | wc -l)" -eq 1 ]'
    echo "display lost while $1: exit code 1, one line on stderr"
)

# Sets window to the visible window of that title, when there is one. The
# program starts slowly on a machine busy with other tests.
visible_window() {  # title
    window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}

# As a crash ends it. It leaves its lock and socket behind, which the next X
# server on that display takes over.
kill_x_server() {
    kill -KILL "$x_server"
}

while_idle() {
    sleep 0.3
    kill_x_server
}

# Killed once the speech has been heard on the sink's monitor for a moment.
while_speaking() {
    local recording=$work/speech.raw
    parec -d null.monitor --latency-msec=20 --raw --format=s16le --rate=22050 --channels=1 >"$recording" &
    desktop_pids+=($!)
    sound_clients+=($!)
    wait_until 10 "the recorder did not start" test -s "$recording"
    printf "%s" "$long_text" | xclip -selection clipboard -i 2>/dev/null
    xdotool mousemove --window "$palette" 40 12 click 1
    heard() { python3 "$here/loudness.py" "$recording" | awk '{ exit ($1 >= 0 && $2 - $1 >= 0.5) ? 0 : 1 }'; }
    wait_until 20 "the long text was not heard" heard
    kill_x_server
}

while_about_is_shown() {
    xdotool mousemove --window "$palette" 40 36 click 1
    wait_until 30 "the About window did not appear" visible_window "$about_title"
    kill_x_server
}

# The owner kills the X server itself, the moment Read asks it for the text.
while_the_clipboard_is_awaited() {
    "$system_python" "$here/silent_clipboard_owner.py" "$x_server" >"$work/owner" 2>&1 &
    desktop_pids+=($!)
    wait_until 10 "the clipboard's owner did not start" grep -q owning "$work/owner"
    # The X server may be gone before xdotool has seen its click through.
    xdotool mousemove --window "$palette" 40 12 click 1 2>/dev/null || true
    wait_until 10 "Read did not ask the clipboard's owner" grep -q asked "$work/owner"
}

# Runs a case and counts it; a failing case does not stop the others.
passed=0
failed=0
count_case() {  # name steps-function
    set +e
    run_case "$@"
    local status=$?
    set -e
    if ((status == 0)); then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}

count_case idle while_idle
count_case speaking while_speaking
count_case "About is shown" while_about_is_shown
count_case "Read waits for the clipboard" while_the_clipboard_is_awaited
echo "$passed passed, $failed failed"
((failed == 0))
