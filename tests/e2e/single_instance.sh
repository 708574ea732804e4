#!/usr/bin/env bash
# One program per display: a later start, alone or at the same moment as
# the first, leaves one palette and one process, and brings the running
# palette forward, in front of another application's window, with the
# focus, and back from minimised. A program killed outright leaves nothing
# that stops the next start.
#   single_instance.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/desktop.sh"
start_x_server
start_window_manager
export ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0

# Starts the program in the background; its pid in started.
start_program() {
    "$program" 2>>"$work/stderr" &
    started=$!
    desktop_pids+=($started)
}

# The program's processes on this desktop.
running() {
    local pid
    for pid in $(grep -lzx "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" /proc/[0-9]*/environ 2>/dev/null | cut -d / -f 3); do
        [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$(readlink -f "$program")" ] && echo "$pid"
    done
    return 0
}
palettes() { xdotool search --onlyvisible --name "^$palette_title\$" 2>/dev/null | wc -l; }

# Waits for the start to end, and checks that it ended with 0.
ended_with_0() {  # pid what
    wait_until 5 "$2 did not end within 5 s" bash -c "! kill -0 $1 2>/dev/null"
    local status=0
    wait "$1" || status=$?
    [ "$status" -eq 0 ] || fail "$2 ended with $status; stderr: $(cat "$work/stderr")"
}

# One palette and one process, the one that is given, and they stay so.
one_palette_of() {  # pid
    sleep 0.5
    [ "$(palettes)" -eq 1 ] || fail "$(palettes) palettes on the display"
    [ "$(running)" = "$1" ] || fail "processes $(running | tr '\n' ' ')instead of $1 alone"
}

active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
viewable() { xwininfo -id "$1" | grep -q "IsViewable"; }

start_program
first=$started
palette=$(window_named "$palette_title")
start_program
ended_with_0 "$started" "the second start"
one_palette_of "$first"
echo "a second start: exit code 0, one palette, one process"

# Another application's window in front, with the focus.
xmessage -title other "another application" 2>/dev/null &
desktop_pids+=($!)
other=$(window_named other)
xdotool windowactivate --sync "$other"
wait_until 5 "the other window did not get the focus" active_is "$other"
start_program
ended_with_0 "$started" "a start beside another application"
wait_until 5 "the palette did not get the focus back" active_is "$palette"
one_palette_of "$first"
echo "a start while another application has the focus: the palette is active again"

xdotool windowminimize --sync "$palette"
wait_until 5 "the palette did not minimise" bash -c "! xwininfo -id $palette | grep -q IsViewable"
start_program
ended_with_0 "$started" "a start while the palette is minimised"
wait_until 5 "the palette did not come back" viewable "$palette"
wait_until 5 "the palette came back without the focus" active_is "$palette"
one_palette_of "$first"
echo "a start while the palette is minimised: it is back and active"

# Killed outright, the program leaves nothing behind: the next start runs.
kill -KILL "$first"
wait "$first" 2>/dev/null || true
start_program
first=$started
window_named "$palette_title" >/dev/null
one_palette_of "$first"
echo "after the program was killed: the next start shows its palette"

# Two starts at the same moment: one of them runs.
kill -TERM "$first"
wait "$first" 2>/dev/null || true
start_program
one=$started
start_program
two=$started
window_named "$palette_title" >/dev/null
wait_until 5 "neither start ended" bash -c "! kill -0 $one 2>/dev/null || ! kill -0 $two 2>/dev/null"
if kill -0 "$one" 2>/dev/null; then survivor=$one quitter=$two; else survivor=$two quitter=$one; fi
ended_with_0 "$quitter" "one of two starts at once"
one_palette_of "$survivor"
echo "two starts at the same moment: one palette, one process"
echo "1 passed, 0 failed"
