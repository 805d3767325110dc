#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The time from a resize to the picture shown again at the new size, for the desktop program
# (sized to twice its start size and back, as a window manager would) or the Windows one under
# wine (F11 to full screen and back), on a private 1920x1200 Xvfb, three times each way.
#
#   picture_after_resize.sh PROGRAM|PROGRAM.exe
#
# The Windows program runs in the wine prefix of its build tree (BUILD/wine-bench, where
# cpu_under_wine.sh keeps its own), made on the first run.
# The pixel watched is one that only the new picture has: at twice the size, (600, 100) of the
# window lies in the black picture, at the start size on the panel's grey; full screen under
# wine, (1300, 1000) of the screen lies in the picture, outside the window at its start size.
# The times include starting xdotool, some milliseconds. Figures are reported, never checked.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/tarrowen-resize.XXXXXX)
prefix="$(cd "$(dirname "$program")/.." && pwd)/wine-bench"
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ "${program%.exe}" = "$program" ] || WINEPREFIX="$prefix" wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
. "$here/../scripts/lib/private_xvfb.sh"
. "$here/../scripts/lib/process_cpu.sh"
start_private_xvfb "$work" 1920x1200
mkdir -m 700 "$work/runtime"
if [ "${program%.exe}" = "$program" ]; then
    QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" "$program" &
    app_pid=$!
    win=$(window_named '^Tarrowen$')
    sleep 2
    eval "$(xdotool getwindowgeometry --shell "$win")"
    requests=(1478x1120 739x560) x=$((X + 600)) y=$((Y + 100))
else
    # The prefix made (the first time) before the clock of window_named starts.
    TARROWEN_WINE_DPI=96 bash "$here/../cmake/run-under-wine.sh" "$prefix" wineboot
    TARROWEN_WINE_DPI=96 bash "$here/../cmake/run-under-wine.sh" "$prefix" "$program" &
    app_pid=$!
    win=$(window_named '^Tarrowen$')
    sleep 2
    requests=(F11 F11) x=1300 y=1000
fi
watch() { /usr/bin/python3 "$here/picture_after_resize.py" "$win" "$1" "$x" "$y" "$2"; }
start_colour=$(import -window root -crop "1x1+$x+$y" -depth 8 txt:- | sed -n 's/.*\(#[0-9A-F]\{6\}\).*/\1/p')
echo "watching ($x, $y) of the screen, $start_colour at the start"
for _ in 1 2 3; do
    echo "${requests[0]}: $(watch "${requests[0]}" 000000) ms"
    sleep 1
    echo "${requests[1]}: $(watch "${requests[1]}" "$start_colour") ms"
    sleep 1
done
