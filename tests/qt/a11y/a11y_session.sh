# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# shellcheck disable=SC2154  # program, out and here are the test script's
# Sourced by the accessibility tests: a private desktop in which the real program, an AT-SPI
# client and a screen reader meet, and the steps of a user at the keyboard.
#
#   a11y_enter   first call of a test script run as SCRIPT PROGRAM OUTDIR, with `program`,
#                `out` and `here` set: checks the tools, starts a private Xvfb (-noreset) and
#                runs the script once more inside a private session bus (dbus-run-session),
#                under a private HOME in OUTDIR; returns only there.
#
# The session bus starts the accessibility bus (at-spi-bus-launcher, from at-spi2-core) when
# the program or a listener asks for it, and Qt joins it because
# QT_LINUX_ACCESSIBILITY_ALWAYS_ON is set. Speech goes to speech-dispatcher's dummy module on
# libao's null driver: nothing is heard, and the screen reader's debug log keeps what it said.
# Every process started here ends with the script: the program and the clients by their ids,
# the buses with dbus-run-session, Xvfb with the outer script.

# Debian's own interpreter, the one python3-pyatspi installs into (a python3 found first on the
# PATH may be another one).
python=/usr/bin/python3
# This folder, with the AT-SPI client and the checks, whichever test sources this.
a11y_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

a11y_require() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "FAIL: $tool is missing (bash scripts/install-deps.sh test installs it)" >&2
            exit 1
        fi
    done
}

a11y_enter() {
    if [ -n "${TARROWEN_A11Y_INSIDE:-}" ]; then
        a11y_inside
        return
    fi
    a11y_require Xvfb xdotool dbus-run-session "$python"
    "$python" -c 'import pyatspi' 2>/dev/null ||
        { echo "FAIL: pyatspi is missing (Debian: python3-pyatspi)" >&2; exit 1; }
    rm -rf "$out"
    mkdir -p "$out"
    a11y_private_home
    local xvfb_pid status=0
    # -displayfd: the first free display, so parallel runs and a desktop never collide.
    : >"$out/display"
    Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" \
        >"$out/xvfb.log" 2>&1 &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT
    local _
    for _ in $(seq 100); do
        grep -q '^[0-9]\+$' "$out/display" 2>/dev/null && break
        kill -0 "$xvfb_pid" 2>/dev/null || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
        sleep 0.1
    done
    grep -q '^[0-9]\+$' "$out/display" || { echo "FAIL: Xvfb gave no display" >&2; exit 1; }
    DISPLAY=":$(cat "$out/display")" TARROWEN_A11Y_INSIDE=1 \
        dbus-run-session -- bash "$0" "$program" "$out" 2>"$out/session.log" || status=$?
    # The buses' own chatter is kept there; a failing script's last words are shown.
    [ "$status" = 0 ] || tail -n 20 "$out/session.log" >&2
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$XDG_RUNTIME_DIR"
    trap - EXIT
    exit "$status"
}

# --- inside the session ----------------------------------------------------------------------

a11y_inside() {
    export DISPLAY
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
    children=()
    app_pid=""
    trap a11y_cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM HUP
}

# A HOME of its own under OUTDIR, and a runtime directory, for everything that the session
# starts, the services that its bus starts included (they take the bus's environment): so the
# accessibility bus, dconf and speech-dispatcher put their sockets and settings there, never
# in the user's.
a11y_private_home() {
    local home="$out/home"
    mkdir -p "$home/.config/speech-dispatcher"
    export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
    export XDG_CACHE_HOME="$home/.cache" XDG_STATE_HOME="$home/.local/state"
    # Short, for the sockets' paths (at most 107 bytes); removed by a11y_enter at the end.
    XDG_RUNTIME_DIR=$(mktemp -d /tmp/tarrowen-a11y.XXXXXX)
    export XDG_RUNTIME_DIR
    # Nothing of a desktop this may run in: its buses, its Wayland display.
    unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY
    # No sound device here: speech-dispatcher's dummy module, played on libao's null driver.
    printf 'default_driver=null\nquiet\n' >"$home/.libao"
    cat >"$home/.config/speech-dispatcher/speechd.conf" <<'EOF'
AudioOutputMethod "libao"
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
Timeout 3
EOF
}

a11y_cleanup() {
    local pid
    for pid in ${app_pid:+"$app_pid"} ${children[@]+"${children[@]}"}; do
        end_process "$pid"
    done
}

# Ends process $1 (started here): asked first, then, if it is still there after 5 s, forced.
end_process() {
    kill "$1" 2>/dev/null || return 0
    local _
    for _ in $(seq 50); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

die() {
    echo "FAIL: $*"
    exit 1
}
# The clock and a process's CPU (now, cpu_seconds).
. "$a11y_dir/../../../scripts/lib/process_cpu.sh"

# Writes a named moment of the test beside the events: seconds since the epoch, name.
mark() { echo "$(now) $1" >>"$out/marks"; }

# Starts the program with the accessibility bridge on, waits for its window and gives it the
# keyboard (Xvfb has no window manager to do that).
start_program() {
    start_window '^Tarrowen$' "$program"
}

# Starts COMMAND... (its id in app_pid), waits for a visible window whose name matches
# PATTERN and gives it the keyboard.
start_window() {
    local pattern=$1 _
    shift
    "$@" >"$out/program.log" 2>&1 &
    app_pid=$!
    win=""
    for _ in $(seq 300); do
        win=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
        [ -n "$win" ] && break
        kill -0 "$app_pid" 2>/dev/null || die "the program ended at start-up: $(cat "$out/program.log")"
        sleep 0.1
    done
    [ -n "$win" ] || die "no visible window named $pattern within 30 s"
    xdotool windowfocus --sync "$win"
    sleep 0.3
}

# Starts Orca with its debug log in OUTDIR/orca.log (orca_pid), and waits until it listens.
start_orca() {
    orca --replace --debug-file="$out/orca.log" >"$out/orca.out" 2>&1 &
    orca_pid=$!
    children+=("$orca_pid")
    # Orca is ready once it listens to the focus.
    "$python" "$a11y_dir/atspi_listen.py" wait Object:StateChanged:Focused 30 ||
        die "Orca did not start: $(tail -n 5 "$out/orca.out")"
    sleep 1
}

# Ends Orca, whose log is complete only then (it writes it in blocks), and waits for the
# speech-dispatcher started for it, which ends by itself a few seconds after its last client.
end_orca() {
    local speechd_pid _
    # Orca writes its log in blocks, all of it once it ends. Idle, it handles the signal only
    # when an event wakes it: a key that does nothing (Shift), which the program with the
    # keyboard passes on to it. Killed, it would lose the last block.
    kill "$orca_pid" 2>/dev/null || true
    for _ in $(seq 100); do
        kill -0 "$orca_pid" 2>/dev/null || break
        xdotool key shift 2>/dev/null || true
        sleep 0.1
    done
    end_process "$orca_pid"
    children=()
    speechd_pid=$(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid" 2>/dev/null || true)
    if [ -n "$speechd_pid" ]; then
        for _ in $(seq 100); do
            kill -0 "$speechd_pid" 2>/dev/null || break
            sleep 0.1
        done
    fi
}

# Presses keys as a user does: through the X server, to the window that has the keyboard.
press() {
    local k
    for k in "$@"; do
        xdotool key "$k"
        sleep "${press_gap:-0.3}"
    done
}

# The texts of the program's boxes as an AT-SPI client reads them now, into file $1; $2: the
# application's accessible name (the browser's, for the page), Tarrowen by default.
read_texts() {
    "$python" "$a11y_dir/atspi_listen.py" texts "${2:-Tarrowen}" >"$1"
}

# The text of the box named $2 in a file of read_texts.
text_of() {
    awk -F'\t' -v n="$2" '$1 == n { print $2; exit }' "$1"
}

# The way both screen-reader tests go while the motion runs: Tab to "Run Simulation", Space;
# Tab on to "ang freq", "radius", "theta0" and "t (sec)", staying 6 s there (the box read as
# the focus comes, then its value every 3 s), the boxes' texts read into $1 when given; Tab to
# "pause simulation", Space. Each step's mark first, then its keys: the next mark ends the time
# in which the step's speech is looked for. press_gap lets the reader present each control.
run_and_visit_readout() {
    press_gap=1.2
    local step
    for step in tab_run run tab_ang_freq tab_radius tab_theta0 tab_t; do
        mark "$step"
        if [ "$step" = run ]; then press space; else press Tab; fi
    done
    sleep 6
    [ $# -eq 0 ] || read_texts "$1"
    mark tab_pause
    press Tab
    mark pause
    press space
}
