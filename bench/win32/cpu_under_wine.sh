#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program under wine, measured: CPU while its motion runs and while paused, against
# a bare 1 ms timer in an empty window (bare_timer.exe) and a plain program that shows the same
# changing readouts and lines (plain_same_work.exe), all in one private Xvfb and one wine prefix
# of their own, one after the other; ticks per second; the program once more full screen (F11)
# on the 1920x1200 screen; and the time from starting the program to its window shown, with
# wine's server stopped before (cold) and running (warm).
#
#   cpu_under_wine.sh BUILD_DIR [LABEL=]PROGRAM.exe...
#
# BUILD_DIR (e.g. build/win32, after cmake --build --preset win32) gives the bare timer and the
# plain program, and the program measured when none is named; name several (an older build's
# too) to compare them within one run. A program whose window does not go full screen is said
# so in that row.
#
# CPU is that of every process of the prefix (wineserver, the program and wine's helpers),
# user + system from /proc, over MEASURE seconds (default 6), in per cent of one core. Figures
# are reported, never checked: the machine may be shared, so repeat a run and compare ratios
# within one run.
set -euo pipefail
build=$(cd "$1" && pwd)
shift
programs=("$@")
[ ${#programs[@]} -gt 0 ] || programs=("tarrowen=$build/win32/tarrowen.exe")
root=$(cd "$(dirname "$0")/../.." && pwd)
measure=${MEASURE:-6}
for tool in Xvfb xdotool wine; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (Debian: xvfb, xdotool, wine)" >&2; exit 1; }
done

export WINEPREFIX=$build/wine-bench
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d /tmp/tarrowen-wine-cpu.XXXXXX)
xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
. "$root/scripts/lib/private_xvfb.sh"
start_private_xvfb "$work"
# Makes the prefix (the first time) at 96 dpi.
TARROWEN_WINE_DPI=96 bash "$root/cmake/run-under-wine.sh" "$WINEPREFIX" \
    "$build/bench/win32/bare_timer.exe" 0.1 2>/dev/null

. "$root/scripts/lib/process_cpu.sh"
# "pid cpu-seconds" of every process of the prefix.
prefix_cpu() {
    local hz pid
    hz=$(getconf CLK_TCK)
    for pid in $(ls /proc | grep '^[0-9]\+$'); do
        { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" ||
            continue
        awk -v p="$pid" -v hz="$hz" '{ sub(/^.*\) /, ""); printf "%s %.3f\n", p, ($12 + $13) / hz }' \
            "/proc/$pid/stat" 2>/dev/null || true
    done
}
# CPU of the prefix's processes in per cent of one core over $1 seconds from now.
prefix_cpu_percent() {
    local t0 t1
    prefix_cpu >"$work/cpu0"
    t0=$(now)
    sleep "$1"
    prefix_cpu >"$work/cpu1"
    t1=$(now)
    awk -v s="$t0" -v e="$t1" 'NR == FNR { a[$1] = $2; next } { d += $2 - a[$1] }
        END { printf "%.1f", 100 * d / (e - s) }' "$work/cpu0" "$work/cpu1"
}
# Clicks at client pixel ($1, $2) of the program's window, then rests the pointer on the
# picture: while it rests on a button, wine's button asks the X server where the pointer is
# a hundred times a second (its hover tracking), which Windows does not, and which would be
# counted here as the program's.
click() {
    xdotool mousemove --window "$win" "$1" "$2" click 1 mousemove --window "$win" 200 200
    sleep 0.3
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-16s %9s %9s %9s\n' program "running%" "paused%" "ticks/s"
declare -A cpu
for program in bare_timer plain_same_work; do
    wine "$build/bench/win32/$program.exe" $((measure + 3)) 2>"$work/$program.log" &
    pid=$!
    window_named "^${program//_/ }\$" >/dev/null
    sleep 1
    cpu[$program]=$(prefix_cpu_percent "$measure")
    wait "$pid" || true
    printf '%-16s %9s %9s %9s\n' "$program" "${cpu[$program]}" - "$(rate_from "$work/$program.log")"
done

# Full screen: the layout scaled by min(1920 / 739, 1200 / 560) and centred, so the buttons are
# clicked where that puts them.
full_click() {
    read -r x y <<<"$(awk -v x="$1" -v y="$2" 'BEGIN { k = 1200 / 560; if (1920 / 739 < k) k = 1920 / 739
        printf "%d %d\n", (1920 - 739 * k) / 2 + x * k, (1200 - 560 * k) / 2 + y * k }')"
    xdotool mousemove "$x" "$y" click 1 mousemove 200 200
    sleep 0.3
}
for arg in "${programs[@]}"; do
    label=${arg%%=*}
    exe=${arg#*=}
    [ "$label" = "$arg" ] && label=$(basename "$exe" .exe)
    TARROWEN_TICK_STATS=1 wine "$exe" 2>"$work/tarrowen.log" &
    pid=$!
    win=$(window_named '^Tarrowen$')
    sleep 1
    click 680 20 # Run Simulation
    sleep 1
    running=$(prefix_cpu_percent "$measure")
    click 640 504 # pause simulation
    sleep 0.5
    paused=$(prefix_cpu_percent 3)
    click 708 504 # Quit
    wait "$pid" || true
    printf '%-16s %9s %9s %9s\n' "$label" "$running" "$paused" "$(rate_from "$work/tarrowen.log")"
    awk -v l="$label" -v r="$running" -v b="${cpu[bare_timer]}" -v p="${cpu[plain_same_work]}" 'BEGIN {
        printf "%s / bare_timer: %.2f   %s / plain_same_work: %.2f\n", l, r / b, l, r / p }'

    TARROWEN_TICK_STATS=1 wine "$exe" 2>"$work/tarrowen.log" &
    pid=$!
    win=$(window_named '^Tarrowen$')
    sleep 1
    xdotool key --window "$win" F11
    sleep 1
    if [ "$(xdotool getwindowgeometry --shell "$win" | sed -n 's/^WIDTH=//p')" != 1920 ]; then
        click 708 504 # Quit
        wait "$pid" || true
        printf '%-16s %9s\n' "$label full" "(no full screen)"
        continue
    fi
    full_click 680 20 # Run Simulation
    sleep 1
    running=$(prefix_cpu_percent "$measure")
    full_click 708 504 # Quit
    wait "$pid" || true
    printf '%-16s %9s %9s %9s\n' "$label full" "$running" - "$(rate_from "$work/tarrowen.log")"
done

# Start to a shown window.
for start in cold warm; do
    if [ "$start" = cold ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w
    fi
    t0=$(now)
    wine "${programs[0]#*=}" 2>/dev/null &
    pid=$!
    win=$(window_named '^Tarrowen$')
    t1=$(now)
    awk -v s="$t0" -v e="$t1" -v w="$start" 'BEGIN { printf "start to a shown window (%s): %.2f s\n", w, e - s }'
    click 708 504
    wait "$pid" || true
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
