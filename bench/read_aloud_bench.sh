#!/usr/bin/env bash
# The utility as a user meets it, beside the shell pipeline
# `xclip -o -selection clipboard | espeak-ng` in the same run: the release
# program on a private Xvfb and a private PulseAudio null sink, Read and Stop
# clicked with xdotool, sound timed on the sink's monitor. Prints a table.
#   bench/read_aloud_bench.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${LV_BENCH_BUILD:-build/bench}  # the benchmarks' own release build
runs=${1:-10}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLV_TESTS=OFF -DLV_BENCH=ON >/dev/null
cmake --build "$build" --target lirra-veriz bench_window_probe >/dev/null
program=$build/stage/bin/lirra-veriz
probe=$build/bench/bin/bench_window_probe

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime HOME=$work
mkdir -m 700 "$XDG_RUNTIME_DIR"
xvfb=""
cleanup() {
    pulseaudio --kill 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    # What the programs started on this desktop and left running (the
    # session and accessibility buses the toolkit launches, for one) carries
    # this run's own runtime folder in its environment.
    local pid
    for pid in $(grep -lzx "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" /proc/[0-9]*/environ 2>/dev/null | cut -d / -f 3); do
        [ "$pid" != $$ ] && [ "$pid" != "$BASHPID" ] && kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number once it takes connections.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$work/display")
pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load="module-null-sink sink_name=null" \
    --load=module-native-protocol-unix --load=module-suspend-on-idle >/dev/null 2>&1
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink null

echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1)," \
    "load $(cut -d ' ' -f 1-3 /proc/loadavg), $(git rev-parse --short HEAD)"
python3 bench/read_aloud/measure.py "$program" "$probe" "$runs"
