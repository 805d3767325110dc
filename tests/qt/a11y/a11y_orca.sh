#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program with a real screen reader, Debian's Orca, used from the keyboard alone as a
# blind student would: what Orca says while the motion runs, read from its debug log.
#
#   a11y_orca.sh PROGRAM OUTDIR
#
# In a private Xvfb and session bus, Orca starts with a private HOME and speaks to
# speech-dispatcher's dummy module (nothing is heard; its debug log keeps every utterance).
# Then, by keys only: Tab to "Run Simulation", Space; Tab to "ang freq", "radius", "theta0"
# and "t (sec)" while the motion runs, staying 7 s on "t (sec)"; Tab to "pause simulation",
# Space; on to "Restart", Space; Tab to "Apply"; to "ang freq", type 1E400, Shift+Tab back to
# "Apply", Space: the report; Return closes it. check_speech.py then holds Orca's log to what
# each step must have made it say, and to no flood of events. The log (orca.log), the steps'
# moments (marks), the boxes' texts read on the way and the figures are left in OUTDIR.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 PROGRAM OUTDIR" >&2
    exit 2
fi
program=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=a11y_session.sh
. "$here/a11y_session.sh"
a11y_require orca
a11y_enter

start_orca
start_program
# Each step: its mark first, then the keys; the next mark ends the time in which the step's
# speech is looked for. press_gap is long enough for Orca to present each control.
press_gap=1.2
mark tab_run
press Tab
mark run
press space
mark tab_ang_freq
press Tab
mark tab_radius
press Tab
mark tab_theta0
press Tab
mark tab_t
press Tab
# On "t (sec)": the box is read as the focus comes, then its value every 3 s.
sleep 6
read_texts "$out/texts_running"
mark tab_pause
press Tab
mark pause
press space
read_texts "$out/texts_paused_a"
sleep 1
read_texts "$out/texts_paused_b"
# From "pause simulation" to "Restart": "Quit ", the four step buttons, the four lower
# readouts, the four increments, then "Restart".
press_gap=0.5 press Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
mark tab_restart
press Tab
mark restart
press space
read_texts "$out/texts_restarted_a"
sleep 1
read_texts "$out/texts_restarted_b"
mark tab_apply
press Tab
# "Apply", the picture, "Run Simulation", "ang freq"; type; and back the same way.
press_gap=0.5 press Tab Tab
mark tab_ang_freq_again
press Tab
press_gap=0.3 press ctrl+a 1 E 4 0 0
press_gap=0.5 press shift+Tab shift+Tab
mark back_to_apply
press shift+Tab
mark report
press space
sleep 2
mark close_report
press Return
sleep 1
read_texts "$out/texts_after_report"
mark end

end_orca

if ! "$python" "$here/check_speech.py" "$out"; then
    echo "the screen reader test failed; Orca's log in $out/orca.log"
    exit 1
fi
echo "all checks passed; Orca's log in $out/orca.log"
