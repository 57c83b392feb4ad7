#!/usr/bin/python3
"""Hears the wizards through a real screen reader while keys drive them: a whole installation,
the removal of what it installed, then a whole installation with the German catalogue.

Usage: screenreader.py MACHINE PROGRAM WORK_FOLDER
Starts Orca on this session's accessibility bus, with its speech going nowhere but its debug
log (no speech server, no sound device), then starts PROGRAM (the installer, laid into
MACHINE/package) once for each run. Each step sends keys with xdotool and waits until Orca has
spoken what a screen-reader user must hear; a step that does not get there fails the run. Orca
itself speaks English; the German texts expected of the program are read from its German
catalogue.

Orca says what a user hears, but not which object the words came from. Where that matters the
run also listens to the bus itself: on the choice page the current row must take the focus after
its list, as its own focus event, which a screen reader that follows focus events alone needs;
Orca might read the same row out as part of the list.
Prints what Orca said, page by page, and exits non-zero on the first failed step.
"""
import codecs
import fcntl
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import threading
import time
import xml.etree.ElementTree as ET

import pyatspi
from gi.repository import GLib

machine, program, work = sys.argv[1], sys.argv[2], sys.argv[3]
jaws_root = os.path.join(machine, "Program Files", "Freedom Scientific")
jaws10 = os.path.join(jaws_root, "JAWS10.0")
jaws6 = os.path.join(jaws_root, "JAWS6.10")

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


def said_line_of(text):
    # A line as shown: the text may wrap at the widget's edge, and Orca reads one line.
    return Said(f"a line beginning {text!r}", lambda u: len(u) > 10 and text.startswith(u.rstrip(".")))


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
details = {}      # (role, name) -> (description, whether it fits in its parent's width)


def on_focus(event):
    if event.detail1 != 1:
        return
    try:
        source = event.source
        focus.append((source.getRoleName(), source.name))
        x, _, width, _ = source.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        px, _, pwidth, _ = source.parent.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        details[focus[-1]] = (source.description, px <= x and x + width <= px + pwidth)
    except Exception:  # the object went while the event travelled
        pass


def row_shown(name, description):
    """The row that took the focus has this description, and is not cut at its list's right edge."""
    def check():
        seen = details.get(("list item", name))
        check.what = f"the row {name!r} described as {description!r}, whole within its list; on the bus: {seen}"
        return seen == (description, True)
    check.what = f"the row {name!r} described as {description!r}, whole within its list"
    return check


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


def published(jaws):
    def check():
        return os.path.exists(os.path.join(jaws, "installLog.txt"))
    check.what = f"the report in {jaws}"
    return check


def program_ended():
    return wizard.poll() == 0
program_ended.what = "the program ending with exit code 0"


def text(*parts):
    with open(os.path.join(*parts), encoding="latin-1") as f:
        return f.read()


def on_disk(what, tests):
    """Each of TESTS (name, test) holds; a test that cannot read its file does not."""
    def holds(test):
        try:
            return bool(test())
        except OSError:
            return False

    def check():
        missing = [name for name, test in tests if not holds(test)]
        check.what = f"{what} on disk; not so: {missing}"
        return not missing
    check.what = f"{what} on disk"
    return check


def installed(jaws, drivers, settings_version, display):
    """What the keys installed: the driver in DRIVERS, both displays listed, DISPLAY the user's default."""
    settings = os.path.join(machine, "AppData", "Roaming", "Freedom Scientific", "JAWS", settings_version, "Settings", "enu")
    package = os.path.join(machine, "package")
    return on_disk(f"the installation into {jaws}", [
        ("the driver in its folder", lambda: os.path.exists(os.path.join(drivers, "QuorOlma.jlb"))),
        ("both displays in jfw.ini", lambda: "Braille2Name=OLMA171" in text(jaws, "jfw.ini") and "Name=QUOR" in text(jaws, "jfw.ini")),
        (f"{display} the default display", lambda: f"BrailleDisplay={display}" in text(settings, "default.jcf")),
        # The package keeps them: the manifest matches them by a wildcard only.
        ("every file of the held copy copied", lambda: 0 < len([n for n in os.listdir(jaws) if n.startswith("bulk_")])
         == len([n for n in os.listdir(package) if n.startswith("bulk_")])),
        ("each named pipe's content whole in the JAWS folder", lambda: len(written) == 2 and all(
            open(os.path.join(jaws, name), "rb").read() == data for name, data in written.items())),
    ])


# The program's German catalogue, for what a user of it hears.
_catalogue = ET.parse(os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, os.pardir,
                                   "resources", "translations", "installquorolma_de.ts"))


def german(context, source):
    """The German text of SOURCE as heard: without its mnemonic marker, whitespace collapsed."""
    for one in _catalogue.getroot().findall("context"):
        if one.findtext("name") != context:
            continue
        for message in one.findall("message"):
            if message.findtext("source").split() == source.split():
                return " ".join(message.findtext("translation").replace("&", "").split())
    raise KeyError(f"{context}: {source!r} is not in the German catalogue")


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
# The removal's only row names the JAWS by its version, then what tells its folder.
removal_row = "Jaws 10.0 in \u2026" + os.sep + os.path.join("Freedom Scientific", "JAWS10.0")
plan_heading = (f"The Korvalis Braille driver will be removed from Jaws 10.0 in {first_folder}, "
                "and the settings it changed put back as they were.")
plan_first = "Restore the settings files of JAWS that the installation changed, keeping what was changed since."
removed = f"The Korvalis Braille driver was removed. The removal report is {os.path.join(first_folder, 'installLog.txt')}."
# The removal is held on its page by a file it must read: the driver's empty file, under a lease
# that makes every other opening of it wait until the lease is given up (run.sh puts the file in
# the package). A named pipe would not do: the program reads no pipe where it removes.
removal_held = "bulk_d_empty.chm"
removal_lease = []
in_german = dict(os.environ, LC_ALL="de_DE.UTF-8", LANG="de_DE.UTF-8", LANGUAGE="de_DE")
de_paragraph = german("IntroPage", paragraph.replace("2.1.0.7", "%1")).replace("%1", "2.1.0.7")
de_folders = german("CollectInfoPage", "&Jaws folders:")
de_devices = german("CollectInfoPage", "&Braille devices:")
de_select = german("CollectInfoPage", "Please select Jaws installation folder and your Braille device.")
de_progress = german("CopyFilesPage", "Installation in progress...")
de_result = german("RunSummary", "Installation correctly done.")
# The Finish button is named by Qt's own German catalogue.
de_finish = re.escape(german("ConclusionPage", "Click %1 to end the installation process.")).replace("%1", r"\S+")


# The package's named pipes (run.sh): each holds the copy until it is let go, and what was
# written into it must arrive whole in the JAWS folder.
written = {}


def let_go(name):
    """Writes the named pipe and closes it: the copy, waiting on its read, goes on."""
    def action():
        data = (name.encode() + b"\n") * 40000
        written[name] = data

        def write():
            with open(os.path.join(machine, "package", name), "wb") as pipe:  # waits for the read
                pipe.write(data)
        threading.Thread(target=write, daemon=True).start()
    return action


def hold_removal():
    path = os.path.join(first_folder, removal_held)
    if os.path.getsize(path) != 0:
        raise RuntimeError(f"{path} is not the empty file the package holds")
    # The kernel tells the lease's holder of an opening with SIGIO, which would end this process.
    signal.signal(signal.SIGIO, signal.SIG_IGN)
    lease = os.open(path, os.O_RDWR)
    fcntl.fcntl(lease, getattr(fcntl, "F_SETLEASE", 1024), fcntl.F_WRLCK)
    removal_lease.append(lease)


def let_go_removal():
    for lease in removal_lease:
        fcntl.fcntl(lease, getattr(fcntl, "F_SETLEASE", 1024), fcntl.F_UNLCK)
        os.close(lease)
    removal_lease.clear()


# The wizard removes the package files it delivered: a later installation gets them back, as
# from a fresh copy of the package.
package_before = os.path.join(work, "package-before")
shutil.rmtree(package_before, ignore_errors=True)
os.makedirs(package_before)
for name in os.listdir(os.path.join(machine, "package")):
    path = os.path.join(machine, "package", name)
    if os.path.isfile(path) and path != program:  # not the named pipes, which stay
        shutil.copy2(path, package_before)


def renew_package():
    for name in os.listdir(package_before):
        if not os.path.exists(os.path.join(machine, "package", name)):
            shutil.copy2(os.path.join(package_before, name), os.path.join(machine, "package"))


def launch(*arguments, environment=None):
    """Starts the program (the one before has ended) and gives its window the keyboard."""
    def action():
        global wizard
        wizard = subprocess.Popen([program, *arguments], cwd=os.path.dirname(program), env=environment)
        GLib.timeout_add(500, focus_window)
    return action


def listen_to(*checks):
    """All of these hold."""
    def check():
        holds = all(one() for one in checks)
        check.what = " and ".join(one.what for one in checks)
        return holds
    check.checks = checks
    check.what = " and ".join(one.what for one in checks)
    return check


# (page, title, keys, expectation, seconds allowed). One key a step: keys pressed faster than
# Orca speaks are heard only in part (it drops a focus that a newer one has replaced), as a
# user who types ahead hears only where the focus lands.
steps = [
    ("Page 0", "on start, the window and the intro paragraph", [launch()], orca_said(said_containing(paragraph)), 60),
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
     listen_to(orca_said(said(result + " label.")), published(jaws10)), 300),
    ("Page 3", "Tab to the Finish sentence", ["Tab"], orca_said(said("Click Finish to end the installation process. label.")), 30),
    ("Page 3", "Tab to Finish", ["Tab"], orca_said(said("Finish push button.")), 30),
    ("Page 3", "Tab to Cancel", ["Tab"], orca_said(said("Cancel push button.")), 30),
    ("Page 3", "Tab goes round to the result sentence", ["Tab"], orca_said(said(result + " label.")), 30),
    ("Page 3", "Shift+Tab back to Cancel", ["shift+Tab"], orca_said(said("Cancel push button.")), 30),
    ("Page 3", "Shift+Tab back to Finish", ["shift+Tab"], orca_said(said("Finish push button.")), 30),
    ("Page 3", "Enter ends the program", ["Return"],
     listen_to(program_ended, installed(jaws10, os.path.join(jaws10, "Drivers", "Braille", "quorolma"), "10.0", "QUOR")), 60),

    # The removal's wizard, as Windows' list of apps opens it but without a JAWS named: the
    # JAWS installations that hold a record are listed.
    ("Removal page 0", "on start, the list's name, then its row: the JAWS's version, its whole path the description",
     [hold_removal, launch("--remove")],
     listen_to(orca_said(said(folders), said("List with 1 item."), said_name(removal_row), said_name(first_folder)),
               took_focus(("list", folders), ("list item", removal_row)), row_shown(removal_row, first_folder)), 60),
    ("Removal page 1", "Enter: the sentence naming the JAWS and what will be done", ["Return"],
     orca_said(said(plan_heading + " label.")), 30),
    ("Removal page 1", "Tab to the plan's text, read from its first line", ["Tab"],
     orca_said(said("What will be done: read only text."), said_line_of(plan_first)), 30),
    ("Removal page 1", "Tab to Remove", ["Tab"], orca_said(said("Remove push button.")), 30),
    ("Removal page 2", "Enter removes; the progress heard while a file holds the removal", ["Return"],
     orca_said(said_matching(r"\d+ percent\."), since_page=True), 120),
    ("Removal page 3", "without a key, once the held file is let go, the result sentence with the report's path",
     [let_go_removal],
     listen_to(orca_said(said(removed + " label.")),
               on_disk("the driver removed from JAWS 10.0", [
                   ("the driver gone", lambda: not os.path.exists(os.path.join(first_folder, "Drivers", "Braille", "quorolma", "QuorOlma.jlb"))),
                   ("the held file gone", lambda: not os.path.lexists(os.path.join(first_folder, removal_held)))])), 120),
    ("Removal page 3", "Tab to the Finish sentence", ["Tab"], orca_said(said("Click Finish to end the removal. label.")), 30),
    ("Removal page 3", "Tab to Finish", ["Tab"], orca_said(said("Finish push button.")), 30),
    ("Removal page 3", "Enter ends the program", ["Return"], program_ended, 60),

    # A whole installation as a user of the German catalogue hears it, into the JAWS pre-selected.
    ("German page 0", "on start, the intro paragraph", [renew_package, launch(environment=in_german)], orca_said(said_containing(de_paragraph)), 60),
    ("German page 1", "on entering, the folder list's name, then its current row", ["Return"],
     listen_to(orca_said(said(de_folders), said("List with 4 items."), said_name(last_folder)),
               took_focus(("list", de_folders), ("list item", last_folder))), 30),
    ("German page 1", "Shift+Tab to the sentence above the lists", ["shift+Tab"], orca_said(said(de_select + " label.")), 30),
    ("German page 1", "Alt+B to the display list's name and its current row", ["alt+b"],
     orca_said(said(de_devices), said("List with 2 items."), said_name(olma)), 30),
    ("German page 2", "on entering, the state of the installation", ["Return"], orca_said(said(de_progress + " label.")), 30),
    ("German page 2", "the progress of the copy, once the first held file is let go", [let_go("bulk_a_held.chm")],
     orca_said(said_matching(r"\d+ percent\."), since_page=True), 120),
    ("German page 3", "without a key, once the second held file is let go, the result sentence and the report published",
     [let_go("bulk_c_held.chm")], listen_to(orca_said(said(de_result + " label.")), published(jaws6)), 300),
    ("German page 3", "Tab to the Finish sentence", ["Tab"], orca_said(said_matching(de_finish + r" label\.")), 30),
    # JAWS 6 keeps its drivers in its program folder.
    ("German page 3", "Enter ends the program", ["Return"], listen_to(program_ended, installed(jaws6, jaws6, "6.10", "OLMA171")), 60),
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


def wait_for_orca():
    # The screen reader first: the program is heard from its first window on.
    read_speech()
    if orca.poll() is not None:
        return stop(f"Orca ended at once with {orca.returncode}; see orca-output.txt")
    if not spoken:
        return True
    GLib.idle_add(run_step)
    return False


def focus_window():
    # Without a window manager the window gets the keyboard only when it is given it.
    found = window()
    if not found:
        return wizard.poll() is None
    subprocess.run(["xdotool", "windowfocus", "--sync", found])
    return False


GLib.timeout_add(200, wait_for_orca)
GLib.timeout_add_seconds(1100, lambda: stop("the whole run took too long"))
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
print("PASSED: every step heard as expected, each installation and the removal complete on disk")
