#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a program tells assistive technology, heard as a screen reader hears it: on AT-SPI.

  atspi_listen.py events APP OUT   records APP's text and value events into OUT, one line
                                   each: time <TAB> type <TAB> source name <TAB> detail1
                                   <TAB> data; writes "ready" on stdout once listening, and
                                   stops on SIGTERM or SIGINT
  atspi_listen.py texts APP        prints the text of each of APP's text boxes as an AT-SPI
                                   client reads it when it asks: name <TAB> text
  atspi_listen.py wait EVENT S     waits up to S seconds until some client of the bus (a
                                   screen reader starting) listens to EVENT, named as the
                                   registry names it (Object:StateChanged:Focused); fails
                                   after

APP is the application's accessible name. Times are seconds since the epoch, the clock that
`date +%s.%N` reads, so that a test can lay its own steps beside the events.
"""
import signal
import sys
import time

import pyatspi
from gi.repository import Gio, GLib

EVENTS = (
    "object:text-changed",
    "object:text-caret-moved",
    "object:property-change:accessible-value",
)


def find_app(name, wait_s=10.0):
    deadline = time.time() + wait_s
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    sys.exit("no accessible application named %r" % name)


def text_boxes(node):
    if node is None:
        return
    if node.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
        yield node
    for child in node:
        yield from text_boxes(child)


def print_texts(app_name):
    for box in text_boxes(find_app(app_name)):
        text = box.queryText()
        print("%s\t%s" % (box.name, text.getText(0, text.characterCount)))


def record(app_name, out_path):
    out = open(out_path, "w", buffering=1)
    # Per source: its name, or None when it belongs to another application. Looked up once,
    # so that the listener keeps up with a program that sends a thousand events a second.
    names = {}

    def on_event(event):
        now = time.time()
        source = event.source
        if source not in names:
            try:
                app = source.getApplication()
                names[source] = source.name if app is not None and app.name == app_name else None
            except Exception:  # the object went away before it was asked
                names[source] = None
        name = names[source]
        if name is None:
            return
        data = event.any_data if isinstance(event.any_data, str) else ""
        out.write("%.6f\t%s\t%s\t%d\t%s\n" % (now, event.type, name, event.detail1,
                                             data.replace("\t", " ").replace("\n", " ")))

    pyatspi.Registry.registerEventListener(on_event, *EVENTS)
    for sig in (signal.SIGTERM, signal.SIGINT):
        GLib.unix_signal_add(GLib.PRIORITY_HIGH, sig, lambda: pyatspi.Registry.stop() or False)
    print("ready", flush=True)
    pyatspi.Registry.start()
    out.close()


def registered_events():
    """The events that the clients of the accessibility bus listen to, as the registry has
    them."""
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                None, GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 5000,
                                None).unpack()[0]
    bus = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
        | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
    reply = bus.call_sync("org.a11y.atspi.Registry", "/org/a11y/atspi/registry",
                          "org.a11y.atspi.Registry", "GetRegisteredEvents", None, None,
                          Gio.DBusCallFlags.NONE, 5000, None).unpack()[0]
    return {event for _, event in reply}


def wait_for_listener(event, wait_s):
    deadline = time.time() + wait_s
    while time.time() < deadline:
        if event in registered_events():
            return
        time.sleep(0.2)
    sys.exit("no client listens to %s after %s s" % (event, wait_s))


def main(argv):
    if len(argv) == 4 and argv[1] == "events":
        record(argv[2], argv[3])
    elif len(argv) == 3 and argv[1] == "texts":
        print_texts(argv[2])
    elif len(argv) == 4 and argv[1] == "wait":
        wait_for_listener(argv[2], float(argv[3]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
