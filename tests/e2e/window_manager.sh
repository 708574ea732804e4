#!/usr/bin/env bash
# The palette and the About window under a real window manager, as a user
# drives them: the window manager's Close on the palette, About bringing a
# minimised About window back, the About window's own close box, and the
# signals a desktop or a terminal sends.
#   window_manager.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/desktop.sh"
start_x_server
start_window_manager
set -m  # background jobs keep SIGINT, as a terminal's foreground program has it

start_program() {
    ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0 "$program" 2>>"$work/stderr" &
    app=$!
    desktop_pids+=($app)
    palette=$(window_named "$palette_title")
}

about_button() { xdotool mousemove --window "$palette" 40 36 click 1; }

# Waits for the program to end and checks its exit code.
ended_with() {  # code what
    wait_until 20 "$2 did not end the program" bash -c "! kill -0 $app"
    local status=0
    wait "$app" || status=$?
    [ "$status" -eq "$1" ] || fail "exit code $status after $2; stderr: $(cat "$work/stderr")"
}

viewable() { xwininfo -id "$1" | grep -q "IsViewable"; }
active_is() { [ "$(xdotool getactivewindow)" = "$1" ]; }

start_program

# The window manager's Close (Alt+F4, or its request from a pager) leaves the
# palette with no close box where it is. The About window opening afterwards
# shows that the program has handled both requests by then.
xdotool windowactivate --sync "$palette"
xdotool key alt+F4
wmctrl -ic "$palette"
about_button
about=$(window_named "$about_title")
viewable "$palette" || fail "the window manager's Close took the palette away"
kill -0 "$app" || fail "the window manager's Close ended the program"
echo "Alt+F4 and Close on the palette: it stays"

# About brings a minimised About window back, in front and with the focus.
xdotool windowminimize --sync "$about"
wait_until 5 "the About window did not minimise" bash -c "! xwininfo -id $about | grep -q IsViewable"
about_button
wait_until 5 "About left the minimised About window minimised" viewable "$about"
wait_until 5 "About did not give the About window the focus" active_is "$about"
echo "About after minimising the About window: it is back and active"

# Its close box closes it; the next About makes a new one.
wmctrl -ic "$about"
wait_until 5 "the About window's close box did not close it" bash -c "! xwininfo -id $about >/dev/null 2>&1"
echo "the About window's close box closes it"

# The signals of a logout, of kill and of Ctrl+C end the program as Quit does.
kill -HUP "$app"
ended_with 0 SIGHUP
for signal in TERM INT; do
    start_program
    kill "-$signal" "$app"
    ended_with 0 "SIG$signal"
done
echo "SIGHUP, SIGTERM and SIGINT: exit code 0"

# A SIGINT inherited as ignored, away from a terminal, stays ignored.
(trap '' INT; ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0 exec "$program" 2>>"$work/stderr" </dev/null) &
app=$!
desktop_pids+=($app)
palette=$(window_named "$palette_title")
kill -INT "$app"
about_button
window_named "$about_title" >/dev/null
sleep 0.3
kill -0 "$app" || fail "an ignored SIGINT ended the program"
kill -TERM "$app"
ended_with 0 "SIGTERM after an ignored SIGINT"
echo "an inherited ignored SIGINT stays ignored"
echo "1 passed, 0 failed"
