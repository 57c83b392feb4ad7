#!/usr/bin/python3
"""Checks the translation sources against the code and against each other.

Usage: check_catalogues.py TRANSLATIONS_FOLDER SOURCE_FOLDER LUPDATE

- The .ts files hold exactly the texts of the code (lupdate finds nothing new, nothing gone).
- German, French, Italian and Swedish translate every text, keep its placeholders (%1, %2) and
  its mnemonic marker ("&"); the report's "Warning" caption is French only.
- The other catalogues translate nothing.
Prints every problem and exits non-zero when there is one.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

translations, sources, lupdate = sys.argv[1:4]
TRANSLATED = ("de", "fr", "it", "sv")
problems = []


def messages(path):
    for context in ET.parse(path).getroot().findall("context"):
        name = context.find("name").text
        for message in context.findall("message"):
            yield name, message.find("source").text, message.find("translation")


def placeholders(text):
    return sorted(re.findall(r"%\d", text or ""))


def mnemonic(text):
    return "&" in (text or "").replace("&&", "")


files = sorted(f for f in os.listdir(translations) if f.startswith("installquorolma_") and f.endswith(".ts"))
if len(files) != 15:
    problems.append(f"{len(files)} catalogues, not 15")

# What the code holds now, by lupdate itself.
with tempfile.TemporaryDirectory() as work:
    fresh = os.path.join(work, "fresh.ts")
    shutil.copy(os.path.join(translations, "installquorolma_de.ts"), fresh)
    subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none", sources, "-ts", fresh], check=True)
    in_code = {(c, s) for c, s, _ in messages(fresh)}

for name in files:
    language = name[len("installquorolma_"):-3]
    path = os.path.join(translations, name)
    held = set()
    for context, source, translation in messages(path):
        held.add((context, source))
        kind = translation.get("type")
        text = translation.text
        where = f"{name}: {context}: {source!r}"
        if kind in ("obsolete", "vanished"):
            problems.append(f"{where}: {kind}")
        elif language not in TRANSLATED:
            if kind != "unfinished" and text:
                problems.append(f"{where}: translated in a catalogue that must stay empty")
        elif (context, source) == ("Report", "Warning") and language != "fr":
            if kind != "unfinished" and text not in (None, "Warning"):
                problems.append(f"{where}: only the French catalogue translates it")
        elif kind == "unfinished" or not text:
            problems.append(f"{where}: no translation")
        else:
            if placeholders(text) != placeholders(source):
                problems.append(f"{where}: placeholders {placeholders(text)} for {placeholders(source)}")
            if mnemonic(text) != mnemonic(source):
                problems.append(f"{where}: the mnemonic marker '&' is {'missing' if mnemonic(source) else 'extra'}")
    for missing in sorted(in_code - held):
        problems.append(f"{name}: not in the catalogue: {missing}")
    for gone in sorted(held - in_code):
        problems.append(f"{name}: no longer in the code: {gone}")

for problem in problems:
    print(problem)
print(f"{len(files)} catalogues, {len(in_code)} texts in the code, {len(problems)} problems")
sys.exit(1 if problems else 0)
