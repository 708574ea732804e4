#!/usr/bin/env bash
# End to end, as a user would: a real window under Xvfb, the real clipboard,
# real speech into a PulseAudio null sink whose monitor is recorded.
#   read_aloud.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export HOME=$work
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    pulseaudio --kill 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# The desktop: an X server and a sound server with a null sink.
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load="module-null-sink sink_name=null" \
    --load=module-native-protocol-unix >/dev/null 2>&1
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink null
# A silent stream keeps the sink running, so that its monitor has a clock.
pacat -d null --raw --format=s16le --rate=22050 --channels=1 </dev/zero &
pids+=($!)

# The utility.
ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0 "$program" 2>"$work/stderr" &
app=$!
pids+=($app)
title="Tarvenholt Lirra Veriz 5.0"
window=""
for _ in $(seq 100); do
    window=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "the palette did not appear"
sleep 0.5

click() {  # x y inside the palette
    xdotool mousemove --window "$window" "$1" "$2" click 1
}
read_button() { click 40 12; }
stop_button() { click 120 12; }
quit_button() { click 120 36; }

copy() { printf '%s' "$1" | xclip -selection clipboard -i; }

# Records the sink for the given seconds while running the given command.
record() {  # seconds file command...
    local seconds=$1 file=$2
    shift 2
    parec -d null.monitor --raw --format=s16le --rate=22050 --channels=1 >"$file" &
    local recorder=$!
    sleep 0.3
    "$@"
    sleep "$seconds"
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
}

# Seconds between the first and the last loud sample of a recording.
spoken_seconds() { python3 "$here/spoken_seconds.py" "$1"; }

short="The quick brown fox jumps over the lazy dog."
long="This is a long passage that goes on and on, so that there is plenty of speech to cut off in the middle. \
It keeps talking about nothing at all for quite a while, sentence after sentence, until somebody presses Stop."

copy "$short"
record 5 "$work/short.raw" read_button
short_seconds=$(spoken_seconds "$work/short.raw")
echo "Read of a short sentence: ${short_seconds}s of speech"
python3 -c "import sys; sys.exit(0 if 1.5 <= $short_seconds <= 5 else 1)" || fail "short sentence spoke ${short_seconds}s"

copy "$long"
record 2 "$work/stopped.raw" bash -c "$(declare -f click read_button stop_button); window=$window; read_button; sleep 1.5; stop_button"
stopped_seconds=$(spoken_seconds "$work/stopped.raw")
echo "Read then Stop after 1.5s: ${stopped_seconds}s of speech"
python3 -c "import sys; sys.exit(0 if 1.0 <= $stopped_seconds <= 1.9 else 1)" || fail "Stop left ${stopped_seconds}s of speech"

copy "$short"
record 5 "$work/twice.raw" bash -c "$(declare -f click read_button); window=$window; read_button; sleep 1; read_button"
twice_seconds=$(spoken_seconds "$work/twice.raw")
echo "Read, then Read again after 1s: ${twice_seconds}s of speech"
python3 -c "import sys; sys.exit(0 if $twice_seconds >= $short_seconds + 0.6 else 1)" ||
    fail "the second Read did not start the text again (${twice_seconds}s against ${short_seconds}s)"

xclip -selection clipboard -i /dev/null
record 2 "$work/empty.raw" read_button
empty_seconds=$(spoken_seconds "$work/empty.raw")
echo "Read with an empty clipboard: ${empty_seconds}s of speech"
[ "$empty_seconds" = "0.000" ] || fail "an empty clipboard was heard"

quit_button
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Quit did not end the program"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status after Quit"
[ -s "$work/stderr" ] && { echo "stderr of the program:" >&2; cat "$work/stderr" >&2; }
echo "1 passed, 0 failed"
