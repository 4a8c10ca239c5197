#!/usr/bin/env bash
# The Release program's idle CPU and resident memory: starts it under Xvfb
# from a copy of its program folder (receiving, display duration 20 s), lets
# it settle, reads VmRSS, counts its CPU (utime + stime, /proc/PID/stat) over
# IDLE seconds, then plays the bundled scenarios into it one after another
# with the feed simulator and reads VmRSS and VmHWM once the last event ended.
# Usage: bench/idle_and_memory.sh [BUILD_DIR]   (IDLE=20 SETTLE=5 SPEED=1)
set -euo pipefail

BUILD=${1:-build-release}
IDLE=${IDLE:-20}
SETTLE=${SETTLE:-5}
SPEED=${SPEED:-1}
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)

# shellcheck source=bench/program_under_xvfb.sh
source "$(dirname "$0")/program_under_xvfb.sh"
require_built eewclient eew-feed-sim

status_kb() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/status"; }

port=$(free_port)
start_program "$port" 20
pid=$PROGRAM_PID
sleep "$SETTLE"
echo "# $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "resident after start:     $(status_kb "$pid" VmRSS) kB"

c0=$(cpu_ticks "$pid")
t0=$(date +%s.%N)
sleep "$IDLE"
c1=$(cpu_ticks "$pid")
t1=$(date +%s.%N)
awk -v c="$((c1 - c0))" -v k="$TICK" -v a="$t0" -v b="$t1" 'BEGIN {
    printf "idle CPU:                 %.2f %% of a core (%d ticks in %.1f s)\n", 100 * c / k / (b - a), c, b - a }'

for scenario in "$SOURCE_DIR"/tools/scenarios/*.scenario; do
    "$BUILD/eew-feed-sim" --port "$port" --speed "$SPEED" "$scenario" >/dev/null
    sleep 6
done
# The last event ends 20 s (the display duration) after its last report.
sleep 25
kill -0 "$pid" 2>/dev/null || { echo "the program exited" >&2; exit 1; }
logged=$(find "$WORK/program/log" -maxdepth 1 -type f | wc -l)
echo "resident after scenarios: $(status_kb "$pid" VmRSS) kB (peak $(status_kb "$pid" VmHWM) kB), $logged quakes logged"
