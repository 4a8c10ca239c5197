#!/usr/bin/env bash
# Builds the program and the benchmarks in Release and runs them all:
# Google Benchmark over the hot paths (eew-benchmarks), the datagram to
# pop-up latency against a bare Qt receive (eew-bench-latency), the bridge's
# telegram-to-datagram latency (eew-bench-bridge), one bridge through a broker
# to 50 headless displays (eew-bench-fanout), and the
# idle CPU and resident memory of the program (idle_and_memory.sh).
# Usage: bench/run_benchmarks.sh [BUILD_DIR (build-release)]
#   REPS=5       repetitions of each Google Benchmark (mean, median, spread reported)
#   SAMPLES=1000 latency samples per receiver
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build-release}
REPS=${REPS:-5}
SAMPLES=${SAMPLES:-1000}

scripts/setup
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DEEW_BUILD_TESTS=OFF \
    -DEEW_BUILD_BENCH=ON >/dev/null
cmake --build "$BUILD" -j2 --target eewclient eew-feed-sim stage_data eew-benchmarks \
    eew-bench-latency eew-bridge eew-bench-bridge eew-bench-new-event eew-bench-fanout

echo "# $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo), load $(cut -d' ' -f1-3 /proc/loadavg)"
# Google Benchmark runs offscreen; a private runtime folder keeps Qt quiet.
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 0700 "$XDG_RUNTIME_DIR"
"$BUILD/eew-benchmarks" --benchmark_repetitions="$REPS" \
    --benchmark_report_aggregates_only=true --benchmark_min_time=0.5
# The latency on an X display, as the program runs.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env QT_QPA_PLATFORM=xcb \
    "$BUILD/eew-bench-latency" "$SAMPLES"
# The first report of a quake to the chime and the painted pop-up, on an X display.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" env QT_QPA_PLATFORM=xcb \
    "$BUILD/eew-bench-new-event" 200
# A telegram line through the bridge to its datagram.
"$BUILD/eew-bench-bridge" "$BUILD/eew-bridge" "$SAMPLES"
# One bridge, a broker on loopback and 50 displays subscribed to it.
"$BUILD/eew-bench-fanout" "$BUILD/eew-bridge" "$(command -v mosquitto || echo /usr/sbin/mosquitto)" 1000 50
bench/idle_and_memory.sh "$BUILD"
