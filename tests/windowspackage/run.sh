#!/usr/bin/env bash
# The shipped archive proven as a user gets it: made by CPack, unpacked into a Wine prefix made
# for this run (no WINEPATH, no Qt on any search path), a generated driver package laid beside the
# program, the JAWS double running as JFW.EXE, and a whole installation made with keys alone on
# a display of its own: Enter through the pages, the warning answered, JAWS closed and started
# again, Finish. Fails on any DLL that Wine cannot load (err:module) and on any DLL of the
# program that is not taken from the program's own folder.
# Beside the program lie DLLs named as system DLLs (PLANTED under each name of SYSTEM_DLLS that
# Windows does not protect as a Known DLL), with Wine told to prefer a DLL it finds to its own, as
# Windows does: none may be loaded.
#   run.sh BUILD_DIR MAKER WINE WINESERVER MAKER_DLL_FOLDERS PLANTED SYSTEM_DLLS
# MAKER is testmachinemaker.exe; MAKER_DLL_FOLDERS (colon-separated) the Qt and MinGW folders it
# alone runs with; SYSTEM_DLLS a CMake list. IQO_MEASURE_START=1 also starts the build's own program the way the test
# runner does and prints both start times (docs/benchmarks.md).
set -u
build=$1 maker=$2 wine=$3 wineserver=$4 maker_dlls=$5 planted=$6 system_dlls=$7
repo=$(cd "$(dirname "$0")/../.." && pwd)
. "$repo/tools/lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/iqo-package.XXXXXX")
. "$repo/tests/support/winescript.sh"
now_ms() { date +%s%3N; }
visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(visible_window "$1")" ]; }
keys() { xdotool key --delay 200 "$@"; }
# No window manager: the input focus is set directly (activation needs one).
focus() { timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || timeout 10 xdotool windowfocus --sync "$1" >/dev/null 2>&1; }

# --- The archive, as tools/package-windows.sh makes it.
(cd "$build" && cpack -G ZIP -B "$work/cpack") >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; exit 1; }
zip=$(ls "$work"/cpack/InstallQuorOlma-*-win64.zip 2>/dev/null | head -n 1)
[ -n "$zip" ] || { fail "no archive"; exit 1; }
size=$(stat -c %s "$zip")
echo "Archive: $(basename "$zip"), $size bytes"
[ "$size" -lt $((15 * 1000 * 1000)) ] || fail "the archive is $size bytes, more than 15 MB"
mkdir -p "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip") || { fail "the archive does not unpack"; exit 1; }
top=$(ls -d "$work"/unpacked/InstallQuorOlma-*-win64)
[ -f "$top/InstallQuorOlma.exe" ] || { fail "no InstallQuorOlma.exe in the archive's folder"; exit 1; }

# --- A new prefix that has never seen Qt: nothing of the build's environment reaches it.
unset WINEPATH
for variable in $(env | sed -n 's/^\(WINEQT_[A-Za-z_]*\|QT_[A-Za-z_]*\)=.*/\1/p'); do unset "$variable"; done
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
# err+module names a DLL that cannot be loaded; loaddll says where each one came from.
export WINEDEBUG=-all,err+module,+loaddll
start_xvfb || { fail "no X server"; exit 1; }
export DISPLAY=$IQO_DISPLAY
"$wine" wineboot -i >"$work/wineboot.log" 2>&1
"$wineserver" -w

# --- The machine: JAWS 10 with the double as JFW.EXE, the driver package, the user's files. Its
# maker is a test program and alone gets the Qt and MinGW folders.
root_windows='C:\machine'
root="$WINEPREFIX/drive_c/machine"
maker_path=
IFS=: read -r -a folders <<<"$maker_dlls"
for folder in "${folders[@]}"; do maker_path+="$(to_windows "$folder");"; done
WINEPATH=$maker_path WINEDEBUG=-all,err+module "$wine" "$maker" "$root_windows" >"$work/machine.txt" 2>"$work/maker.err" ||
  { cat "$work/maker.err"; fail "the test machine could not be made"; exit 1; }
tr -d '\r' <"$work/machine.txt" >"$work/machine.env"
jaws="$root/Program Files/JAWS10"
package="$root/package"
user_settings=$(sed -n 's/^user=C:/\/drive_c/p' "$work/machine.env" | tr '\\' '/')
user_settings="$WINEPREFIX$user_settings"
IFS='|' read -r -a strangers <<<"$(sed -n 's/^strangers=//p' "$work/machine.env")"
[ -f "$jaws/JFW.EXE" ] && [ -f "$package/list.install" ] && [ -f "$user_settings/enu/default.jcf" ] ||
  { cat "$work/machine.env"; fail "the test machine is incomplete"; exit 1; }

# The driver maker's step: the archive's folder and the driver package become one folder.
cp -a "$top/." "$package/"
(cd "$top" && find . -type f | sort) >"$work/shipped.txt"

# --- The Downloads attack: system DLLs' names beside the program, as a web page can leave them.
known_dlls=" advapi32 comdlg32 gdi32 imm32 kernel32 msvcrt ntdll ole32 oleaut32 setupapi shcore shell32 shlwapi user32 ws2_32 "
planted_names=()
for name in ${system_dlls//;/ }; do
  [[ $known_dlls == *" $name "* ]] && continue
  cp "$planted" "$package/$name.dll"
  planted_names+=("$name")
done
program_overrides="$WINEDLLOVERRIDES;$(IFS=,; echo "${planted_names[*]}")=n,b"

# --- JAWS runs, as it does on a user's machine.
(cd "$jaws" && exec "$wine" "$root_windows\\Program Files\\JAWS10\\JFW.EXE" >"$work/jfw.out" 2>"$work/jfw.err") &
wait_for 60 lines_in "$jaws/jawsdouble.log" 1 || fail "the JAWS double did not start"
jaws_runs() { WINEPATH=$maker_path WINEDEBUG=-all "$wine" "$maker" --wait-for-jaws >/dev/null 2>&1; }
jaws_runs || fail "the JAWS double's window did not appear"

# --- The packaged program, started from its folder as a user does.
started=$(now_ms)
(cd "$package" && WINEDLLOVERRIDES=$program_overrides exec "$wine" "$root_windows\\package\\InstallQuorOlma.exe" >"$work/program.out" 2>"$work/program.err") &
program=$!
shown_or_ended() { has_window '^Korvalis driver for Jaws$' || ! kill -0 "$program" 2>/dev/null; }
wait_for 120 shown_or_ended
if ! has_window '^Korvalis driver for Jaws$'; then
  fail "the wizard's window did not appear"
  grep -v 'trace:loaddll' "$work/program.err" >&2
  exit 1
fi
echo "First page after $(( $(now_ms) - started )) ms (packaged program, new prefix)"
wizard=$(visible_window '^Korvalis driver for Jaws$')
focus "$wizard"
sleep 1
# Next; on the choice page the JAWS list has the focus with the running JAWS chosen; Tab to the
# display list, its second row; Next starts the copy.
keys Return
sleep 1
keys Home Tab Home Down Return
if wait_for 60 has_window '^Warning$'; then
  box=$(visible_window '^Warning$')
  focus "$box"
  sleep 0.5
  keys Return
else
  fail "no warning before JAWS was closed"
fi
# The conclusion page publishes the report as it is shown; then Finish.
wait_for 180 test -f "$jaws/installLog.txt" || fail "the report was not published into the JAWS folder"
sleep 1
focus "$wizard"
keys Return
exited=
for _ in $(seq 300); do
  kill -0 "$program" 2>/dev/null || { exited=1; break; }
  sleep 0.2
done
if [ -n "$exited" ]; then
  wait "$program"
  code=$?
  [ "$code" -eq 0 ] || fail "the program ended with exit status $code"
else
  fail "the program did not end with Finish"
fi
wait_for 60 lines_in "$jaws/jawsdouble.log" 2 && jaws_runs || fail "JAWS was not started again"

# --- What the installation left.
cmp -s "$jaws/Drivers/Braille/quorolma/QuorOlma.jlb" "$build/tests/fixtures/pe/driver.dll" || fail "the driver is not in the JAWS driver folder"
grep -q '^BrailleDisplay=QUOR' "$user_settings/enu/default.jcf" || fail "the Quor is not the user's display"
grep -q "^OK : 'English.jbt' Braille table selected" "$jaws/installLog.txt" || fail "the report does not show the configuration"
if grep -q '^ERROR' "$jaws/installLog.txt"; then fail "the report holds errors"; grep '^ERROR' "$jaws/installLog.txt" >&2; fi
while read -r file; do [ -f "$package/$file" ] || fail "the program's file $file was removed from the package folder"; done <"$work/shipped.txt"
for name in "${strangers[@]}"; do
  [ "$(cat "$package/$name" 2>/dev/null)" = "mine: $name" ] || fail "the user's file $name was changed or removed"
done

# --- The entry in Windows' list of apps, read by Windows' own tool, and the program's copy it
# starts: the program with its DLLs and plugins, whole enough to run on its own.
copy="$WINEPREFIX/drive_c/Program Files/Korvalis/InstallQuorOlma"
entries=$(WINEDEBUG=-all "$wine" reg query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:64 2>/dev/null | tr -d '\r')
grep -q 'DisplayName[[:space:]]*REG_SZ[[:space:]]*QuorOlma braille driver for JAWS 10\.0$' <<<"$entries" ||
  fail "no entry of the driver in the list of apps: $entries"
grep -qF '"C:\Program Files\Korvalis\InstallQuorOlma\InstallQuorOlma.exe" /remove /jaws "C:\machine\' <<<"$entries" ||
  fail "the entry does not start the program's copy"
while read -r file; do
  [ "$file" = ./README.txt ] || cmp -s "$package/$file" "$copy/$file" || fail "the program's copy lacks $file"
done <"$work/shipped.txt"

# --- Every DLL loaded, and the program's own from its own folder.
for log in program.err jfw.err; do
  if grep -q 'err:module' "$work/$log"; then fail "a DLL could not be loaded ($log)"; grep 'err:module' "$work/$log" >&2; fi
done
# (JFW.EXE, restarted by the program, writes to the same channel.)
loaded=$(grep -oi 'Loaded L"[^"]*\.dll" at [0-9a-fA-F]*: native' "$work/program.err" | sed -E 's/Loaded L"([^"]*)".*/\1/' | sed 's/\\\\/\\/g' | sort -u)
outside=$(grep -vi '^C:\\machine\\package\\' <<<"$loaded" | grep -vi '^C:\\windows\\' || true)
[ -z "$outside" ] || fail "DLLs loaded from outside the program's folder: $outside"
for name in "${planted_names[@]}"; do
  [ ! -e "$package/$name.dll.loaded" ] || fail "the $name.dll put beside the program was loaded"
  [ ! -e "$copy/$name.dll" ] || fail "the $name.dll put beside the program went into the program's copy"
done
for dll in 'InstallQuorOlmaApp.dll' 'Qt6Core.dll' 'Qt6Widgets.dll' 'libstdc++-6.dll' 'platforms\qwindows.dll' 'styles\qwindowsvistastyle.dll'; do
  grep -qiF "C:\\machine\\package\\$dll" <<<"$loaded" || fail "$dll was not loaded from the program's folder"
done

# --- On demand: the same program started as the test runner starts it (Qt and MinGW on WINEPATH).
if [ -n "${IQO_MEASURE_START:-}" ] && [ "$status" -eq 0 ]; then
  stop_programs() { "$wineserver" -k >/dev/null 2>&1; "$wineserver" -w >/dev/null 2>&1; wait_for 30 test -z "$(visible_window '^Korvalis driver for Jaws$')"; }
  stop_programs
  started=$(now_ms)
  (cd "$package" && WINEPATH=$maker_path WINEQT_PLUGIN_PATH="$(to_windows "$(dirname "${folders[0]}")/plugins")" \
     WINEDEBUG=-all exec "$wine" "$build/src/app/InstallQuorOlma.exe" >/dev/null 2>&1) &
  wait_for 120 has_window '^Korvalis driver for Jaws$' &&
    echo "First page after $(( $(now_ms) - started )) ms (the build's program, started as the test runner does)"
  stop_programs
  started=$(now_ms)
  (cd "$package" && WINEDEBUG=-all exec "$wine" "$root_windows\\package\\InstallQuorOlma.exe" >/dev/null 2>&1) &
  wait_for 120 has_window '^Korvalis driver for Jaws$' &&
    echo "First page after $(( $(now_ms) - started )) ms (packaged program, prefix already started)"
  stop_programs
fi

[ "$status" -eq 0 ] && echo "The packaged program installed the driver in a new prefix with keys alone."
exit "$status"
