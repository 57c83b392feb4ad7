#!/usr/bin/env bash
# The wizards heard through a screen reader (Orca) on the accessibility bus: a demo machine whose
# package holds the copy (and then the removal) on its page for as long as the listener needs,
# the program laid into its package folder, a virtual display, a private session bus with the
# AT-SPI bus on it, and the listener starting Orca and driving the keys.
# Usage: run.sh PROGRAM WORK_FOLDER
set -euo pipefail
program=${1:?program}
work=${2:?work folder}
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)

machine="$work/machine"
"$repo/tools/make-demo-machine.sh" "$machine" >/dev/null
package="$machine/package"
# The manifest copies every *.chm into the JAWS folder, in the order of their names. Two of them
# are named pipes: the copy waits at each until the listener writes it and closes it, once Orca
# has spoken the copy page (the first) and its progress (the second); the small file between
# them moves the progress bar while the page is on the screen. However slow the machine, the
# page stays until it has been heard, and nothing large is written. The empty file is installed
# as it is; the listener holds a lease on it before the removal, which then waits at it.
trap 'rm -f "$package"/bulk_*.chm "$machine/Program Files/Freedom Scientific"/JAWS*/bulk_*.chm' EXIT
mkfifo "$package/bulk_a_held.chm" "$package/bulk_c_held.chm"
head -c $((256 * 1024)) /dev/urandom > "$package/bulk_b.chm"
: > "$package/bulk_d_empty.chm"
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
