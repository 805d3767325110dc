#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The running window as the Wayland compositor shows it. Meant to run inside in_weston.sh with
# weston's debug protocols on (WESTON_EXTRA_ARGS=--debug), which lets weston-screenshooter take
# the whole screen.
#
#   e2e_wayland.sh RUN_WINDOW OUTDIR
#
# Starts RUN_WINDOW (the window, set running by its own click), takes a screenshot of the
# compositor's output while the motion runs, and checks it: the blue orbit is there and just
# two green lines cross the picture, each erased line gone from the screen too. The
# screenshot is left in OUTDIR.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 RUN_WINDOW OUTDIR" >&2; exit 2; }
run_window=$1
out=$2
for tool in weston-screenshooter convert; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is missing (Debian: weston, imagemagick)" >&2
        exit 1
    fi
done
rm -rf "$out"
mkdir -p "$out"

app_pid=""
cleanup() {
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

"$run_window" 4000 >"$out/window.log" 2>&1 &
app_pid=$!
for _ in $(seq 100); do
    grep -q '^running$' "$out/window.log" && break
    kill -0 "$app_pid" 2>/dev/null || {
        echo "FAIL: the window ended before it ran: $(cat "$out/window.log")"
        exit 1
    }
    sleep 0.1
done
grep -q '^running$' "$out/window.log" || {
    echo "FAIL: the window did not start running within 10 s"
    exit 1
}
sleep 1

(cd "$out" && weston-screenshooter >screenshooter.log 2>&1) || true
shot=$(ls "$out"/wayland-screenshot-*.png 2>/dev/null | head -n 1 || true)
if [ -z "$shot" ]; then
    echo "FAIL: weston-screenshooter took no screenshot: $(cat "$out/screenshooter.log")"
    exit 1
fi
mv "$shot" "$out/running.png"
wait "$app_pid" || {
    echo "FAIL: the window ended with an error: $(cat "$out/window.log")"
    exit 1
}
app_pid=""

# Pixels of exactly colour $1 (#RRGGBB) anywhere on the screen: the desktop around the window
# has none of the picture's pure colours.
count_colour() {
    convert "$out/running.png" -format %c histogram:info:- |
        awk -v c="$1" 'index($0, c) { n += $1 } END { print n + 0 }'
}
blue=$(count_colour '#0000FF')
green=$(count_colour '#00FF00')
# The two lines cross the whole picture, 567 x 500 pixels, and share one pixel.
two_lines=$((500 + 567 - 1))
failures=0
# The orbit of radius 1 has some 700 outline pixels, less where the lines cross it.
if [ "$blue" -gt 500 ]; then
    echo "ok: the blue orbit is on the screen ($blue px)"
else
    echo "FAIL: $blue blue pixels on the screen"
    failures=$((failures + 1))
fi
if [ "$green" -eq "$two_lines" ]; then
    echo "ok: two green lines on the screen ($green px)"
else
    echo "FAIL: $green green pixels on the screen; two lines across the picture make $two_lines"
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] || exit 1
echo "screenshot: $out/running.png"
