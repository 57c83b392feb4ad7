#!/usr/bin/python3
"""Hears the wizard as a screen reader does, on the AT-SPI bus, while keys drive it.

Usage: screenreader.py MACHINE PROGRAM
Starts PROGRAM (the installer, laid into MACHINE/package) and listens to the accessibility bus
for focus changes and value changes, the events a screen reader such as Orca announces. Each
step sends keys with xdotool and waits until the last object that took the focus is the one a
screen-reader user must hear; a step that does not get there fails the run. Prints what was
heard, page by page, and exits non-zero on the first failed step.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

machine, program = sys.argv[1], sys.argv[2]
jaws10 = os.path.join(machine, "Program Files", "Freedom Scientific", "JAWS10.0")

started = time.monotonic()
focus = []        # (role, name) of each object that took the focus, in order
values = []       # values of the progress bar as they reached the bus
failures = []


def on_focus(event):
    if event.detail1 != 1:
        return
    try:
        focus.append((event.source.getRoleName(), event.source.name))
        print(f"  {time.monotonic() - started:5.1f} s  heard: {focus[-1][0]} {focus[-1][1]!r}", flush=True)
    except Exception:  # the object went while the event travelled
        pass


def on_value(event):
    try:
        if event.source.getRoleName() == "progress bar":
            values.append(event.source.queryValue().currentValue)
    except Exception:
        pass


pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
pyatspi.Registry.registerEventListener(on_value, "object:property-change:accessible-value")
pyatspi.Registry.registerEventListener(on_value, "object:value-changed")

wizard = subprocess.Popen([program], cwd=os.path.dirname(program))


def window():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(wizard.pid)],
                           capture_output=True, text=True).stdout.split()
    return found[0] if found else None


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "100", *names], check=True)


def heard(role, name=None, contains=None):
    """The object that took the focus last is this one."""
    def matches(entry):
        return entry[0] == role and (name is None or entry[1] == name) and (contains is None or contains in entry[1])
    def check():
        return bool(focus) and matches(focus[-1])
    check.matches = matches
    check.what = f"{role} " + (repr(name) if name is not None else f"containing {contains!r}" if contains else "")
    return check


def heard_in_order(*expected):
    """These objects took the focus one after the other, since the step began, the last one last."""
    def check():
        since = focus[check.start:]
        position = 0
        for one in expected:
            while position < len(since) and not one.matches(since[position]):
                position += 1
            if position == len(since):
                return False
            position += 1
        return position == len(since)
    check.start = 0
    check.what = " then ".join(one.what for one in expected)
    return check


def progress_seen():
    return len(set(values)) >= 2
progress_seen.what = "the progress bar's value changing on the bus"


def published_and(check):
    def both():
        return os.path.exists(os.path.join(jaws10, "installLog.txt")) and check()
    both.what = "the report in the JAWS folder and " + check.what
    return both


def program_ended():
    return wizard.poll() is not None
program_ended.what = "the program ending"


folder_row = os.path.join(machine, "Program Files", "Freedom Scientific", "JAWS10.0")
paragraph = heard("label", contains="QuorOlma Braille driver 2.1.0.7.")
info = heard("label", "Please select Jaws installation folder and your Braille device.")

# (title, keys, expectation, seconds allowed)
steps = [
    ("Page 0: the intro paragraph", [], paragraph, 20),
    ("Page 0: Tab goes round to the paragraph, read whole", ["Tab", "Tab", "Tab"], paragraph, 10),
    ("Page 0: Tab to Next", ["Tab"], heard("push button", "Next>"), 10),
    ("Page 1: on entering, the folder list, then its current row",
     ["Return"], heard_in_order(heard("list", ""), heard("list item", contains="JAWS")), 10),
    ("Page 1: Tab to the display list and its current row",
     ["Tab"], heard_in_order(heard("list", ""), heard("list item", "OLMA (1.71 et plus récent)")), 10),
    ("Page 1: Down to the next display", ["Down"], heard("list item", "QUOR"), 10),
    ("Page 1: Alt+J to the folder list", ["alt+j"], heard_in_order(heard("list", ""), heard("list item", contains="JAWS")), 10),
    ("Page 1: Shift+Tab to the sentence above the lists", ["shift+Tab"], info, 10),
    ("Page 1: the first folder with Alt+J and Home", ["alt+j", "Home"], heard("list item", folder_row), 10),
    ("Page 1: Alt+B to the display list, QUOR still chosen", ["alt+b"], heard("list item", "QUOR"), 10),
    ("Page 2: on entering, the state of the installation", ["Return"], heard("label", "Installation in progress..."), 20),
    ("Page 2: Tab goes round to the state of the installation", ["Tab", "Tab"],
     heard_in_order(heard("push button", "Cancel"), heard("label", "Installation in progress...")), 10),
    ("Page 2: the progress reaches the bus while the files are copied", [], progress_seen, 60),
    ("Page 3: on entering, the result sentence, once the report is published", [],
     published_and(heard("label", "Installation correctly done.")), 300),
    ("Page 3: Tab to the Finish sentence", ["Tab"], heard("label", "Click Finish to end the installation process."), 10),
    ("Page 3: Tab to Finish", ["Tab"], heard("push button", "Finish"), 10),
    ("Page 3: Tab goes round to the result sentence", ["Tab", "Tab"],
     heard_in_order(heard("push button", "Cancel"), heard("label", "Installation correctly done.")), 10),
    ("Page 3: Shift+Tab twice back to Finish", ["shift+Tab", "shift+Tab"], heard("push button", "Finish"), 10),
    ("Page 3: Enter ends the program", ["Return"], program_ended, 30),
]


def run_step(index=0):
    if index == len(steps):
        pyatspi.Registry.stop()
        return False
    title, names, expectation, seconds = steps[index]
    print(title, flush=True)
    if hasattr(expectation, "start"):
        expectation.start = len(focus)
    if names:
        keys(*names)
    deadline = time.monotonic() + seconds

    def poll():
        if expectation():
            GLib.idle_add(run_step, index + 1)
            return False
        if time.monotonic() > deadline:
            last = focus[-1] if focus else None
            failures.append(f"{title}: expected {expectation.what}, last heard {last}")
            pyatspi.Registry.stop()
            return False
        return True
    GLib.timeout_add(100, poll)
    return False


def start():
    # Without a window manager the window gets the keyboard only when it is given it.
    found = window()
    if not found:
        return True
    subprocess.run(["xdotool", "windowfocus", "--sync", found])
    GLib.timeout_add(500, run_step)
    return False


GLib.timeout_add(500, start)
GLib.timeout_add_seconds(600, lambda: (failures.append("the whole run took too long"), pyatspi.Registry.stop()))
pyatspi.Registry.start()

if wizard.poll() is None:
    wizard.terminate()
print(f"Progress values heard: {len(values)} changes, last {values[-1] if values else None}")
if failures:
    print("FAILED: " + failures[0], flush=True)
    sys.exit(1)
exit_code = wizard.wait()
if exit_code != 0:
    print(f"FAILED: the program ended with {exit_code}")
    sys.exit(1)


def text(*parts):
    with open(os.path.join(*parts), encoding="latin-1") as f:
        return f.read()


# What the keys installed: the driver, both displays listed, the Quor the user's default.
settings = os.path.join(machine, "AppData", "Roaming", "Freedom Scientific", "JAWS", "10.0", "Settings", "enu")
on_disk = [
    ("the driver in its folder", os.path.exists(os.path.join(jaws10, "Drivers", "Braille", "quorolma", "QuorOlma.jlb"))),
    ("both displays in jfw.ini", "Braille2Name=OLMA171" in text(jaws10, "jfw.ini") and "Name=QUOR" in text(jaws10, "jfw.ini")),
    ("the Quor the default display", "BrailleDisplay=QUOR" in text(settings, "default.jcf")),
    ("every large file copied", len([n for n in os.listdir(jaws10) if n.startswith("bulk_")]) == 32),
]
for what, ok in on_disk:
    print(f"On disk: {what}: {'yes' if ok else 'NO'}")
if not all(ok for _, ok in on_disk):
    print("FAILED: the installation is not complete on disk")
    sys.exit(1)
print("PASSED: every step heard as expected, the installation complete on disk")
