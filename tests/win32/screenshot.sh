#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program under wine as a user sees it: screenshots of the whole screen of a private Xvfb
# (ImageMagick's import), checked pixel by pixel.
#   screenshot.sh PREFIX DPI DRIVER.exe PROGRAM.exe OUTDIR
#
# After Run, while the motion runs and once it is paused, the picture holds the blue orbit and
# exactly the two current green lines: every green pixel lies on a whole column or a whole row
# of the picture (a pen one logical pixel wide: 2 of each side by side at scale 2), and there
# are no others (an earlier line left behind would add pixels).
# Then, on the hand-set clock, the readouts written quietly (the box paints the text it keeps)
# look exactly as the same texts written for assistive technology (the edit paints its own).
# The screenshots stay in OUTDIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$1
dpi=$2
driver=$3
exe=$4
out=$5
scale=$((dpi / 96))
for tool in Xvfb wine import convert compare; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps.sh win32)"; exit 1; }
done
rm -rf "$out"
mkdir -p "$out"
failures=0
passes=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; passes=$((passes + 1)); }

xvfb_pid=""
cleanup() {
    WINEPREFIX=$(cd "$prefix" 2>/dev/null && pwd) wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
. "$root/scripts/lib/private_xvfb.sh"
start_private_xvfb "$out"

# The driver's lines end in CR LF, as on Windows.
run() {
    TARROWEN_WINE_DPI=$dpi bash "$root/cmake/run-under-wine.sh" "$prefix" "$driver" "$@" |
        tr -d '\r'
}
# "place NAME X Y W H" lines of the driver, as ImageMagick crop geometries, by NAME.
# The program outlives the driver that starts it: it gets no pipe to hold open.
start() {
    TARROWEN_WINE_DPI=$dpi bash "$root/cmake/run-under-wine.sh" "$prefix" "$driver" start \
        "Z:$exe" "$@" >/dev/null 2>&1 </dev/null
}
declare -A geometry
places() {
    local name x y w h
    while read -r word name x y w h; do
        [ "$word" = place ] && geometry[$name]="${w}x${h}+${x}+${y}"
    done <<<"$1"
}

# The colours the picture is drawn in (the program's own, or the projector's), and the width of
# the pen in screen pixels.
line='#00FF00'
orbit='#0000FF'
background='#000000'
pen=$scale

# The line's and the orbit's pixels of the picture in screenshot $1: "verdict green blue columns
# rows". Lines are drawn with a pen `pen` device pixels wide: two lines are `pen` whole columns
# side by side and `pen` whole rows side by side, and no pixel of the line's colour lies off
# them; every other pixel is the orbit's or the background's.
lines_verdict() {
    local g=${geometry[Picture1]} w h
    w=${g%%x*}
    h=${g#*x}
    h=${h%%+*}
    convert "$out/$1.png" -crop "$g" +repage txt:- | awk -F'[,: ]+' -v W="$w" -v H="$h" -v S="$pen" \
        -v L="$line" -v O="$orbit" -v B="$background" '
        /^#/ { next }
        index($0, L) { g++; col[$1]++; row[$2]++; at[$1 "," $2] = 1; next }
        index($0, O) { b++; next }
        !index($0, B) { other++ }
        END {
            nc = 0; nr = 0; c0 = W; r0 = H; c1 = -1; r1 = -1
            for (x in col) if (col[x] == H) { nc++; if (x + 0 < c0) c0 = x + 0; if (x + 0 > c1) c1 = x + 0 }
            for (y in row) if (row[y] == W) { nr++; if (y + 0 < r0) r0 = y + 0; if (y + 0 > r1) r1 = y + 0 }
            off = 0
            for (p in at) {
                split(p, xy, ",")
                if (col[xy[1]] != H && row[xy[2]] != W) off++
            }
            ok = nc == S && nr == S && c1 - c0 == S - 1 && r1 - r0 == S - 1 && off == 0 && other == 0
            printf "%s %d %d %s %s\n", ok ? "two-lines" : "other", g, b, c0 "-" c1, r0 "-" r1
        }'
}

check_lines() {
    local verdict green blue column row
    read -r verdict green blue column row <<<"$(lines_verdict "$1")"
    if [ "$verdict" = two-lines ]; then
        pass "$1: exactly two lines, columns $column and rows $row ($green pixels)"
    else
        fail "$1: $green pixels of $line, not $pen whole columns and rows of the picture," \
            "or pixels of neither $line, $orbit nor $background" \
            "(whole columns $column, rows $row)"
    fi
    # The orbit of radius 1: some 785 pixels round at scale 1, less where the lines cross it.
    if [ "$blue" -ge $((500 * pen)) ]; then
        pass "$1: the orbit ($blue pixels)"
    else
        fail "$1: $blue blue pixels"
    fi
}

start
places "$(run do "click runSImulation" "wait 1500" "place Picture1")"
import -window root "$out/running.png"
check_lines running
run do "click cmd_stop_simulation" "wait 500" >/dev/null
import -window root "$out/paused.png"
check_lines paused
run do close >/dev/null

# The readouts written quietly and then heard, the same texts: the same pixels.
start 100
places "$(run do "click runSImulation" "clock 101.5" tick present "wait 300" \
    "place txt_masses(3)" "place txt_masses(7)")"
import -window root "$out/quiet.png"
run do "click cmd_stop_simulation" "wait 300" >/dev/null
import -window root "$out/heard.png"
run do close >/dev/null
top=${geometry[txt_masses(3)]}
bottom=${geometry[txt_masses(7)]}
IFS='x+' read -r w _ x y <<<"$top"
IFS='x+' read -r _ h _ y7 <<<"$bottom"
column="${w}x$((y7 + h - y))+${x}+${y}"
convert "$out/quiet.png" -crop "$column" +repage "$out/quiet.readouts.png"
convert "$out/heard.png" -crop "$column" +repage "$out/heard.readouts.png"
differ=$(compare -metric AE "$out/quiet.readouts.png" "$out/heard.readouts.png" null: 2>&1 || true)
if [ "$differ" = 0 ]; then
    pass "readouts written quietly look as written aloud (column $column)"
else
    fail "readouts written quietly differ from the same written aloud in $differ pixels"
fi
# Twice as large, paused, in projector colours: the layout and the picture scaled, the picture
# drawn again at the new size with nothing else in it, white around the dark lines and orbit;
# then full screen. At scale 2 the window is already as high as the screen allows: full screen
# only.
start
run do "click runSImulation" "wait 800" "click cmd_stop_simulation" projector >/dev/null
line='#007000' orbit='#0000A0' background='#FFFFFF'
if [ "$scale" = 1 ]; then
    run do "client 1478 1120" "wait 300" present >/dev/null
    places "$(run do "place Picture1")"
    pen=2
    import -window root "$out/projector_twice.png"
    g=${geometry[Picture1]}
    if [ "${g%%+*}" = 1134x1000 ]; then
        pass "twice as large: the picture $g"
    else
        fail "twice as large: the picture $g, not 1134x1000"
    fi
    check_lines projector_twice
fi
run do full-screen "wait 500" present >/dev/null
places "$(run do "place Picture1")"
import -window root "$out/projector_full_screen.png"
# On the 1920x1200 screen, min(1920 / 739, 1200 / 560) = 2.14 screen pixels to a layout pixel.
pen=2
check_lines projector_full_screen
run do close >/dev/null

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
