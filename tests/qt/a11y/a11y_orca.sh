#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program with a real screen reader, Debian's Orca, used from the keyboard alone as a
# blind student would: what Orca says while the motion runs, read from its debug log.
#
#   a11y_orca.sh PROGRAM OUTDIR
#
# In a private Xvfb and session bus, Orca starts with a private HOME and speaks to
# speech-dispatcher's dummy module (nothing is heard; its debug log keeps every utterance).
# Then, by keys only: Shift+F10 on the picture opens its menu, "Projector colours" chosen and
# chosen again; Tab to "Run Simulation", Space; Tab to "ang freq", "radius", "theta0"
# and "t (sec)" while the motion runs, staying 7 s on "t (sec)"; Tab to "pause simulation",
# Space; on to "Restart", Space; Tab to "Apply"; to "ang freq", type 1E400, Shift+Tab back to
# "Apply", Space: the report; Return closes it. check_speech.py then holds Orca's log to what
# each step must have made it say, and to no flood of events. The log (orca.log), the steps'
# moments (marks), the boxes' texts read on the way and the figures are left in OUTDIR.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 PROGRAM OUTDIR" >&2; exit 2; }
program=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=a11y_session.sh
. "$here/a11y_session.sh"
a11y_require orca
a11y_enter

start_orca
start_program
# The picture's menu, from the picture that has the focus at start: its entries by name, and
# "Projector colours" said checked once chosen (Orca tells a menu item's check only when set);
# chosen again, the program's own colours are back and the keyboard on the picture.
press_gap=1.2
mark menu_open
press shift+F10
mark menu_next
press Down
mark menu_choose
press Return
mark menu_again
press shift+F10
mark menu_checked
press Down
mark menu_close
press Return
run_and_visit_readout "$out/texts_running"
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
