#!/usr/bin/python3
"""Hears the wizard through a real screen reader while keys drive a whole installation.

Usage: screenreader.py MACHINE PROGRAM WORK_FOLDER
Starts Orca on this session's accessibility bus, with its speech going nowhere but its debug
log (no speech server, no sound device), then starts PROGRAM (the installer, laid into
MACHINE/package). Each step sends keys with xdotool and waits until Orca has spoken what a
screen-reader user must hear; a step that does not get there fails the run.

Orca says what a user hears, but not which object the words came from. Where that matters the
run also listens to the bus itself: on the choice page the current row must take the focus after
its list, as its own focus event, which a screen reader that follows focus events alone needs;
Orca might read the same row out as part of the list.
Prints what Orca said, page by page, and exits non-zero on the first failed step.
"""
import codecs
import json
import os
import re
import subprocess
import sys
import threading
import time

import pyatspi
from gi.repository import GLib

machine, program, work = sys.argv[1], sys.argv[2], sys.argv[3]
jaws_root = os.path.join(machine, "Program Files", "Freedom Scientific")
jaws10 = os.path.join(jaws_root, "JAWS10.0")

started = time.monotonic()
failures = []


# --- Orca, its speech read from its debug log -------------------------------------------------

orca_home = os.path.join(work, "orca-home")
orca_prefs = os.path.join(orca_home, "prefs")
orca_log = os.path.join(work, "orca-debug.log")
os.makedirs(orca_prefs, exist_ok=True)
# Orca's own settings file: no speech server (the debug log still gets every utterance, as
# "SPEECH OUTPUT: '...'"), no braille display, no sounds, no echo of the keys the run presses,
# and nothing to set up on a first start.
with open(os.path.join(orca_prefs, "user-settings.conf"), "w") as f:
    json.dump({"general": {"speechServerFactory": "", "enableBraille": False, "enableSound": False,
                           "enableKeyEcho": False, "firstStart": False},
               "profiles": {"default": {"profile": ["Default", "default"]}},
               "pronunciations": {}, "keybindings": {}}, f)
# Orca refuses to start when any process of this user is called "orca", on any display or bus
# (it asks pgrep). This Orca has a bus and a display of its own, so it is told there is none.
shim = os.path.join(orca_home, "bin")
os.makedirs(shim, exist_ok=True)
with open(os.path.join(shim, "pgrep"), "w") as f:
    f.write("#!/bin/sh\nexit 1\n")
os.chmod(os.path.join(shim, "pgrep"), 0o755)

# Orca's customization file, run when it loads its settings: its debug log written line by line
# (it is read while Orca runs), and without the details of every event's object, each of which
# costs Orca a round trip to the program and would keep it far behind what happens.
with open(os.path.join(orca_prefs, "orca-customizations.py"), "w") as f:
    f.write("import re\n"
            "from orca import debug\n"
            "if debug.debugFile:\n"
            "    debug.debugFile.reconfigure(line_buffering=True)\n"
            "debug.eventDebugFilter = re.compile('$^')\n")
orca_environment = dict(os.environ, HOME=orca_home, PATH=shim + os.pathsep + os.environ["PATH"])
orca_output = open(os.path.join(work, "orca-output.txt"), "w")
if os.path.exists(orca_log):
    os.remove(orca_log)
orca = subprocess.Popen(["/usr/bin/orca", "--user-prefs", orca_prefs, "--debug-file", orca_log],
                        env=orca_environment, stdout=orca_output, stderr=subprocess.STDOUT)

spoken = []       # each utterance, whitespace collapsed, in order
pages = []        # (page title, index in spoken of the first thing heard of it)
_log_offset = 0
_log_rest = ""
_decoder = codecs.getincrementaldecoder("utf-8")(errors="replace")
# One utterance: "SPEECH OUTPUT: 'text'" then the voice, as "{...}" or " voice=name{...}".
_utterance = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\S+)? ?\{", re.S)


def read_speech():
    global _log_offset, _log_rest
    try:
        with open(orca_log, "rb") as f:
            f.seek(_log_offset)
            data = f.read()
    except FileNotFoundError:
        return
    _log_offset += len(data)
    text = _log_rest + _decoder.decode(data)
    end = 0
    for match in _utterance.finditer(text):
        spoken.append(" ".join(match.group(1).split()))
        print(f"  {time.monotonic() - started:5.1f} s  Orca: {spoken[-1]}", flush=True)
        end = match.end()
    rest = text[end:]
    partial = rest.rfind("SPEECH OUTPUT: '")
    _log_rest = rest[partial:] if partial >= 0 else rest[-20:]


class Said:
    """A test of one utterance."""
    def __init__(self, what, test):
        self.what, self.test = what, test


def said(text):
    return Said(repr(text), lambda u: u == text)


def said_name(text):
    # Orca ends a text that ends in a letter or digit with a full stop.
    return Said(repr(text), lambda u: u in (text, text + "."))


def said_containing(text):
    return Said(f"containing {text!r}", lambda u: text in u)


def said_matching(pattern):
    return Said(f"matching {pattern!r}", lambda u: re.fullmatch(pattern, u) is not None)


def orca_said(*expected, since_page=False):
    """Orca said these, one after the other, since the step's keys (or since its page began)."""
    def check():
        position = page_began["spoken"] if since_page else check.start
        for number, one in enumerate(expected):
            while position < len(spoken) and not one.test(spoken[position]):
                position += 1
            if position == len(spoken):
                return False
            if number == 0:
                check.first = position
            position += 1
        return True
    check.heard = spoken
    check.start = check.first = 0
    check.what = "Orca saying " + " then ".join(one.what for one in expected)
    return check


# --- The bus, for what Orca does not tell ----------------------------------------------------

focus = []        # (role, name) of each object that took the focus, in order


def on_focus(event):
    if event.detail1 != 1:
        return
    try:
        focus.append((event.source.getRoleName(), event.source.name))
    except Exception:  # the object went while the event travelled
        pass


def took_focus(*expected):
    """These objects took the focus one after the other since the step began, the last one last."""
    def check():
        since = focus[check.start:]
        position = 0
        for role, name in expected:
            while position < len(since) and not (since[position][0] == role and since[position][1] == name):
                position += 1
            if position == len(since):
                return False
            position += 1
        return position == len(since)
    check.heard = focus
    check.start = 0
    check.what = "the bus giving the focus to " + " then ".join(f"{r} {n!r}" for r, n in expected)
    return check


pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")

wizard = None


def published():
    return os.path.exists(os.path.join(jaws10, "installLog.txt"))
published.what = "the report in the JAWS folder"


def program_ended():
    return wizard.poll() is not None
program_ended.what = "the program ending"


# --- What the user must hear ----------------------------------------------------------------

paragraph = ("This wizard will install the QuorOlma Braille driver 2.1.0.7. The driver is compatible with: "
             "- Quor range of products - Olma range of products (firmware version 1.71 or higher). "
             "Use the Tab key to go to the next button.")
first_folder = os.path.join(jaws_root, "JAWS10.0")
# The registry lists 10.0, 2019, 2025, 6.10 (sorted by key name): the last row is pre-selected.
last_folder = os.path.join(jaws_root, "JAWS6.10")
folders, devices = "Jaws folders:", "Braille devices:"
olma = "OLMA (1.71 et plus récent)"
progress = "Installation in progress..."
result = "Installation correctly done."


# The package's named pipes (run.sh): each holds the copy until it is let go, and what was
# written into it must arrive whole in the JAWS folder.
written = {}


def let_go(name):
    """Writes the named pipe and closes it: the copy, waiting on its read, goes on."""
    def action():
        data = (name.encode() + b"\n") * 40000
        written[name] = data

        def write():
            with open(os.path.join(machine, "package", name), "wb") as pipe:  # waits for the copy's read
                pipe.write(data)
        threading.Thread(target=write, daemon=True).start()
    return action


def listen_to(*checks):
    """All of these hold."""
    def check():
        return all(one() for one in checks)
    check.checks = checks
    check.what = " and ".join(one.what for one in checks)
    return check


# (page, title, keys, expectation, seconds allowed). One key a step: keys pressed faster than
# Orca speaks are heard only in part (it drops a focus that a newer one has replaced), as a
# user who types ahead hears only where the focus lands.
steps = [
    ("Page 0", "on start, the window and the intro paragraph", [], orca_said(said_containing(paragraph)), 60),
    ("Page 0", "Tab to Next", ["Tab"], orca_said(said("Next> push button.")), 30),
    ("Page 0", "Tab to Cancel", ["Tab"], orca_said(said("Cancel push button.")), 30),
    ("Page 0", "Tab goes round to the paragraph, read whole", ["Tab"], orca_said(said(paragraph + " label.")), 30),
    ("Page 0", "Tab to Next again", ["Tab"], orca_said(said("Next> push button.")), 30),
    ("Page 1", "on entering, the folder list's name, then its current row", ["Return"],
     listen_to(orca_said(said(folders), said("List with 4 items."), said_name(last_folder)),
               took_focus(("list", folders), ("list item", last_folder))), 30),
    ("Page 1", "Tab to the display list's name and its current row", ["Tab"],
     listen_to(orca_said(said(devices), said("List with 2 items."), said_name(olma)),
               took_focus(("list", devices), ("list item", olma))), 30),
    ("Page 1", "Down to the next display", ["Down"], orca_said(said_name("QUOR")), 30),
    ("Page 1", "Alt+J to the folder list", ["alt+j"],
     listen_to(orca_said(said(folders), said("List with 4 items."), said_name(last_folder)),
               took_focus(("list", folders), ("list item", last_folder))), 30),
    ("Page 1", "Shift+Tab to the sentence above the lists", ["shift+Tab"],
     orca_said(said("Please select Jaws installation folder and your Braille device. label.")), 30),
    ("Page 1", "Alt+J back to the folder list", ["alt+j"], orca_said(said(folders), said_name(last_folder)), 30),
    ("Page 1", "Home to the first folder", ["Home"], orca_said(said_name(first_folder)), 30),
    ("Page 1", "Alt+B to the display list, QUOR still chosen", ["alt+b"],
     listen_to(orca_said(said(devices), said("List with 2 items."), said_name("QUOR")),
               took_focus(("list", devices), ("list item", "QUOR"))), 30),
    ("Page 2", "on entering, the state of the installation", ["Return"], orca_said(said(progress + " label.")), 30),
    ("Page 2", "Tab to Cancel while the files are copied", ["Tab"], orca_said(said("Cancel push button.")), 30),
    ("Page 2", "Tab goes round to the state of the installation", ["Tab"], orca_said(said(progress + " label.")), 30),
    ("Page 2", "the progress of the copy, once the first held file is let go", [let_go("bulk_a_held.chm")],
     orca_said(said_matching(r"\d+ percent\."), since_page=True), 120),
    ("Page 3", "without a key, once the second held file is let go, the result sentence and the report published",
     [let_go("bulk_c_held.chm")],
     listen_to(orca_said(said(result + " label.")), published), 300),
    ("Page 3", "Tab to the Finish sentence", ["Tab"], orca_said(said("Click Finish to end the installation process. label.")), 30),
    ("Page 3", "Tab to Finish", ["Tab"], orca_said(said("Finish push button.")), 30),
    ("Page 3", "Tab to Cancel", ["Tab"], orca_said(said("Cancel push button.")), 30),
    ("Page 3", "Tab goes round to the result sentence", ["Tab"], orca_said(said(result + " label.")), 30),
    ("Page 3", "Shift+Tab back to Cancel", ["shift+Tab"], orca_said(said("Cancel push button.")), 30),
    ("Page 3", "Shift+Tab back to Finish", ["shift+Tab"], orca_said(said("Finish push button.")), 30),
    ("Page 3", "Enter ends the program", ["Return"], program_ended, 60),
]


def window():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(wizard.pid)],
                           capture_output=True, text=True).stdout.split()
    return found[0] if found else None


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "100", *names], check=True)


def stop(why=None):
    if why:
        failures.append(why)
    pyatspi.Registry.stop()
    return False


keys_sent_at = {"spoken": 0, "focus": 0}  # what had been heard when the last keys went out
page_began = {"spoken": 0}                # ... when the keys that led to this page went out


def run_step(index=0):
    if index == len(steps):
        return stop()
    page, title, names, expectation, seconds = steps[index]
    print(f"{page}: {title}", flush=True)
    if names:
        keys_sent_at.update(spoken=len(spoken), focus=len(focus))
    if index == 0 or steps[index - 1][0] != page:
        page_began["spoken"] = keys_sent_at["spoken"]
    # Whatever was heard after the last keys counts: a step without keys may have been heard
    # while the step before it was still being checked.
    checks = getattr(expectation, "checks", [expectation])
    for one in checks:
        if hasattr(one, "heard"):
            one.start = keys_sent_at["spoken" if one.heard is spoken else "focus"]
    for name in names:
        if callable(name):
            name()
        else:
            keys(name)
    deadline = time.monotonic() + seconds

    def poll():
        read_speech()
        if expectation():
            # The transcript's pages begin with the first thing heard of each.
            if not pages or pages[-1][0] != page:
                pages.append((page, next((one.first for one in checks if hasattr(one, "first")), len(spoken))))
            GLib.idle_add(run_step, index + 1)
            return False
        if time.monotonic() > deadline:
            begin = pages[-1][1] if pages else 0
            return stop(f"{page}: {title}: expected {expectation.what}; Orca said since the page began: "
                        f"{spoken[begin:]}; last focus on the bus: {focus[-1] if focus else None}")
        return True
    GLib.timeout_add(100, poll)
    return False


def start_program():
    # The screen reader first: the program is heard from its first window on.
    read_speech()
    if orca.poll() is not None:
        return stop(f"Orca ended at once with {orca.returncode}; see orca-output.txt")
    if not spoken:
        return True
    global wizard
    keys_sent_at.update(spoken=len(spoken), focus=len(focus))
    wizard = subprocess.Popen([program], cwd=os.path.dirname(program))
    GLib.timeout_add(500, focus_window)
    return False


def focus_window():
    # Without a window manager the window gets the keyboard only when it is given it.
    found = window()
    if not found:
        return True
    subprocess.run(["xdotool", "windowfocus", "--sync", found])
    GLib.idle_add(run_step)
    return False


GLib.timeout_add(200, start_program)
GLib.timeout_add_seconds(900, lambda: stop("the whole run took too long"))
try:
    pyatspi.Registry.start()
finally:
    if wizard and wizard.poll() is None:
        wizard.terminate()
    orca.terminate()
    try:
        orca.wait(30)
    except subprocess.TimeoutExpired:
        orca.kill()
        orca.wait()
read_speech()

print("What Orca said, page by page:")
for number, (page, begin) in enumerate(pages):
    end = pages[number + 1][1] if number + 1 < len(pages) else len(spoken)
    print(f"  {page}:")
    for utterance in spoken[begin:end]:
        print(f"    {utterance}")
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
    # The package keeps them: the manifest matches them by a wildcard only.
    ("every file of the held copy copied", 0 < len([n for n in os.listdir(jaws10) if n.startswith("bulk_")])
     == len([n for n in os.listdir(os.path.join(machine, "package")) if n.startswith("bulk_")])),
    ("each named pipe's content whole in the JAWS folder", len(written) == 2 and all(
        open(os.path.join(jaws10, name), "rb").read() == data for name, data in written.items())),
]
for what, ok in on_disk:
    print(f"On disk: {what}: {'yes' if ok else 'NO'}")
if not all(ok for _, ok in on_disk):
    print("FAILED: the installation is not complete on disk")
    sys.exit(1)
print("PASSED: every step heard as expected, the installation complete on disk")
