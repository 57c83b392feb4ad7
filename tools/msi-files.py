#!/usr/bin/env python3
"""The Windows Installer package's lists, made when it is packaged (tools/package-lib.sh).

  msi-files.py fragment PROGRAM_FOLDER DRIVER_FOLDER
      A WiX fragment with the ComponentGroup "PackageFiles" under INSTALLDIR: every file of the
      program's folder as the install rules staged it (the zip's folder; its README.txt, the note
      for the driver maker, left out) and every file of the driver package's folder, one
      component per file, in the folders they lie in. The program is the File "InstallQuorOlma.exe".
      Each File's Source is relative to the fragment's own folder, where wixl looks for it:
      "program/..." and "driver/...", links to the two folders that the caller makes beside it.
      Stops when a driver package file would take a program file's place, or the program is missing.
  msi-files.py version FILE
      The FileVersion of a PE file's version resource, dotted ("2, 1, 0, 7" is 2.1.0.7), as the
      program reads it for the list of apps; else its fixed file version. Stops when the version
      is none Windows Installer can take (major and minor up to 255, build up to 65535).
"""
import hashlib
import os
import re
import struct
import sys
from xml.sax.saxutils import quoteattr

PROGRAM = "InstallQuorOlma.exe"
LEFT_OUT = {"readme.txt"}  # the zip's note for the driver maker


def fail(text):
    sys.stderr.write(f"msi-files.py: {text}\n")
    sys.exit(1)


def files_under(folder):
    found = []
    for root, dirs, names in os.walk(folder):
        dirs.sort()
        for name in sorted(names):
            path = os.path.join(root, name)
            if os.path.islink(path) or not os.path.isfile(path):
                fail(f"{path} is not a plain file")
            found.append(os.path.relpath(path, folder).replace(os.sep, "/"))
    return found


def identifier(prefix, text):
    return prefix + hashlib.sha1(text.lower().encode("utf-8")).hexdigest()[:24]


def fragment(program_folder, driver_folder):
    entries = {}  # relative path in lower case -> (relative path, source)
    for relative in files_under(program_folder):
        if relative.lower() in LEFT_OUT:
            continue
        entries[relative.lower()] = (relative, "program/" + relative)
    if PROGRAM.lower() not in entries:
        fail(f"no {PROGRAM} in {program_folder}")
    for relative in files_under(driver_folder):
        if relative.lower() in entries:
            fail(f"the driver package's {relative} would take the place of the program's own file of that name")
        entries[relative.lower()] = (relative, "driver/" + relative)

    # The folder tree, each folder's files and subfolders.
    tree = {"files": [], "folders": {}}
    for key in sorted(entries):
        relative, source = entries[key]
        parts = relative.split("/")
        node = tree
        for part in parts[:-1]:
            node = node["folders"].setdefault(part.lower(), {"name": part, "files": [], "folders": {}})
        node["files"].append((relative, source))

    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             "<!-- Made by tools/msi-files.py when the package is made: not to be edited. -->",
             '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">',
             "  <Fragment>",
             '    <DirectoryRef Id="INSTALLDIR">']
    components = []

    def emit(node, path, indent):
        for relative, source in node["files"]:
            component = identifier("c", relative)
            file_id = PROGRAM if relative.lower() == PROGRAM.lower() else identifier("f", relative)
            components.append(component)
            lines.append(f'{indent}<Component Id="{component}" Guid="*" Win64="yes">')
            lines.append(f'{indent}  <File Id="{file_id}" Name={quoteattr(relative.split("/")[-1])} Source={quoteattr(source)} KeyPath="yes"/>')
            lines.append(f"{indent}</Component>")
        for key in sorted(node["folders"]):
            child = node["folders"][key]
            child_path = f"{path}/{child['name']}" if path else child["name"]
            lines.append(f'{indent}<Directory Id="{identifier("d", child_path)}" Name={quoteattr(child["name"])}>')
            emit(child, child_path, indent + "  ")
            lines.append(f"{indent}</Directory>")

    emit(tree, "", "      ")
    lines += ["    </DirectoryRef>",
              '    <ComponentGroup Id="PackageFiles">']
    lines += [f'      <ComponentRef Id="{c}"/>' for c in components]
    lines += ["    </ComponentGroup>", "  </Fragment>", "</Wix>", ""]
    sys.stdout.write("\n".join(lines))


def string_file_version(data):
    """The first FileVersion string of the version resource: a String structure (length, value
    length, type, the key in UTF-16 and its NUL, padding to 32 bits, the value in UTF-16)."""
    key = "FileVersion\0".encode("utf-16-le")
    at = data.find(key)
    while at >= 6:
        start = at - 6
        length, value_length, kind = struct.unpack_from("<HHH", data, start)
        value_at = at + len(key)
        value_at += (4 - (value_at - start) % 4) % 4
        if kind == 1 and 0 < value_length < 64 and start + length <= len(data):
            value = data[value_at:value_at + 2 * value_length].decode("utf-16-le", "replace").split("\0")[0]
            if value.strip():
                return value
        at = data.find(key, at + 2)
    return None


def fixed_file_version(data):
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0 or at + 16 > len(data):
        return None
    most, least = struct.unpack_from("<II", data, at + 8)
    return f"{most >> 16}, {most & 0xFFFF}, {least >> 16}, {least & 0xFFFF}"


def version(path):
    with open(path, "rb") as f:
        data = f.read()
    text = string_file_version(data) or fixed_file_version(data)
    if not text:
        fail(f"{path} has no version resource")
    numbers = re.findall(r"\d+", text)
    if not 1 <= len(numbers) <= 4 or not re.fullmatch(r"[\d\s.,]+", text.strip()):
        fail(f"the version of {path}, '{text}', is not one Windows Installer can take")
    numbers = [int(n) for n in numbers] + [0] * (3 - len(numbers))
    limits = [255, 255, 65535, 65535]
    if any(n > limit for n, limit in zip(numbers, limits)):
        fail(f"the version of {path}, '{text}', is not one Windows Installer can take "
             "(major and minor up to 255, build and revision up to 65535)")
    print(".".join(str(n) for n in numbers))


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "fragment":
        fragment(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 3 and sys.argv[1] == "version":
        version(sys.argv[2])
    else:
        fail("usage: msi-files.py fragment PROGRAM_FOLDER DRIVER_FOLDER | version FILE")
