#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process CPU of the program while its motion runs, against a bare 1 ms timer in a shown
# window (bare_timer), at display scale 1 and 2 and full screen, and orbit radius 1 and 4, all
# on one private Xvfb server in one run, so that the ratios compare like with like.
#
#   cpu_vs_bare_timer.sh BARE_TIMER [LABEL=]PROGRAM...
#
# e.g. from the build tree of the release preset:
#   bash bench/cpu_vs_bare_timer.sh build/release/bench/bare_timer \
#       before=/tmp/old/build/release/qt/tarrowen after=build/release/qt/tarrowen
#
# SCALES (default "1 2") lists the display scales; "full" is scale 1 with the window full
# screen on the 1920x1080 screen (F11; Xvfb has no window manager to honour it, so the window
# is also sized to the screen, as a window manager would), the layout scaled up and centred in
# it. For each case the bare timer is measured first (sized alike), then each program: its
# radius typed into the "radius" box, "Run Simulation" clicked, CPU taken from /proc/PID/stat
# over MEASURE seconds (default 6) after a second's warm-up, then "pause simulation" and CPU
# over 3 s, then "Quit " with TARROWEN_TICK_STATS set, which reports the ticks delivered.
# Prints one table; the ratio is the program's CPU over the bare timer's of the same case.
# Figures are reported, never checked: the machine may be shared, so repeat a run and compare
# ratios within one run.
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 BARE_TIMER [LABEL=]PROGRAM..." >&2
    exit 2
fi
bare=$1
shift
measure=${MEASURE:-6}
scales=${SCALES:-"1 2"}
radii=${RADII:-"1 4"}

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

# One server for every program.
lib="$(dirname "$0")/../scripts/lib"
. "$lib/private_xvfb.sh"
. "$lib/process_cpu.sh"
start_private_xvfb "$work" 1920x1200
mkdir -m 700 "$work/runtime"

# The window $1 at the size of case $2: full screen, or as it opened.
size_window() {
    [ "$2" = full ] || return 0
    xdotool key --window "$1" F11
    xdotool windowmove "$1" 0 0 windowsize "$1" 1920 1080
    sleep 0.5
}
# Clicks the centre of a control given in pixels of the 739 x 560 layout, in the window as the
# case has it: at display scale s, or scaled by the largest factor that fits 1920 x 1080.
click() {
    read -r x y < <(awk -v s="$scale" -v x="$2" -v y="$3" 'BEGIN {
        if (s != "full") { print x * s, y * s; exit }
        k = 1920 / 739 < 1080 / 560 ? 1920 / 739 : 1080 / 560
        printf "%d %d\n", (1920 - 739 * k) / 2 + x * k, (1080 - 560 * k) / 2 + y * k }')
    xdotool mousemove --window "$win" "$x" "$y" click 1
    sleep 0.2
}

printf '%-6s %-4s %-10s %9s %9s %7s %9s %8s\n' scale R program "running%" "bare%" ratio \
    "paused%" "ticks/s"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for scale in $scales; do
    for r in $radii; do
        factor=${scale/full/1}
        env QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$factor" XDG_RUNTIME_DIR="$work/runtime" \
            "$bare" $((measure + 3)) 2>"$work/bare.log" &
        app_pid=$!
        win=$(window_named '^bare timer$')
        size_window "$win" "$scale"
        sleep 1
        bare_cpu=$(cpu_percent "$app_pid" "$measure")
        wait "$app_pid" || true
        app_pid=""
        printf '%-6s %-4s %-10s %9s %9s %7s %9s %8s\n' "$scale" "$r" bare-timer "$bare_cpu" \
            "$bare_cpu" 1.00 - "$(rate_from "$work/bare.log")"
        for arg in "$@"; do
            label=${arg%%=*}
            program=${arg#*=}
            [ "$label" = "$arg" ] && label=$(basename "$program")
            env QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$factor" XDG_RUNTIME_DIR="$work/runtime" \
                TARROWEN_TICK_STATS=1 "$program" 2>"$work/program.log" &
            app_pid=$!
            win=$(window_named '^Tarrowen$')
            sleep 0.5
            size_window "$win" "$scale"
            # The "radius" box (row 1 of the panel), then "Run Simulation".
            click radius 652 115
            xdotool key --window "$win" ctrl+a
            xdotool type --window "$win" "$r"
            click run 680 20
            sleep 1
            running=$(cpu_percent "$app_pid" "$measure")
            click pause 640 504
            sleep 0.3
            paused=$(cpu_percent "$app_pid" 3)
            click quit 708 504
            wait "$app_pid" || true
            app_pid=""
            printf '%-6s %-4s %-10s %9s %9s %7s %9s %8s\n' "$scale" "$r" "$label" "$running" \
                "$bare_cpu" "$(awk -v a="$running" -v b="$bare_cpu" 'BEGIN { printf "%.2f", a / b }')" \
                "$paused" "$(rate_from "$work/program.log")"
        done
    done
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
