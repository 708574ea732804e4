#!/usr/bin/env bash
# Builds the benchmarks with the release settings and runs them: start-up
# under a private Xvfb, speech in-process, and reading aloud as a user meets
# it beside the shell pipeline. Figures go to standard output.
#   bench/run.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
# A build folder of their own, so that tools/start's build/release is left as it is.
build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLV_TESTS=OFF -DLV_BENCH=ON >/dev/null
cmake --build "$build" --target lirra-veriz bare_palette bench_startup bench_speech >/dev/null
program=$build/stage/bin/lirra-veriz
bin=$build/bench/bin

work=$(mktemp -d)
display=:$((100 + RANDOM % 800))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

echo "== start-up"
DISPLAY=$display QT_QPA_PLATFORM=xcb "$bin/bench_startup" "$program" "$bin/bare_palette" "$runs"
echo
echo "== speech"
"$bin/bench_speech" "$runs"
echo
echo "== read aloud, beside the shell pipeline"
LV_BENCH_BUILD=$build bench/read_aloud_bench.sh "$runs"
