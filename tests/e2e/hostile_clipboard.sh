#!/usr/bin/env bash
# The real program against clipboard owners that trickle, stall or speak an
# older encoding slowly: while Read waits for them the palette repaints, and
# its Quit button and a termination signal still end the program at once.
# Then displays that name no X server.
#   hostile_clipboard.sh PROGRAM FAKE_CLIPBOARD_OWNER
set -euo pipefail
program=$1
owner_program=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/desktop.sh"
start_x_server
# No sound server: the speech engine says once that it has none.
export PULSE_SERVER=unix:$work/no-sound-server

start_owner() {  # manner bytes piece pause_ms
    coproc OWNER { exec "$owner_program" "$@"; }
    desktop_pids+=($OWNER_PID)
    local said=""
    read -r -t 10 said <&"${OWNER[0]}" || true
    [ "$said" = ready ] || fail "the clipboard owner did not start"
}
stop_owner() { kill "$OWNER_PID"; wait "$OWNER_PID" 2>/dev/null || true; }

start_program() {
    : >"$work/stderr"
    ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0 "$program" 2>"$work/stderr" &
    app=$!
    desktop_pids+=($app)
    palette=$(window_named "$palette_title")
    wait_until 10 "the palette never became viewable" bash -c "xwininfo -id $palette | grep -q IsViewable"
}
read_button() { xdotool mousemove --window "$palette" 40 12 click 1; }
quit_button() { xdotool mousemove --window "$palette" 120 36 click 1; }
snapshot() { xwd -silent -id "$palette" >"$work/snapshot.xwd"; }
painted() { snapshot && python3 "$here/palette_painted.py" "$work/snapshot.xwd"; }


# Waits for the program to end, and checks how soon and with what code.
ended_within() {  # seconds code what
    local start=$EPOCHREALTIME
    wait_until 30 "$3 did not end the program" bash -c "! kill -0 $app 2>/dev/null"
    local took status=0
    took=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }')
    wait "$app" || status=$?
    echo "$3 while Read waited: the program ended ${took}s later"
    [ "$status" -eq "$2" ] || fail "exit code $status after $3; stderr: $(cat "$work/stderr")"
    awk -v t="$took" -v s="$1" 'BEGIN { exit (t <= s) ? 0 : 1 }' || fail "$3 took ${took}s to end the program"
}

# One hostile owner: Read waits for it; meanwhile the palette, taken off
# the screen and put back, paints itself again; then the user ends it.
while_read_waits() {  # manner bytes piece pause_ms how-to-end
    start_owner "$1" "$2" "$3" "$4"
    start_program
    wait_until 10 "the palette did not paint itself" painted
    read_button
    sleep 0.5
    kill -0 "$app" || fail "Read against a $1 owner ended the program"
    # Off the screen, the palette's pixels are lost; back on it, only the
    # program can draw them again.
    xdotool windowunmap --sync "$palette"
    xdotool windowmap --sync "$palette"
    sleep 0.3
    painted || fail "the palette did not repaint while Read waited for a $1 owner"
    case $5 in
        quit) quit_button ;;
        signal) kill -TERM "$app" ;;
    esac
    # The bound is generous: it catches a read that holds the program, not a slow machine.
    ended_within 1.5 0 "$5 against a $1 owner"
    grep -qx "framework: reading the clipboard was given up: .*" "$work/stderr" ||
        [ "$1" = silent-after-refusal ] || fail "no word on stderr of the read given up: $(cat "$work/stderr")"
    stop_owner
}

# 5 MB in 4 KB pieces, one every 0.3 s: six minutes if nothing bounds it.
while_read_waits utf8 5000000 4096 300 quit
while_read_waits utf8 5000000 4096 300 signal
# Refuses UTF-8, then never answers; or sends Latin-1 slowly.
while_read_waits silent-after-refusal 100 100 0 quit
while_read_waits latin1 5000000 4096 300 quit

# Displays that name no X server: one line naming the display, exit code 1.
for display in :77 nohost:0 "$DISPLAY.5"; do
    status=0
    said=$(DISPLAY=$display QT_QPA_PLATFORM= WAYLAND_DISPLAY= "$program" 2>&1 >/dev/null) || status=$?
    [ "$status" -eq 1 ] || fail "DISPLAY=$display: exit code $status, said: $said"
    [ "$said" = "framework: cannot open the X display \"$display\"" ] || fail "DISPLAY=$display said: $said"
done
echo "displays that name no X server: exit code 1 and one line naming the display"
