#!/usr/bin/env bash
# Builds the program (native, as shipped) and opens the wizard on the simulated Windows machine.
# Installs what is missing first (Debian 12).
# Without a display (no DISPLAY), or with --screenshot FILE, the wizard runs on a virtual display,
# a picture of its window is saved (default: build/demo/wizard.png) and the wizard is closed.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/tools/lib.sh"
build_root=${IQO_BUILD_DIR:-$repo/build}

screenshot=
if [ "${1:-}" = "--screenshot" ]; then
  screenshot=${2:?--screenshot needs a file name}
elif [ -z "${DISPLAY:-}" ]; then
  screenshot="$build_root/demo/wizard.png"
fi

install_packages cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools \
  qt6-l10n-tools qt6-translations-l10n libgl-dev xvfb xauth xdotool imagemagick binutils-mingw-w64-x86-64
release="$build_root/release"
cmake -S "$repo" -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DIQO_BUILD_TESTS=OFF >/dev/null
cmake --build "$release"

# A fresh simulated Windows machine with three JAWS versions and the installation package. The
# program runs from the package folder, as on Windows: it reads the driver and the manifest
# there and writes its report there.
machine="$build_root/demo/machine"
"$repo/tools/make-demo-machine.sh" "$machine"
export QUOROLMA_SYSTEM_ROOT="$machine"
package="$machine/package"
cp "$release/src/app/InstallQuorOlma" "$package/"

if [ -z "$screenshot" ]; then
  exec "$package/InstallQuorOlma"
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
