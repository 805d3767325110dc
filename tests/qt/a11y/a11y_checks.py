# SPDX-License-Identifier: GPL-3.0-or-later
"""What the checkers of the accessibility tests share: the files the test scripts leave, and
one line per check with the failures counted."""

failures = 0
checks = 0


def check(ok, message):
    global failures, checks
    print(("ok: " if ok else "FAIL: ") + message)
    checks += 1
    failures += 0 if ok else 1


def result(what):
    """The exit status: 1, with the count said, when a check failed."""
    if failures:
        print("%d of %d checks of %s failed" % (failures, checks, what))
        return 1
    return 0


def read_marks(path):
    """(step, seconds since the epoch) of each mark, in the order written."""
    with open(path) as f:
        return [(name, float(t)) for t, name in (line.split() for line in f)]


def read_texts(path):
    """The boxes' texts as read on the way: accessible name to text."""
    with open(path) as f:
        return dict(line.rstrip("\n").split("\t", 1) for line in f if "\t" in line)
