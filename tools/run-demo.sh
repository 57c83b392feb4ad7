#!/usr/bin/env bash
# Builds the program (native, as shipped) and opens the wizard on the simulated Windows machine.
# Installs what is missing first (Debian 12).
# Without a display (no DISPLAY), or with --screenshot FILE, the wizard runs on a virtual display,
# a picture of its window is saved (default: build/demo/wizard.png) and the wizard is closed.
# With --keyboard-run FOLDER, a whole installation is made on a virtual display with keys alone
# (Enter, Tab, arrows), a picture of each page is saved in FOLDER, and what the installation left
# on the machine is listed.
# With --windows first (--windows [--screenshot FILE]), the Windows package
# (tools/package-windows.sh) runs under Wine on the same demo machine, moved into a Wine prefix of
# its own (build/demo/wine-prefix, made afresh): the JAWS records in its registry, the settings in
# its ProgramData and AppData, the package unpacked into the package folder.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/tools/lib.sh"
build_root=${IQO_BUILD_DIR:-$repo/build}

windows=
if [ "${1:-}" = "--windows" ]; then
  windows=1
  shift
fi
screenshot=
keyboard_run=
if [ "${1:-}" = "--screenshot" ]; then
  screenshot=${2:?--screenshot needs a file name}
elif [ "${1:-}" = "--keyboard-run" ]; then
  keyboard_run=${2:?--keyboard-run needs a folder}
elif [ -z "${DISPLAY:-}" ]; then
  screenshot="$build_root/demo/wizard.png"
fi

if [ -n "$windows" ]; then
  [ -z "$keyboard_run" ] || { echo "--keyboard-run drives the native build only" >&2; exit 2; }
  "$repo/tools/package-windows.sh"
  install_packages wine64 xvfb xauth xdotool imagemagick
  archive=$(ls "$build_root"/dist/InstallQuorOlma-*-win64.zip | tail -n 1)
  machine="$build_root/demo/machine"
  "$repo/tools/make-demo-machine.sh" "$machine"
  package="$machine/package"
  wine=/usr/lib/wine/wine64
  wineserver=/usr/lib/wine/wineserver
  export WINEPREFIX="$build_root/demo/wine-prefix" WINEARCH=win64 WINEDEBUG=-all,err+module WINEDLLOVERRIDES="mscoree,mshtml="
  unset WINEPATH
  "$wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  echo "Making the Wine prefix $WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
  "$wineserver" -w
  # The registry export names native paths; Wine reaches them through its Z: drive.
  iconv -f UTF-16LE -t UTF-8 "$machine/registry.reg" | sed '1s/^\xEF\xBB\xBF//' |
    while IFS= read -r line; do
      if [[ $line =~ ^(\"Target\"=\")(/[^\"]*)(\".*)$ ]]; then
        path=${BASH_REMATCH[2]}
        line="${BASH_REMATCH[1]}Z:${path//\//\\\\}${BASH_REMATCH[3]}"
      fi
      printf '%s\n' "$line"
    done | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$build_root/demo/registry-wine.reg"
  "$wine" regedit /S "Z:${build_root//\//\\}\\demo\\registry-wine.reg"
  # The settings folders of the machine are the prefix's own special folders under Wine.
  cp -a "$machine/ProgramData/." "$WINEPREFIX/drive_c/ProgramData/"
  cp -a "$machine/AppData/Roaming/." "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/"
  (cd "$build_root/demo" && rm -rf unpacked && mkdir unpacked && cd unpacked && cmake -E tar xf "$archive")
  cp -a "$build_root"/demo/unpacked/InstallQuorOlma-*-win64/. "$package/"
  program="$package/InstallQuorOlma.exe"
  echo "The packaged program: $program"
  # The set-up's Wine processes (its desktop among them) were started without the display the
  # program gets: they must not outlive it.
  "$wineserver" -k >/dev/null 2>&1 || true
  "$wineserver" -w >/dev/null 2>&1 || true
  if [ -z "$screenshot" ]; then
    cd "$package"
    "$wine" "$program"
    "$wineserver" -w
    exit 0
  fi
  start_xvfb
  export DISPLAY=$IQO_DISPLAY
  (cd "$package" && exec "$wine" "$program" 2>"$build_root/demo/wine.log") &
  window=
  # The first start in a new prefix is slow: Wine sets up its fonts and registry then.
  for _ in $(seq 900); do
    window=$(xdotool search --onlyvisible --name '^Korvalis driver for Jaws$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.2
  done
  sleep 1
  mkdir -p "$(dirname "$screenshot")"
  if [ -n "$window" ]; then
    import -window "$window" "$screenshot"
    echo "The wizard's window: $screenshot"
  else
    echo "The wizard's window did not appear; Wine's messages are in $build_root/demo/wine.log." >&2
  fi
  "$wineserver" -k >/dev/null 2>&1 || true
  stop_xvfb
  [ -n "$window" ]
  exit
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
