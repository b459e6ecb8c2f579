#!/bin/sh
# Share of a core the real program uses while its window sits idle.
#   bench/idle_cpu.sh BUILD_DIR DISPLAY [SECONDS]
# Needs an X display with a window manager (Xvfb and openbox) and xprobe
# built from the shared measuring tools beside this script or on PATH.
# Starts BUILD_DIR/saporia in a temporary program folder with an empty
# collection, waits for its window to answer, then reads the process's CPU
# ticks from /proc before and after SECONDS (default 10).
set -eu
build=$1
export DISPLAY=$2
seconds=${3:-10}
probe=$(command -v xprobe || echo "$(dirname "$0")/xprobe")
app=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$app"' EXIT
cp "$build/saporia" "$app/"
cp -r "$(dirname "$0")/../help" "$app/"
mkdir "$app/Cook"
pid=$("$probe" start "$app" "${USER:-saporia}-idle" 30 | awk '{print $4}')
sleep 3
before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
sleep "$seconds"
after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
hz=$(getconf CLK_TCK)
echo "idle: $((after - before)) ticks in ${seconds}s at ${hz}/s" \
     "= $(echo "scale=2; 100 * ($after - $before) / $hz / $seconds" | bc)% of a core"
