# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced, not run: starts a private Xvfb for a script's programs.
#
#   start_private_xvfb DIR [WIDTHxHEIGHT]
#
# The server picks the first free display itself (-displayfd), so parallel runs and a desktop
# session never collide, and stays up while programs come and go (-noreset: a server that
# resets when its last client leaves fails the next client's start now and then). Exports
# DISPLAY, sets xvfb_pid (for the caller's cleanup: kill "$xvfb_pid"), keeps the server's log
# in DIR/xvfb.log, and fails when no display came within 10 s.
start_private_xvfb() {
    local dir=$1 size=${2:-1920x1200} _
    Xvfb -displayfd 3 -noreset -screen 0 "${size}x24" -nolisten tcp 3>"$dir/display" \
        >"$dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        grep -q '^[0-9]\+$' "$dir/display" 2>/dev/null && break
        sleep 0.1
    done
    grep -q '^[0-9]\+$' "$dir/display" || {
        echo "FAIL: Xvfb gave no display: $(cat "$dir/xvfb.log")" >&2
        return 1
    }
    DISPLAY=":$(cat "$dir/display")"
    export DISPLAY
}
