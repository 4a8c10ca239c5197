#!/usr/bin/env bash
# Measures what one report costs the program against a bare Qt UDP receiver:
# CPU per report (utime+stime from /proc/PID/stat) and datagrams the kernel
# dropped (the drops column of /proc/net/udp), for the same loopback load.
# Usage: bench/run_bench.sh [BUILD_DIR] ; see bench/README.md for the settings.
set -euo pipefail

BUILD=${1:-build-release}
COUNT=${COUNT:-3000}         # reports per rate
RATES=${RATES:-"1000 2000"}  # reports per second
BIG=${BIG:-65000}            # bytes of the oversized datagram, 0 for none
BIG_FIELD=${BIG_FIELD:-region}
BIG_REPEAT=${BIG_REPEAT:-20} # oversized datagrams, 0.1 s apart, for their cost each
FOLLOW=${FOLLOW:-300}        # valid reports sent at 1000/s after the oversized one
ONLY=${ONLY:-"program bare"}

# shellcheck source=bench/program_under_xvfb.sh
source "$(dirname "$0")/program_under_xvfb.sh"
require_built eewclient eew-bench-sender eew-bench-receiver

# Waits until the socket's queue is empty and the process has used no CPU for
# half a second (at most 120 s), so that all work for the load is counted.
wait_quiet() {
    local port=$1 pid=$2 last now queue
    last=$(cpu_ticks "$pid")
    for _ in $(seq 1 240); do
        sleep 0.5
        now=$(cpu_ticks "$pid")
        queue=$(udp_line "$port" | awk '{print $1}')
        [[ $now == "$last" && $queue == 0 ]] && return 0
        last=$now
    done
    echo "warning: still busy after 120 s" >&2
}

# run_load NAME PORT PID LABEL N SENDER_ARGS... ; prints one line: the CPU
# used, per item of N that was not dropped, and the drops.
run_load() {
    local name=$1 port=$2 pid=$3 label=$4 n=$5; shift 5
    wait_quiet "$port" "$pid"
    local c0 d0 c1 d1
    c0=$(cpu_ticks "$pid"); d0=$(udp_line "$port" | awk '{print $2}')
    "$BUILD/eew-bench-sender" --port "$port" "$@" >/dev/null
    wait_quiet "$port" "$pid"
    c1=$(cpu_ticks "$pid"); d1=$(udp_line "$port" | awk '{print $2}')
    awk -v name="$name" -v label="$label" -v c="$((c1 - c0))" -v t="$TICK" -v n="$n" \
        -v d="$((d1 - d0))" 'BEGIN {
        ms = c * 1000 / t
        per = n > d ? sprintf("%9.1f us each", ms * 1000 / (n - d)) : ""
        printf "%-7s %-38s cpu %6.0f ms %-17s dropped %4d of %d\n", name, label, ms, per, d, n }'
}

measure() {
    local name=$1 port=$2 pid=$3 rate
    for rate in $RATES; do
        run_load "$name" "$port" "$pid" "$COUNT reports at $rate/s" "$COUNT" \
            --count "$COUNT" --rate "$rate"
    done
    if ((BIG > 0)); then
        run_load "$name" "$port" "$pid" "$BIG_REPEAT datagrams of $BIG bytes ($BIG_FIELD)" \
            "$BIG_REPEAT" --count 0 --big "$BIG" --big-field "$BIG_FIELD" \
            --big-count "$BIG_REPEAT" --big-pause 0.1
        run_load "$name" "$port" "$pid" "one of $BIG bytes, $FOLLOW at 1000/s" "$FOLLOW" \
            --count "$FOLLOW" --rate 1000 --big "$BIG" --big-field "$BIG_FIELD" --big-pause 0
    fi
}

echo "# $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo)"
echo "# $COUNT reports per rate, CPU from /proc/PID/stat ($TICK ticks/s), drops from /proc/net/udp"

if [[ " $ONLY " == *" program "* ]]; then
    port=$(free_port)
    start_program "$port"
    pid=$PROGRAM_PID
    sleep 1
    measure program "$port" "$pid"
fi

if [[ " $ONLY " == *" bare "* ]]; then
    port=$(free_port)
    "$BUILD/eew-bench-receiver" "$port" 600 >/dev/null &
    pid=$!
    PIDS+=("$pid")
    wait_bound "$port" "$pid"
    measure bare "$port" "$pid"
fi
