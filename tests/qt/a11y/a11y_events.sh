#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the program tells assistive technology while its motion runs, heard by an AT-SPI
# listener: the events of the readouts, held to the rule of core/frontend/readouts.h.
#
#   a11y_events.sh PROGRAM OUTDIR
#
# In a private Xvfb and session bus, with the listener (atspi_listen.py) on text and value
# events: Tab to "Run Simulation", Space, 5 s running with the focus on the button; Tab four
# times to the "t (sec)" readout and stay 8 s; Tab to "pause simulation", Space, 3 s. The
# events (events.tsv), the moments of the steps (marks) and the boxes' texts as the listener
# read them are left in OUTDIR, with the events per second as figures (figures.txt);
# check_events.py holds them to the rule.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 PROGRAM OUTDIR" >&2; exit 2; }
program=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=a11y_session.sh
. "$here/a11y_session.sh"
a11y_enter

"$python" "$here/atspi_listen.py" events Tarrowen "$out/events.tsv" >"$out/listener.out" &
children+=($!)
for _ in $(seq 100); do
    grep -q '^ready$' "$out/listener.out" && break
    sleep 0.1
done
grep -q '^ready$' "$out/listener.out" || die "the AT-SPI listener did not start"

start_program
press Tab
mark run
press space
mark running
cpu_from=$(cpu_seconds "$app_pid") time_from=$(now)
sleep 3.5
read_texts "$out/texts_running_a"
sleep 1
read_texts "$out/texts_running_b"
cpu_to=$(cpu_seconds "$app_pid") time_to=$(now)
press Tab Tab Tab Tab
mark on_t
sleep 8
press Tab
press space
mark paused
sleep 3
read_texts "$out/texts_paused"
mark end

# Reported, never checked: the machine may be shared.
cpu=$(awk -v a="$cpu_from" -v b="$cpu_to" -v s="$time_from" -v e="$time_to" \
    'BEGIN { printf "%.1f", 100 * (b - a) / (e - s) }')
echo "figure: CPU of the program while running with a listener on the bus: $cpu % of one core"
echo "CPU of the program while running with a listener on the bus: $cpu % of one core" \
    >>"$out/figures.txt"

# Let the listener write what is still on its way, then stop it.
sleep 0.5
kill "${children[0]}"
wait "${children[0]}" || true
children=()

if ! "$python" "$here/check_events.py" "$out"; then
    echo "the events broke the rule; they are in $out/events.tsv"
    exit 1
fi
echo "all checks passed; events in $out/events.tsv"
