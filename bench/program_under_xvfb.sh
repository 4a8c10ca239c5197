# Shared by the bench scripts (sourced, not run): a work folder and the
# processes in PIDS, both removed on exit; a free UDP port, CPU and socket
# figures from /proc, and the Release program started under Xvfb from a
# temporary copy of its program folder. The caller sets BUILD first.

TICK=$(getconf CLK_TCK)
WORK=$(mktemp -d /tmp/eew-bench.XXXXXX)
PIDS=()
cleanup() {
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

# require_built FILE...: each an executable in $BUILD, and the staged data/ beside them.
require_built() {
    for f in "$@"; do
        [[ -x $BUILD/$f ]] || { echo "missing $BUILD/$f: configure with -DEEW_BUILD_BENCH=ON" >&2; exit 2; }
    done
    [[ -d $BUILD/data ]] || { echo "missing $BUILD/data" >&2; exit 2; }
}

# A UDP port nobody holds (ports are hexadecimal in /proc/net/udp).
free_port() {
    local p
    for _ in $(seq 1 50); do
        p=$((20000 + RANDOM % 40000))
        local hex; hex=$(printf '%04X' "$p")
        if ! grep -q ":$hex " /proc/net/udp /proc/net/udp6; then echo "$p"; return; fi
    done
    echo "no free port found" >&2; exit 1
}

# CPU seconds used so far by PID, all threads, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# The 127.0.0.1:PORT socket's "rx_queue drops", or nothing while it is not bound.
udp_line() {
    local hex; hex=$(printf '0100007F:%04X' "$1")
    local line
    line=$(awk -v a="$hex" '$2 == a { split($5, q, ":"); print q[2], $NF; exit }' /proc/net/udp)
    if [[ -n $line ]]; then echo "$((16#${line% *})) ${line#* }"; fi
}

wait_bound() {
    for _ in $(seq 1 200); do
        [[ -n $(udp_line "$1") ]] && return 0
        kill -0 "$2" 2>/dev/null || { echo "the receiver exited" >&2; return 1; }
        sleep 0.1
    done
    echo "port $1 was never bound" >&2; return 1
}

# start_program PORT [DISPLAY_SECONDS]: starts Xvfb on a free display and the
# program from $WORK/program, a copy of its program folder whose tavi.config
# gets PORT (line 1), receiving at start-up (line 21) and, if given, the
# display duration (line 5). Sets PROGRAM_PID once the port is bound.
start_program() {
    local port=$1 display_seconds=${2:-} display=
    command -v Xvfb >/dev/null || { echo "Xvfb is needed (apt-get install xvfb)" >&2; exit 2; }
    for d in $(seq 90 120); do [[ -e /tmp/.X11-unix/X$d || -e /tmp/.X$d-lock ]] || { display=$d; break; }; done
    [[ -n $display ]] || { echo "no free X display" >&2; exit 1; }
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    PIDS+=($!)
    for _ in $(seq 1 50); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done

    mkdir -p "$WORK/program"
    cp "$BUILD/eewclient" "$WORK/program/"
    cp -r "$BUILD/data" "$WORK/program/data"
    local config="$WORK/program/data/tavi.config"
    awk -v p="$port" -v d="$display_seconds" 'BEGIN { RS = "\r\n"; ORS = "\r\n" }
        NR == 1 { print p; next } NR == 5 && d != "" { print d; next }
        NR == 21 { print 1; next } { print }' "$config" >"$config.new"
    mv "$config.new" "$config"
    DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$WORK/program/eewclient" >"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    PIDS+=("$PROGRAM_PID")
    wait_bound "$port" "$PROGRAM_PID"
}
