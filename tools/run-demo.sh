#!/usr/bin/env bash
# Builds the program (native, as shipped) and opens the wizard on the simulated Windows machine.
# Installs what is missing first (Debian 12).
# Without a display (no DISPLAY), or with --screenshot FILE, the wizard runs on a virtual display,
# a picture of its window is saved (default: build/demo/wizard.png) and the wizard is closed.
# With --keyboard-run FOLDER, a whole installation is made on a virtual display with keys alone
# (Enter, Tab, arrows), a picture of each page is saved in FOLDER, and what the installation left
# on the machine is listed.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/tools/lib.sh"
build_root=${IQO_BUILD_DIR:-$repo/build}

screenshot=
keyboard_run=
if [ "${1:-}" = "--screenshot" ]; then
  screenshot=${2:?--screenshot needs a file name}
elif [ "${1:-}" = "--keyboard-run" ]; then
  keyboard_run=${2:?--keyboard-run needs a folder}
elif [ -z "${DISPLAY:-}" ]; then
  screenshot="$build_root/demo/wizard.png"
fi

install_packages cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools \
  qt6-l10n-tools qt6-translations-l10n libgl-dev xvfb xauth xdotool imagemagick binutils-mingw-w64-x86-64
release="$build_root/release"
cmake -S "$repo" -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DIQO_BUILD_TESTS=OFF >/dev/null
cmake --build "$release"

# A fresh simulated Windows machine with four JAWS versions and the installation package. The
# program runs from the package folder, as on Windows: it reads the driver and the manifest
# there and writes its report there.
machine="$build_root/demo/machine"
"$repo/tools/make-demo-machine.sh" "$machine"
export QUOROLMA_SYSTEM_ROOT="$machine"
package="$machine/package"
cp "$release/src/app/InstallQuorOlma" "$package/"

if [ -z "$screenshot" ] && [ -z "$keyboard_run" ]; then
  exec "$package/InstallQuorOlma"
fi

if [ -n "$keyboard_run" ]; then
  # Large help files keep the copy page up long enough for its picture.
  head -c $((16 * 64 * 1048576)) /dev/zero | split -b $((64 * 1048576)) -a 2 -d --additional-suffix=.chm - "$package/bulk_"
  trap 'rm -f "$package"/bulk_*.chm "$machine/Program Files/Freedom Scientific/JAWS10.0"/bulk_*.chm' EXIT
fi
start_xvfb
export DISPLAY=$IQO_DISPLAY
"$package/InstallQuorOlma" &
program=$!
window=
for _ in $(seq 100); do
  window=$(xdotool search --sync --onlyvisible --pid "$program" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
sleep 1
if [ -n "$keyboard_run" ] && [ -n "$window" ]; then
  mkdir -p "$keyboard_run"
  shot() { sleep 1; import -window root "$keyboard_run/$1.png"; echo "Page: $keyboard_run/$1.png"; }
  keys() { xdotool key --delay 150 "$@"; }
  shot 0-intro
  keys Tab; shot 0-intro-paragraph      # the paragraph takes the focus and is read
  keys Return; shot 1-choice            # Next: the folder list has the focus
  keys Home Tab; shot 1-choice-display   # the first row (JAWS 10.0), then on to the display list
  keys Down; shot 1-choice-quor
  keys Return                           # Next: the copy and the configuration run by themselves
  sleep 0.3; import -window root "$keyboard_run/2-copy.png"; echo "Page: $keyboard_run/2-copy.png"
  for _ in $(seq 100); do
    [ -f "$machine/Program Files/Freedom Scientific/JAWS10.0/installLog.txt" ] && break
    sleep 0.2
  done
  shot 3-conclusion
  keys Return                           # Finish
  for _ in $(seq 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.2; done
  status=0
  if kill -0 "$program" 2>/dev/null; then
    echo "The wizard did not end with Finish." >&2
    kill "$program"
    status=1
  else
    wait "$program" || status=$?
  fi
  stop_xvfb
  echo "Exit status: $status"
  echo "What the installation left in JAWS 10.0 and in the package folder:"
  (cd "$machine" && find "Program Files/Freedom Scientific/JAWS10.0" ProgramData/Freedom\ Scientific/JAWS/10.0 \
     "AppData/Roaming/Freedom Scientific/JAWS/10.0" package -type f ! -name 'bulk_*' | sort)
  exit "$status"
fi
mkdir -p "$(dirname "$screenshot")"
if [ -n "$window" ]; then
  import -window "$window" "$screenshot"
  echo "The wizard's window: $screenshot"
else
  echo "The wizard's window did not appear." >&2
fi
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
stop_xvfb
[ -n "$window" ]
