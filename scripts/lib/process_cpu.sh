# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced, not run: the clock, a process's CPU and a window's id, as the scripts that measure
# the program read them.
#
#   now                   seconds since the epoch, to the nanosecond
#   cpu_seconds PID       CPU seconds (user + system) that PID has used so far
#   cpu_percent PID S     CPU of PID in per cent of one core over the next S seconds
#   window_named REGEX    the id of the first shown window whose name matches (waits 10 s)
#   rate_from LOG         the ticks per second in the program's TARROWEN_TICK_STATS line

now() { date +%s.%N; }

cpu_seconds() {
    # The command name (field 2) is in parentheses and may hold blanks: count from its end.
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

window_named() {
    local w="" _
    for _ in $(seq 200); do
        w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$w" ] && break
        sleep 0.05
    done
    [ -n "$w" ] || { echo "no window named $1" >&2; return 1; }
    echo "$w"
}

rate_from() { sed -n 's/.*(\([0-9.]*\) per second).*/\1/p' "$1" | tail -n 1; }
