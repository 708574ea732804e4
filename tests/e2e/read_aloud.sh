#!/usr/bin/env bash
# End to end, as a user would: a real window under Xvfb, the real clipboard,
# real speech into a PulseAudio null sink whose monitor is recorded. Every
# wait is for something to happen, with a deadline that only bounds a fault.
#   read_aloud.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/desktop.sh"
# The desktop: an X server on a display that it picks itself, and a sound
# server with a null sink; the sound server goes with the desktop, after the
# streams it serves.
start_x_server
start_sound_server

# The utility.
ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0 "$program" 2>"$work/stderr" &
app=$!
desktop_pids+=($app)
title=$palette_title
window=""
find_window() { window=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1 || true); [ -n "$window" ]; }
wait_until 10 "the palette did not appear" find_window
viewable() { xwininfo -id "$window" 2>/dev/null | grep -q "IsViewable"; }
wait_until 10 "the palette never became viewable" viewable

click() {  # x y inside the palette
    xdotool mousemove --window "$window" "$1" "$2" click 1
}
read_button() { click 40 12; }
stop_button() { click 120 12; }
quit_button() { click 120 36; }

copy() { printf "%s" "$1" | xclip -selection clipboard -i 2>/dev/null; }

# The sink's monitor, recorded with a short latency, so that the file's
# length follows the sound as it is played.
recording=""
recorder=""
start_recording() {  # file
    recording=$1
    parec -d null.monitor --latency-msec=20 --raw --format=s16le --rate=22050 --channels=1 >"$recording" &
    recorder=$!
    desktop_pids+=($recorder)
    wait_until 10 "the recorder did not start" test -s "$recording"
}
stop_recording() {
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
}
# "first last length" of the recording, in seconds; -1 when nothing is loud.
loudness() { python3 "$here/loudness.py" "$recording"; }
heard_for() { loudness | awk -v s="$1" '{ exit ($1 >= 0 && $2 - $1 >= s) ? 0 : 1 }'; }  # speech went on that long
quiet_for() { loudness | awk -v s="$1" '{ exit ($1 >= 0 && $3 - $2 >= s) ? 0 : 1 }'; }  # then fell silent that long
recorded() { loudness | awk -v s="$1" '{ exit ($3 >= s) ? 0 : 1 }'; }                   # that much sound recorded
spoken() { loudness | awk '{ printf "%.3f", ($1 >= 0 ? $2 - $1 : 0) }'; }          # first to last loud sample
check() {  # message python-condition
    python3 -c "import sys; sys.exit(0 if $2 else 1)" || fail "$1"
}

short="The quick brown fox jumps over the lazy dog."
long="This is a long passage that goes on and on, so that there is plenty of speech to cut off in the middle. \
It keeps talking about nothing at all for quite a while, sentence after sentence, until somebody presses Stop."

copy "$short"
start_recording "$work/short.raw"
read_button
wait_until 20 "the short sentence was not heard to its end" quiet_for 1.0
stop_recording
short_seconds=$(spoken)
echo "Read of a short sentence: ${short_seconds}s of speech"
check "short sentence spoke ${short_seconds}s" "1.5 <= $short_seconds <= 5"

copy "$long"
start_recording "$work/stopped.raw"
read_button
wait_until 20 "the long text was not heard" heard_for 1.0
stop_button
stopped_at=$(loudness | awk '{ print $3 }')
wait_until 10 "Stop did not silence the speech" quiet_for 1.5
stop_recording
last_loud=$(loudness | awk '{ print $2 }')
echo "Read, Stop once 1s was heard: speech ended $(awk -v a="$last_loud" -v b="$stopped_at" 'BEGIN { printf "%.3f", a - b }')s after the click"
check "speech went on $last_loud s into the recording, Stop came at $stopped_at s" "$last_loud <= $stopped_at + 1.0"

copy "$short"
start_recording "$work/twice.raw"
read_button
wait_until 20 "the first Read was not heard" heard_for 0.5
read_button
wait_until 20 "the second Read was not heard to its end" quiet_for 1.0
stop_recording
twice_seconds=$(spoken)
echo "Read, then Read again once 0.5s was heard: ${twice_seconds}s of speech"
# Cut off and started again: longer than the sentence, shorter than the
# sentence twice over, which is what it would take if the second Read waited
# for the first to end.
check "the second Read did not start the text again (${twice_seconds}s against ${short_seconds}s)" \
    "$twice_seconds >= $short_seconds + 0.3"
check "the second Read did not cut the first off (${twice_seconds}s against ${short_seconds}s)" \
    "$twice_seconds <= 2 * $short_seconds - 0.4"

xclip -selection clipboard -i /dev/null 2>/dev/null
start_recording "$work/empty.raw"
read_button
wait_until 20 "the recorder stalled" recorded 2.0
stop_recording
empty_seconds=$(spoken)
echo "Read with an empty clipboard: ${empty_seconds}s of speech in 2s"
[ "$(loudness | awk '{ print $1 }')" = "-1.000" ] || fail "an empty clipboard was heard"

quit_button
gone() { ! kill -0 "$app" 2>/dev/null; }
wait_until 10 "Quit did not end the program" gone
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status after Quit"
[ -s "$work/stderr" ] && { echo "stderr of the program:" >&2; cat "$work/stderr" >&2; }
echo "1 passed, 0 failed"
