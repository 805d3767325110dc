#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Holds Orca's debug log from a11y_orca.sh to what each step must have made it say.

  check_speech.py OUTDIR [desktop|web]

desktop (a11y_orca.sh, the default) or web (tests/web/a11y_web_orca.sh: the page in a
browser, which names a text box an "entry" in Firefox, and tells what a readout says in a live
region, its name before its value).

Reads OUTDIR/orca.log (each utterance a line "HH:MM:SS.ffffff - SPEECH OUTPUT: '...'", in
local time), OUTDIR/marks (seconds since the epoch, step) and the boxes' texts read on the
way. Prints what Orca said from Run to the report (spoken.txt keeps it), the figures, and one
line per check; exits 1 when a check fails.
"""
import re
import sys
import time

from a11y_checks import check, read_marks, read_texts, result

# Each step and what Orca must say within LAG seconds of its mark: the control that the keys
# of the step reach, announced by its accessible name and role.
DESKTOP_STEPS = (
    # The picture's menu: its entries, and "Projector colours" checked once chosen.
    ("menu_open", r"^Full screen"),
    ("menu_next", r"^Projector colours\.?$"),
    ("menu_checked", r"^Projector colours.* checked"),
    ("tab_run", r"^Run Simulation push button"),
    ("tab_ang_freq", r"^ang freq text"),
    ("tab_radius", r"^radius text"),
    ("tab_theta0", r"^theta0 text"),
    ("tab_t", r"^t \(sec\) text"),
    ("tab_pause", r"^pause simulation push button"),
    ("tab_restart", r"^Restart push button"),
    ("tab_apply", r"^Apply push button"),
    ("tab_ang_freq_again", r"^ang freq text"),
    ("back_to_apply", r"^Apply push button"),
    # The report of the number typed, read out as its box comes up.
    ("report", r"The number typed into the \"ang freq\" box \(1E400\) is too large"),
    # The box closed: the keyboard is back on "Apply".
    ("close_report", r"^Apply push button"),
)
# The page, to the pause: a browser's button is a "push button" (Chromium) or a "button", a box
# a "text" or an "entry".
WEB_STEPS = (
    ("tab_run", r"^Run Simulation (push )?button"),
    ("tab_ang_freq", r"^ang freq (text|entry)"),
    ("tab_radius", r"^radius (text|entry)"),
    ("tab_theta0", r"^theta0 (text|entry)"),
    ("tab_t", r"^t \(sec\) (text|entry)"),
    ("tab_pause", r"^pause simulation (push )?button"),
)
# The readouts by their accessible names, as the page tells them once paused.
READOUTS = ("t (sec)", "theta", "x", "y", "theta in units of pi")
# What Orca writes when the events come faster than it can handle them.
FLOOD = re.compile(r"FLOOD\?|DELUGE|Ignoring event type due to deluge")
# The utterance ends where the voice's settings begin: '...'{...}, '...' {...} or '...'[{...}].
SPEECH = re.compile(r"^(\d\d):(\d\d):(\d\d\.\d+) - SPEECH OUTPUT: '(.*?)' ?\[?\{")
# A value of "t (sec)" said alone: as the box says it (desktop) or in its live region (web).
NUMBER = re.compile(r"^(?:t \(sec\)\s+)?\s*(-?\d*\.?\d+)\.?$")
ANNOUNCE_INTERVAL = 3.0  # s between the values of the focused readout
# s that Orca may take to say what a step made it say: it says it within some 0.1 s, so this
# leaves room for a loaded machine, and is far less than the time a flooded Orca takes.
LAG = 3.0

def seconds_of_day(epoch):
    t = time.localtime(epoch)
    return t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec + (epoch % 1)


def read_speech(path):
    """(second of the day, text) of each utterance, and the lines that tell of a flood."""
    said, flood = [], []
    last = 0.0
    day = 0.0
    with open(path, errors="replace") as f:
        for line in f:
            if FLOOD.search(line):
                flood.append(line.rstrip())
            m = SPEECH.match(line)
            if not m:
                continue
            t = int(m.group(1)) * 3600 + int(m.group(2)) * 60 + float(m.group(3)) + day
            if t < last - 3600:  # past midnight
                day += 86400
                t += 86400
            last = t
            said.append((t, m.group(4)))
    return said, flood


def words(text):
    """An utterance as heard: blanks run together, no full stop at its end."""
    return " ".join(text.split()).rstrip(".")


def main(out, plan):
    marks = [(name, seconds_of_day(t)) for name, t in read_marks(out + "/marks")]
    at = dict(marks)
    said, flood = read_speech(out + "/orca.log")
    # Marks written before midnight and speech after it (or the reverse) are not compared.
    if marks[-1][1] < marks[0][1]:
        print("the run crossed midnight: run it again")
        return 1

    def spoken(start, end):
        return [(t, s) for t, s in said if start <= t < end]

    with open(out + "/spoken.txt", "w") as f:
        for t, s in spoken(at["run"], at["end"]):
            f.write("%.3f %r\n" % (t - at["run"], s))
    while_running = spoken(at["run"], at["pause"])
    print("Orca said while the motion ran (seconds after Space on \"Run Simulation\"):")
    for t, s in while_running:
        print("  %6.2f  %r" % (t - at["run"], s))
    with open(out + "/figures.txt", "a") as figures:
        line = ("Orca: %d utterances while running (%.1f s), %d lines of its log tell of a "
                "flood of events" % (len(while_running), at["pause"] - at["run"], len(flood)))
        print("figure: " + line)
        figures.write(line + "\n")

    check(not flood, "Orca saw no flood of events%s" % (": " + flood[0] if flood else ""))

    for step, pattern in (WEB_STEPS if plan == "web" else DESKTOP_STEPS):
        texts = [s for _, s in spoken(at[step], at[step] + LAG)]
        check(any(re.search(pattern, s) for s in texts),
              "%s: Orca said %r (looked for /%s/)" % (step, texts, pattern))

    # On "t (sec)" while the motion runs: the value read with the box, then a new value every
    # 3 s, each the time shown then: told values grow as the clock does.
    values = [(t, float(NUMBER.match(s).group(1)))
              for t, s in spoken(at["tab_t"], at["tab_pause"]) if NUMBER.match(s)]
    check(len(values) >= 2,
          "on \"t (sec)\" Orca said the values %s" % [v for _, v in values])
    for (t0, v0), (t1, v1) in zip(values, values[1:]):
        check(t1 - t0 >= ANNOUNCE_INTERVAL - 0.5 and abs((v1 - v0) - (t1 - t0)) < 0.5,
              "on \"t (sec)\": %.2f then %.2f, %.2f s apart" % (v0, v1, t1 - t0))

    if plan == "web":
        return check_web(out, at, spoken)

    # The keys did what they say: paused, the time stands; after Restart it goes on, and the
    # failed Apply left it going on, the number typed kept in its box.
    t = {name: float(read_texts(out + "/texts_" + name)["t (sec)"])
         for name in ("running", "paused_a", "paused_b", "restarted_a", "restarted_b",
                      "after_report")}
    check(t["paused_a"] == t["paused_b"],
          "Space on \"pause simulation\" paused: t %.2f then %.2f" % (t["paused_a"], t["paused_b"]))
    check(t["restarted_b"] > t["restarted_a"] >= t["paused_b"],
          "Space on \"Restart\" resumed: t %.2f then %.2f" % (t["restarted_a"], t["restarted_b"]))
    check(t["after_report"] > t["restarted_b"],
          "after the failed \"Apply\" the motion runs on: t %.2f" % t["after_report"])
    omega = read_texts(out + "/texts_after_report")["ang freq"]
    check(omega == "1E400", "the number typed stays in \"ang freq\": %r" % omega)

    return result("Orca's speech")


def check_web(out, at, spoken):
    """Paused, each readout is heard once, whole, with its name and what the box holds."""
    texts = read_texts(out + "/texts_paused")
    heard = [words(s) for _, s in spoken(at["pause"], at["end"])]
    for name in READOUTS:
        told = words("%s %s" % (name, texts.get(name, "?")))
        check(heard.count(told) == 1,
              "paused, %r heard once: %d times in %r" % (told, heard.count(told), heard))
    return result("Orca's speech")


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3) or sys.argv[2:] not in ([], ["desktop"], ["web"]):
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2] if len(sys.argv) == 3 else "desktop"))
