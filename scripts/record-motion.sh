#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Records the motion of the real program as a short animated GIF for the README.
#
#   record-motion.sh PROGRAM OUT.gif [SECONDS]
#
# Starts a private Xvfb, starts PROGRAM in it, presses "Run Simulation" with the start-up
# values (omega 2, R 1: one turn in pi seconds), grabs the drawing area and the readouts about
# ten times a second, and joins the frames into a looping GIF whose delays follow the times at
# which the frames were grabbed. Needs Xvfb, xdotool and ImageMagick.
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 PROGRAM OUT.gif [SECONDS]" >&2; exit 2; }
program=$1
out=$2
seconds=${3:-3.2}

work=$(mktemp -d "${TMPDIR:-/tmp}/tarrowen-record.XXXXXX")
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

. "$(dirname "$0")/lib/private_xvfb.sh"
start_private_xvfb "$work" 800x600

QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work "$program" >"$work/program.log" 2>&1 &
app_pid=$!
win=""
for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --name '^Tarrowen$' 2>/dev/null | head -n 1 || true)
    [ -n "$win" ] && break
    sleep 0.1
done
if [ -z "$win" ]; then
    echo "no window named Tarrowen: $(cat "$work/program.log")" >&2
    exit 1
fi
sleep 0.3

# "Run Simulation" sits at 9600, 120 twips, 1200 x 375: its centre in pixels.
xdotool mousemove --window "$win" 680 20 click 1
sleep 0.2

# The drawing area (567 x 500 at 8, 16) and the panel beside it, at the picture's height.
geometry=731x500+8+16
start=$(date +%s.%N)
n=0
while awk -v s="$start" -v now="$(date +%s.%N)" -v d="$seconds" 'BEGIN { exit !(now - s < d) }'; do
    frame=$(printf '%s/frame%03d' "$work" "$n")
    # The raw X dump is the quickest to write; cropping and colour reduction come afterwards.
    import -silent -window "$win" "xwd:$frame.xwd"
    date +%s.%N >"$frame.time"
    n=$((n + 1))
    sleep 0.02
done

# Each frame is shown for the time until the next one was grabbed (in 1/100 s).
args=()
for ((i = 0; i < n; i++)); do
    this=$(cat "$(printf '%s/frame%03d.time' "$work" "$i")")
    if ((i + 1 < n)); then
        next=$(cat "$(printf '%s/frame%03d.time' "$work" $((i + 1)))")
    else
        next=$(awk -v t="$this" 'BEGIN { printf "%.3f", t + 0.1 }')
    fi
    delay=$(awk -v a="$this" -v b="$next" 'BEGIN { d = int((b - a) * 100 + 0.5); print (d < 2 ? 2 : d) }')
    args+=(-delay "$delay" "$(printf '%s/frame%03d.xwd' "$work" "$i")")
done
convert "${args[@]}" -crop "$geometry" +repage -loop 0 +dither -colors 32 -layers OptimizeTransparency \
    "$out"
echo "$n frames over $seconds s: $out ($(stat -c %s "$out") bytes)"
