#!/usr/bin/env bash
# The wizard heard through a screen reader (Orca) on the accessibility bus: a demo machine whose
# package is large enough for the copy to last a few seconds, the program laid into its package
# folder, a virtual display, a private session bus with the AT-SPI bus on it, and the listener
# starting Orca and driving the keys.
# Usage: run.sh PROGRAM WORK_FOLDER
set -euo pipefail
program=${1:?program}
work=${2:?work folder}
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)

machine="$work/machine"
"$repo/tools/make-demo-machine.sh" "$machine" >/dev/null
package="$machine/package"
# The manifest copies every *.chm into the JAWS folder: large files keep the copy page up for a
# good ten seconds (4 GB) while it still answers the keyboard between two files: long enough
# for Orca, slowed by a busy machine, to speak the page, its Tab stops and some progress.
trap 'rm -f "$package"/bulk_*.chm "$machine/Program Files/Freedom Scientific/JAWS10.0"/bulk_*.chm' EXIT
head -c $((64 * 64 * 1048576)) /dev/zero | split -b $((64 * 1048576)) -a 2 -d --additional-suffix=.chm - "$package/bulk_"
cp "$program" "$package/"

export QUOROLMA_SYSTEM_ROOT="$machine"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
export LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 QT_LOGGING_RULES="*.debug=false"
# Orca's own words are checked in English: gettext would take LANGUAGE before LC_ALL.
unset LANGUAGE
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# Debian's own Python: it is the one with the bus bindings, and the one Orca runs on.
xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- \
  /usr/bin/python3 "$here/screenreader.py" "$machine" "$package/$(basename "$program")" "$work"
