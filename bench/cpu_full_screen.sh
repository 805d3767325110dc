#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process CPU of the desktop program while its motion runs, at its start-up size and full
# screen on a 1920x1080 screen, in one run on one private Xvfb; the tick rate of each (reported
# by the program at exit with TARROWEN_TICK_STATS set).
#
#   cpu_full_screen.sh PROGRAM [MEASURE_SECONDS]
#
# Driven from the keyboard, as a teacher at a projector would: Tab and Space press "Run
# Simulation", F11 asks for full screen. Xvfb has no window manager to honour F11, so the window
# is then also sized to the screen (what a window manager does for it). Figures are reported,
# never checked.
set -euo pipefail
program=$1
measure=${2:-6}
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (Debian: xvfb, xdotool)" >&2; exit 1; }
done
work=$(mktemp -d /tmp/tarrowen-cpu.XXXXXX)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
. "$(dirname "$0")/../scripts/lib/private_xvfb.sh"
start_private_xvfb "$work" 1920x1080
mkdir -m 700 "$work/runtime"

now() { date +%s.%N; }
cpu_seconds() {
    awk -v hz="$(getconf CLK_TCK)" '{ sub(/^.*\) /, ""); printf "%.3f", ($12 + $13) / hz }' \
        "/proc/$1/stat"
}
cpu_percent() {
    local c0 t0 c1 t1
    c0=$(cpu_seconds "$1")
    t0=$(now)
    sleep "$2"
    c1=$(cpu_seconds "$1")
    t1=$(now)
    awk -v a="$c0" -v b="$c1" -v s="$t0" -v e="$t1" 'BEGIN { printf "%.1f", 100 * (b - a) / (e - s) }'
}

printf '%-12s %9s %8s\n' size "running%" "ticks/s"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for size in start full-screen; do
    env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" TARROWEN_TICK_STATS=1 "$program" \
        2>"$work/program.log" &
    app_pid=$!
    win=$(xdotool search --sync --onlyvisible --name '^Tarrowen$' | head -n 1)
    sleep 0.5
    if [ "$size" = full-screen ]; then
        xdotool key --window "$win" F11
        xdotool windowmove "$win" 0 0 windowsize "$win" 1920 1080
        sleep 0.5
    fi
    xdotool key --window "$win" Tab space  # from the picture to "Run Simulation"
    sleep 1
    running=$(cpu_percent "$app_pid" "$measure")
    # From "Run Simulation" six Tabs reach "Quit ".
    xdotool key --window "$win" Tab Tab Tab Tab Tab Tab space
    wait "$app_pid" || true
    app_pid=""
    printf '%-12s %9s %8s\n' "$size" "$running" \
        "$(sed -n 's/.*(\([0-9.]*\) per second).*/\1/p' "$work/program.log" | tail -n 1)"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
