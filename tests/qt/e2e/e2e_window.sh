#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program in a real X server, driven by real X input events, checked by what a user
# sees on the screen.
#
#   e2e_window.sh PROGRAM OUTDIR
#
# Starts a private Xvfb on a free display, starts PROGRAM in it, clicks and types with xdotool,
# takes screenshots with ImageMagick's import and checks their pixels. The screenshots, the
# program's output and the measured figures (figures.txt) are left in OUTDIR.
#
# A second start of the program only measures: CPU while idle, running and paused, and the
# tick rate that the program reports at exit when TARROWEN_TICK_STATS is set (a line
# "tarrowen: N ticks in S s ..." on stderr, S from the first tick to the last). The figures are
# reported, never checked.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 PROGRAM OUTDIR" >&2; exit 2; }
program=$1
out=$2

for tool in Xvfb xdotool import convert compare; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is missing (Debian: xvfb, xdotool, imagemagick)" >&2
        exit 1
    fi
done

rm -rf "$out"
mkdir -p "$out"

xvfb_pid=""
app_pid=""
failures=0

cleanup() {
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if [ -n "${runtime_dir:-}" ]; then rm -rf "$runtime_dir"; fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
pass() { echo "ok: $*"; }
die() {
    echo "FAIL: $*"
    exit 1
}
figure() {
    echo "figure: $*"
    echo "$*" >>"$out/figures.txt"
}
# The clock and the program's CPU (now, cpu_percent).
. "$(dirname "$0")/../../../scripts/lib/process_cpu.sh"

# --- the X server -------------------------------------------------------------------------

# One private server for both starts of the program (scripts/lib/private_xvfb.sh).
. "$(dirname "$0")/../../../scripts/lib/private_xvfb.sh"
start_x() {
    start_private_xvfb "$out" 800x600 || die "no X server"
}

# --- the program --------------------------------------------------------------------------

runtime_dir=$(mktemp -d /tmp/tarrowen-e2e.XXXXXX)
chmod 700 "$runtime_dir"

# Starts the program (extra environment as arguments, VAR=value) and waits for its window.
start_program() {
    local log=$1
    shift
    env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime_dir" "$@" "$program" >"$log" 2>&1 &
    app_pid=$!
    win=""
    local _
    for _ in $(seq 100); do
        win=$(xdotool search --onlyvisible --name '^Tarrowen$' 2>/dev/null | head -n 1 || true)
        if [ -n "$win" ]; then
            # Let the first paint reach the server before anything is looked at.
            sleep 0.3
            return
        fi
        kill -0 "$app_pid" 2>/dev/null || die "the program ended at start-up: $(cat "$log")"
        sleep 0.1
    done
    die "no visible window named Tarrowen within 10 s"
}

# True while the process exists and has not exited (a child that ended stays a zombie until
# it is waited for).
alive() {
    local state
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null || true)
    [ -n "$state" ] && [ "$state" != Z ]
}

# Waits up to $2 seconds for the program to end; true when it did.
ended_within() {
    local deadline
    deadline=$(awk -v t="$(now)" -v d="$2" 'BEGIN { printf "%.3f", t + d }')
    while alive "$1"; do
        if awk -v t="$(now)" -v d="$deadline" 'BEGIN { exit !(t > d) }'; then return 1; fi
        sleep 0.05
    done
    return 0
}

# --- where the controls are ---------------------------------------------------------------

# The window lays its controls out in twips, 15 to a pixel, rounding each edge to the nearest
# pixel. Prints the pixel centre of the control at LEFT TOP WIDTH HEIGHT (twips).
twips_centre() {
    local l=$(((${1} + 7) / 15)) t=$(((${2} + 7) / 15))
    local r=$(((${1} + ${3} + 7) / 15)) b=$(((${2} + ${4} + 7) / 15))
    echo "$(((l + r) / 2)) $(((t + b) / 2))"
}

panel_row() { echo $((1100 + 450 * $1)); }

declare -A at
at[run]=$(twips_centre 9600 120 1200 375)
at[restart]=$(twips_centre 9120 6840 975 495)
at[apply]=$(twips_centre 10200 6840 855 495)
at[pause]=$(twips_centre 9120 7320 975 495)
at[quit]=$(twips_centre 10200 7320 855 495)
at[incr_rad]=$(twips_centre 10200 "$(panel_row 0)" 850 450)
at[step_0.1]=$(twips_centre 10200 "$(panel_row 5)" 850 450)
at[box1]=$(twips_centre 9400 "$(panel_row 1)" 750 375)

# The drawing area, and the column of readout boxes 3 to 7, as crop geometries in pixels.
picture_geometry=567x500+8+16
readout_top=$((($(panel_row 3) + 7) / 15))
readout_bottom=$((($(panel_row 7) + 375 + 7) / 15))
readout_geometry="50x$((readout_bottom - readout_top))+627+$readout_top"

# One unit of the drawing's scale in pixels: 4 units span the 500 pixels of the height.
px_per_unit=125

click_now() {
    # shellcheck disable=SC2086  # the centre is two words on purpose
    xdotool mousemove --window "$win" ${at[$1]} click 1
}

click() {
    click_now "$1"
    # Give the program the click before the next step looks at the screen.
    sleep 0.1
}

shot() {
    import -window "$win" "$out/$1.png"
}

# Crops screenshot $1 to geometry $2 into $out/$1.$3.png.
crop() {
    convert "$out/$1.png" -crop "$2" +repage "$out/$1.$3.png"
}

# Pixels of exactly colour $2 (#RRGGBB) in the drawing area of screenshot $1.
count_colour() {
    convert "$out/$1.png" -crop "$picture_geometry" +repage -format %c histogram:info:- |
        awk -v c="$2" 'index($0, c) { n += $1 } END { print n + 0 }'
}

# Width in pixels of the bounding box of the blue orbit in screenshot $1.
orbit_width() {
    convert "$out/$1.png" -crop "$picture_geometry" +repage -fill black +opaque '#0000FF' \
        -format '%@' info: | sed 's/x.*//'
}

# Pixels that differ between the same region ($3: picture or readouts) of screenshots $1, $2.
differing_pixels() {
    local geometry=$picture_geometry
    [ "$3" = readouts ] && geometry=$readout_geometry
    crop "$1" "$geometry" "$3"
    crop "$2" "$geometry" "$3"
    # compare prints the count on stderr and exits 1 when the pictures differ, 2 on an error.
    local n
    n=$(compare -metric AE "$out/$1.$3.png" "$out/$2.$3.png" null: 2>&1 || true)
    if [[ "$n" =~ ^[0-9]+$ ]]; then echo "$n"; else echo "no count ($n)"; fi
}

expect_same() {
    local n
    n=$(differing_pixels "$1" "$2" "$3")
    if [ "$n" = 0 ]; then
        pass "$3 unchanged from $1 to $2"
    else
        fail "$3: $n pixels changed from $1 to $2"
    fi
}

expect_changed() {
    local n
    n=$(differing_pixels "$1" "$2" "$3")
    if [[ "$n" =~ ^[0-9]+$ ]] && [ "$n" != 0 ]; then
        pass "$3 changed from $1 to $2 ($n pixels)"
    else
        fail "$3 did not change from $1 to $2: $n"
    fi
}

# The angle of the point in screenshot $1, in radians, from where the green lines cross the
# picture's edges: the vertical line in its top row, the horizontal one in its left column.
# The orbit's centre is the middle of the picture, (283.5, 250) px; y grows downwards.
point_angle() {
    local x y
    x=$(convert "$out/$1.png" -crop 567x1+8+16 +repage txt:- |
        awk -F'[,:]' '/#00FF00/ { print $1; exit }')
    y=$(convert "$out/$1.png" -crop 1x500+8+16 +repage txt:- |
        awk -F'[,:]' '/#00FF00/ { print $2; exit }')
    if [ -z "$x" ] || [ -z "$y" ]; then
        echo none
        return
    fi
    awk -v x="$x" -v y="$y" 'BEGIN { printf "%.4f", atan2(250 - (y + 0.5), (x + 0.5) - 283.5) }'
}

# The orbit of screenshot $1, $3 pixels wide, is the circle of radius $2 (drawing units): its
# outline spans 2 R px_per_unit + 1 pixels, give or take two (across, a unit is 125.07 pixels,
# and a green line may cover the outermost column).
expect_orbit_width() {
    local w=$3 want
    want=$(awk -v r="$2" -v k="$px_per_unit" 'BEGIN { printf "%d", 2 * r * k + 1 + 0.5 }')
    if [ $((w - want)) -le 2 ] && [ $((want - w)) -le 2 ]; then
        pass "orbit in $1 is $w px wide (radius $2: $want px)"
    else
        fail "orbit in $1 is $w px wide; radius $2 gives $want px"
    fi
}

# --- the checks ---------------------------------------------------------------------------

start_x
echo "X server on $DISPLAY"
start_program "$out/program.log"

shot start
blue=$(count_colour start '#0000FF')
green=$(count_colour start '#00FF00')
if [ "$blue" = 0 ] && [ "$green" = 0 ]; then
    pass "nothing drawn before Run"
else
    fail "before Run the drawing area holds $blue blue and $green green pixels"
fi

click run
sleep 0.4
shot running_a
sleep 0.5
shot running_b
# Just the two current lines, each across the whole area (500 rows and 567 columns, one pixel
# shared): every earlier line has been erased, on the screen as in the canvas.
two_lines=$((500 + 567 - 1))
for s in running_a running_b; do
    blue=$(count_colour $s '#0000FF')
    green=$(count_colour $s '#00FF00')
    # The orbit of radius 1 has some 700 outline pixels, less where the lines cross it.
    if [ "$blue" -gt 500 ]; then
        pass "$s: blue orbit ($blue px)"
    else
        fail "$s: $blue blue pixels"
    fi
    if [ "$green" = "$two_lines" ]; then
        pass "$s: two green lines ($green px)"
    else
        fail "$s: $green green pixels; two lines across the area make $two_lines"
    fi
done
expect_changed running_a running_b picture
expect_changed running_a running_b readouts
width_r1=$(orbit_width running_b)
expect_orbit_width running_b 1 "$width_r1"

click pause
sleep 0.3
shot paused_a
sleep 0.5
shot paused_b
expect_same paused_a paused_b picture
expect_same paused_a paused_b readouts

# "Restart" then "pause simulation" at once: the point has moved on by no more than omega (2)
# times the time between the two clicks, plus a pixel's worth; it has not jumped.
angle_paused=$(point_angle paused_b)
resume_from=$(now)
click_now restart
click_now pause
resume_to=$(now)
sleep 0.3
shot paused_again
angle_again=$(point_angle paused_again)
if [ "$angle_paused" = none ] || [ "$angle_again" = none ]; then
    fail "no green line found at the picture's edges (paused_b, paused_again)"
else
    verdict=$(awk -v a="$angle_paused" -v b="$angle_again" -v t0="$resume_from" -v t1="$resume_to" '
        BEGIN {
            pi = atan2(0, -1); d = b - a
            while (d <= -pi) d += 2 * pi
            while (d > pi) d -= 2 * pi
            bound = 2 * (t1 - t0) + 0.05
            printf "%s %.3f %.3f", (d >= -0.05 && d <= bound) ? "ok" : "jump", d, bound
        }')
    read -r word moved bound <<<"$verdict"
    if [ "$word" = ok ]; then
        pass "Restart went on from the pause: the point moved $moved rad (at most $bound)"
    else
        fail "Restart made the point jump by $moved rad (at most $bound expected)"
    fi
fi

click restart
sleep 0.3
shot resumed_a
sleep 0.5
shot resumed_b
expect_changed resumed_a resumed_b picture
expect_changed resumed_a resumed_b readouts

click step_0.1
click incr_rad
sleep 0.3
shot larger_step
width_step=$(orbit_width larger_step)
expect_orbit_width larger_step 1.1 "$width_step"
if [ "$width_step" -gt "$width_r1" ]; then
    pass "\"increment 0.100\" then \"incr rad\": orbit $width_r1 -> $width_step px"
else
    fail "\"increment 0.100\" then \"incr rad\" left the orbit at $width_step px (was $width_r1)"
fi

click box1
xdotool key --window "$win" ctrl+a
xdotool type --window "$win" --delay 20 1.5
click apply
sleep 0.3
shot larger_typed
width_typed=$(orbit_width larger_typed)
expect_orbit_width larger_typed 1.5 "$width_typed"
if [ "$width_typed" -gt "$width_step" ]; then
    pass "radius 1.5 typed and applied: orbit $width_step -> $width_typed px"
else
    fail "radius 1.5 typed and applied left the orbit at $width_typed px (was $width_step)"
fi
# Apply does not stop the motion.
sleep 0.5
shot larger_typed_b
expect_changed larger_typed larger_typed_b picture

click quit
if ended_within "$app_pid" 2; then
    status=0
    wait "$app_pid" || status=$?
    app_pid=""
    if [ "$status" = 0 ]; then
        pass "\"Quit \" ended the program"
    else
        fail "\"Quit \" ended the program with status $status"
    fi
else
    fail "the program still runs 2 s after \"Quit \""
fi

# --- figures, measured and reported -------------------------------------------------------

start_program "$out/measure.log" TARROWEN_TICK_STATS=1
figure "CPU while idle before Run: $(cpu_percent "$app_pid" 3) % of one core (3 s)"
click_now run
run_from=$(now)
figure "CPU while running: $(cpu_percent "$app_pid" 5) % of one core (5 s)"
click_now pause
run_to=$(now)
sleep 0.2
figure "CPU while paused: $(cpu_percent "$app_pid" 3) % of one core (3 s)"
click quit
if ended_within "$app_pid" 2; then
    wait "$app_pid" || true
    app_pid=""
fi
stats=$(grep '^tarrowen: [0-9]* ticks in [0-9.]* s' "$out/measure.log" | tail -n 1 || true)
if [ -n "$stats" ]; then
    # Between the first and the last tick N - 1 periods passed. The time from the click on
    # "Run Simulation" to the click on "pause simulation", as seen from here, is a cross-check.
    figure "$(awk -v line="$stats" -v a="$run_from" -v b="$run_to" 'BEGIN {
        split(line, w, " "); n = w[2]; s = w[5]
        printf "ticks: %d in %.3f s running, %.1f per second", n, s, (n - 1) / s
        printf " (%.1f over the %.3f s between the clicks)", n / (b - a), b - a }')"
else
    figure "ticks per second: not measured (the program printed no tick count at exit)"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed; screenshots in $out"
    exit 1
fi
echo "all checks passed; screenshots in $out"
