#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command as a client of a private, headless Wayland compositor (weston), started here
# and stopped when the command ends, whatever way it ends.
#
#   in_weston.sh COMMAND [ARG...]
#
# The compositor gets a runtime directory of its own, so it never meets a desktop session or a
# parallel run. Qt is told to use Wayland and nothing else: a client that cannot connect fails
# instead of falling back to X11. The command's exit status is the script's.
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 COMMAND [ARG...]" >&2
    exit 2
fi
if ! command -v weston >/dev/null; then
    echo "FAIL: weston is missing (Debian: weston, and qt6-wayland for Qt's plugin)" >&2
    exit 1
fi

runtime_dir=$(mktemp -d "${TMPDIR:-/tmp}/tarrowen-wayland.XXXXXX")
chmod 700 "$runtime_dir"
socket=wayland-tarrowen
weston_pid=""

cleanup() {
    if [ -n "$weston_pid" ] && kill -0 "$weston_pid" 2>/dev/null; then
        kill "$weston_pid" 2>/dev/null || true
        wait "$weston_pid" 2>/dev/null || true
    fi
    rm -rf "$runtime_dir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# No idle time-out: a long test must not find the output switched off under it. The pixman
# renderer makes the compositor really composite, so a screenshot shows what a user would see.
env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime_dir" \
    weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 \
    --socket="$socket" --no-config --idle-time=0 ${WESTON_EXTRA_ARGS:-} \
    --log="$runtime_dir/weston.log" >/dev/null 2>&1 &
weston_pid=$!

for _ in $(seq 100); do
    [ -S "$runtime_dir/$socket" ] && break
    if ! kill -0 "$weston_pid" 2>/dev/null; then
        echo "FAIL: weston ended at start-up:" >&2
        cat "$runtime_dir/weston.log" >&2 || true
        exit 1
    fi
    sleep 0.1
done
if [ ! -S "$runtime_dir/$socket" ]; then
    echo "FAIL: weston opened no socket within 10 s" >&2
    exit 1
fi

status=0
env -u DISPLAY XDG_RUNTIME_DIR="$runtime_dir" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
    "$@" || status=$?
exit "$status"
