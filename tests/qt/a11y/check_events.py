#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Holds the events that a11y_events.sh heard to the rule of the readouts.

  check_events.py OUTDIR

The rule (core/frontend/readouts.h): while the motion runs a readout without the focus sends
nothing; the focused one is heard every 3 s, and not as the focus comes to it (the screen
reader reads it then); once the motion stands still each readout that changed is heard once,
with the text it shows. Prints the events per second as figures and one line per check;
exits 1 when a check fails.
"""
import sys
from collections import Counter

from a11y_checks import check, read_marks, read_texts, result

READOUTS = ("t (sec)", "theta", "x", "y", "theta in units of pi")
ANNOUNCE_INTERVAL = 3.0  # s
INSERT = "object:text-changed:insert"

# The phases of the run, each between two marks of the script (seconds added to each), and
# what a readout may send in it:
#   name, from mark, from offset, to mark, to offset, readouts, (least, most) events of any
#   kind per readout, (least, most) inserts per readout.
# In "running" the focus is on "Run Simulation" from first to last. In "on t" it comes to
# "t (sec)" with the fourth Tab, 0.3 s before its mark, and leaves with the next Tab 0.6 s
# before "paused": 8.3 s on the box, so values at +3 s and +6 s.
PHASES = (
    ("running", "running", 0.3, "on_t", -0.5, READOUTS, (0, 0), (0, 0)),
    ("on t, the others", "on_t", -0.5, "paused", -0.7, READOUTS[1:], (0, 0), (0, 0)),
    ("on t", "on_t", -0.5, "paused", -0.7, READOUTS[:1], (1, 9), (2, 3)),
    ("paused", "paused", -0.7, "end", 0.0, READOUTS, (1, 3), (1, 1)),
)

def read_events(path):
    events = []
    with open(path) as f:
        for line in f:
            t, kind, name, detail, data = line.rstrip("\n").split("\t")
            events.append((float(t), kind, name, int(detail), data))
    return events


def main(out):
    marks = dict(read_marks(out + "/marks"))
    events = read_events(out + "/events.tsv")

    def between(start, end, names=READOUTS):
        return [e for e in events if start <= e[0] < end and e[2] in names]

    # Figures: what a screen reader is handed, running without and with the focus on a readout.
    with open(out + "/figures.txt", "a") as figures:
        for label, a, b in (("running, focus on a button", marks["running"], marks["on_t"]),
                            ("running, focus on \"t (sec)\"", marks["on_t"],
                             marks["paused"] - 0.7)):
            seconds = b - a
            ours = between(a, b)
            every = [e for e in events if a <= e[0] < b]
            line = "events per second, %s: %.1f from the readouts, %.1f in all (%s)" % (
                label, len(ours) / seconds, len(every) / seconds,
                ", ".join("%s %d" % kv for kv in sorted(Counter(e[1] for e in ours).items())))
            print("figure: " + line)
            figures.write(line + "\n")

    for name, m0, d0, m1, d1, boxes, (least, most), (least_ins, most_ins) in PHASES:
        start, end = marks[m0] + d0, marks[m1] + d1
        for box in boxes:
            got = between(start, end, (box,))
            inserts = [e for e in got if e[1] == INSERT]
            check(least <= len(got) <= most,
                  "%s: \"%s\" sent %d events (%d to %d)" % (name, box, len(got), least, most))
            check(least_ins <= len(inserts) <= most_ins,
                  "%s: \"%s\" was heard %d times (%d to %d)" %
                  (name, box, len(inserts), least_ins, most_ins))

    # The focused readout: 3 s apart, the first 3 s after the focus came, each the time shown
    # then: the values told grow as the clock does.
    focus_came = marks["on_t"] - 0.3
    told = [e for e in between(focus_came, marks["paused"] - 0.7, ("t (sec)",)) if e[1] == INSERT]
    times = [focus_came] + [e[0] for e in told]
    gaps = [b - a for a, b in zip(times, times[1:])]
    check(all(g >= ANNOUNCE_INTERVAL - 0.4 for g in gaps),
          "\"t (sec)\" heard %s s after the focus came and after each other" %
          ", ".join("%.2f" % g for g in gaps[:6]) + (" ..." if len(gaps) > 6 else ""))
    told = told[:6]
    for (t0, _, _, _, v0), (t1, _, _, _, v1) in zip(told, told[1:]):
        check(abs((float(v1) - float(v0)) - (t1 - t0)) < 0.3,
              "\"t (sec)\" told %s then %s, %.2f s apart" % (v0.strip(), v1.strip(), t1 - t0))

    # Asked, an AT-SPI client reads what the box shows, quiet or not: 1 s apart while running,
    # t has grown by about 1 s; once paused, each readout's last text heard is the one shown.
    a = read_texts(out + "/texts_running_a")
    b = read_texts(out + "/texts_running_b")
    grown = float(b["t (sec)"]) - float(a["t (sec)"])
    check(0.8 <= grown <= 2.0,
          "asked while running, \"t (sec)\" read %s then %s a second later" %
          (a["t (sec)"].strip(), b["t (sec)"].strip()))
    shown = read_texts(out + "/texts_paused")
    for box in READOUTS:
        heard = [e[4] for e in between(marks["paused"] - 0.7, marks["end"], (box,))
                 if e[1] == INSERT]
        check(heard[-1:] == [shown.get(box)],
              "paused: \"%s\" heard %s, shows %r" % (box, heard, shown.get(box)))
    return result("the events")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
