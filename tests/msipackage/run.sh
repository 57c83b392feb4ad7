#!/usr/bin/env bash
# The Windows Installer package as a deployment tool runs it, under Wine's own msiexec: made the
# way tools/package-windows.sh makes it (CPack's folder and a driver package), on a new Wine
# prefix with two JAWS (10.0 with the JAWS double running as JFW.EXE, 17.0 beside it):
#   msiexec /i ... /qn DISPLAY=OLMA   installs into every JAWS (the settings as the unattended
#                                     rows check them), one entry in the list of apps, the
#                                     package's, its product code the Uninstall key's name
#   msiexec /fa {code}                repairs, and changes nothing (as REINSTALL=ALL REINSTALLMODE=a)
#   msiexec /i (a higher version)     upgrades in place: one entry, the new version, the new driver
#   msiexec /x {code}                 removes: the settings as before the installation
#   msiexec /i ... DISPLAY=NOSUCH     fails with 1603, and the rollback leaves the machine as it was
#                                     (the other properties on the program's command line); so does
#                                     ALLUSERS_SETTINGS=yes, before the program runs
# Each run's MSI log must hold the program's lines and its report.
#   run.sh BUILD_DIR MAKER WINE WINESERVER MAKER_DLL_FOLDERS
# MAKER is testmachinemaker.exe; MAKER_DLL_FOLDERS (colon-separated) the Qt and MinGW folders it
# alone runs with.
#
# Wine's msiexec differs from Windows' in ways that this test meets: it has no repair by /f (a
# product code there is "not implemented yet", a package is taken for a product code), so the
# repair is asked for by the properties that /fa stands for, REINSTALL=ALL REINSTALLMODE=a;
# /x takes a product code, not a package; and its RemoveExistingProducts removes the older package
# without UPGRADINGPRODUCTCODE, so that the older package's own removal runs during an upgrade
# (on Windows it does not: the driver stays and the newer package installs over it). Both lead to
# the same machine, which is what is checked. Its exit status keeps the low 8 bits of msiexec's
# code: 1603 is 67.
set -u
build=$1 maker=$2 wine=$3 wineserver=$4 maker_dlls=$5
repo=$(cd "$(dirname "$0")/../.." && pwd)
. "$repo/tools/lib.sh"
. "$repo/tools/package-lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/iqo-msi.XXXXXX")
. "$repo/tests/support/winescript.sh"
unset IQO_SIGN_PFX IQO_SIGN_PASSWORD IQO_SIGN_TIMESTAMP

# --- A new prefix that has never seen Qt.
unset WINEPATH
for variable in $(env | sed -n 's/^\(WINEQT_[A-Za-z_]*\|QT_[A-Za-z_]*\)=.*/\1/p'); do unset "$variable"; done
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
start_xvfb || { fail "no X server"; exit 1; }
export DISPLAY=$IQO_DISPLAY
"$wine" wineboot -i >"$work/wineboot.log" 2>&1
"$wineserver" -w

# --- The machine: JAWS 10 with the double as JFW.EXE, JAWS 17.0, the driver package.
root_windows='C:\machine'
root="$WINEPREFIX/drive_c/machine"
maker_path=
IFS=: read -r -a folders <<<"$maker_dlls"
for folder in "${folders[@]}"; do maker_path+="$(to_windows "$folder");"; done
WINEPATH=$maker_path "$wine" "$maker" "$root_windows" --second-jaws >"$work/machine.txt" 2>"$work/maker.err" ||
  { cat "$work/maker.err"; fail "the test machine could not be made"; exit 1; }
tr -d '\r' <"$work/machine.txt" >"$work/machine.env"
unix_path() { local p; p=$(sed -n "s/^$1=C://p" "$work/machine.env" | tr '\\' '/'); printf '%s' "$WINEPREFIX/drive_c$p"; }
jaws=$(unix_path jaws) jaws2=$(unix_path jaws2) package=$(unix_path package) user=$(unix_path user) user2=$(unix_path user2)
shared=$(unix_path shared)
[ -f "$jaws/JFW.EXE" ] && [ -f "$jaws2/JFW.EXE" ] && [ -f "$package/list.install" ] && [ -f "$user/enu/default.jcf" ] &&
  [ -f "$user2/enu/default.jcf" ] || { cat "$work/machine.env"; fail "the test machine is incomplete"; exit 1; }

# --- The two packages: the driver package's files (what its manifest names) in a folder of
# their own, and the same with a driver of a higher version.
mkdir -p "$work/driver"
for name in list.install braille.ini korvalis_default.jcf QuorOlma.chm manual_en.txt manual_fr.txt QuorOlma.jlb; do
  cp "$package/$name" "$work/driver/" || fail "the package lacks $name"
done
cp -a "$work/driver" "$work/driver-next"
cp "$build/tests/fixtures/pe/driver_next.dll" "$work/driver-next/QuorOlma.jlb"
iqo_package "$build" "$work/staging" "$work/dist" "$work/driver" || { fail "the package could not be made"; exit 1; }
first_msi=$IQO_MSI first_version=$IQO_MSI_VERSION program="$work/staging/unpacked/$(basename "$IQO_ZIP" .zip)"
iqo_make_msi "$program" "$work/driver-next" "$work/staging/InstallQuorOlmaAction.dll" "$work/next.msi" >"$work/next.version" ||
  { fail "the second package could not be made"; exit 1; }
next_msi="$work/next.msi" next_version=$(cat "$work/next.version")
[ "$first_version" = 2.1.0.7 ] && [ "$next_version" = 2.2.0.1 ] || fail "the packages' versions are $first_version and $next_version"
product_code() { msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'; }
first_code=$(product_code "$first_msi") next_code=$(product_code "$next_msi")
echo "Packages: $(basename "$first_msi") $first_version $first_code, next $next_version $next_code"

# --- JAWS runs, as it does on a user's machine.
(cd "$jaws" && exec "$wine" "$root_windows\\Program Files\\JAWS10\\JFW.EXE" >"$work/jfw.out" 2>"$work/jfw.err") &
wait_for 60 lines_in "$jaws/jawsdouble.log" 1 || fail "the JAWS double did not start"
jaws_runs() { WINEPATH=$maker_path "$wine" "$maker" --wait-for-jaws >/dev/null 2>&1; }
jaws_runs || fail "the JAWS double's window did not appear"

# Every file of the machine (the package folder and the double's own log left out) and of the
# Freedom Scientific settings folders, with a digest of its bytes.
snapshot() {
  python3 - "$root" "$package" "$(dirname "$(dirname "$(dirname "$shared")")")" "$(dirname "$(dirname "$(dirname "$user")")")" <<'PY'
import hashlib, os, sys
root, package, *settings = sys.argv[1:]
for place in [root] + settings:
    for folder, dirs, files in os.walk(place):
        dirs.sort()
        if folder == package or folder.startswith(package + "/"):
            continue
        print(f"{folder}\t/")
        for name in sorted(files):
            if name.lower() == "jawsdouble.log":
                continue
            path = os.path.join(folder, name)
            print(f"{path}\t{hashlib.sha1(open(path, 'rb').read()).hexdigest()}")
PY
}
# Every file that was there has its bytes again; of what came since, only reports and numbered
# backups are left (the unattended rows' rule).
restored_as_before() {
  python3 - "$1" "$2" <<'PY'
import re, sys
def read(path):
    return dict(line.rstrip("\n").split("\t") for line in open(path) if line.strip())
before, after = read(sys.argv[1]), read(sys.argv[2])
kept = re.compile(r"(installLog\.txt|/log\.txt|\.\d{3,})$", re.I)
bad = [p for p, d in before.items() if not kept.search(p) and after.get(p) != d]
bad += [p for p in after if p not in before and not kept.search(p) and after[p] != "/"]
for p in bad:
    print(f"not as before: {p} ({before.get(p, 'new')} -> {after.get(p, 'gone')})")
sys.exit(1 if bad else 0)
PY
}
# The same files with the same bytes, reports aside.
unchanged() {
  diff <(grep -v 'installLog\.txt' "$1") <(grep -v 'installLog\.txt' "$2") >&2
}

msiexec() { # name, then msiexec's arguments; its exit status
  local name=$1
  shift
  "$wine" msiexec "$@" '/l*v' "$(to_windows "$work/$name.log")" >"$work/$name.out" 2>&1
  local code=$?
  echo "msiexec $* -> $code"
  return $code
}
entries() { "$wine" reg query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall' /s /reg:64 2>/dev/null | tr -d '\r'; }
# The keys of the list of apps that name the driver.
driver_entries() {
  entries | awk '/^HKEY_/ { key = $0 } /DisplayName.*QuorOlma/ { print key }' | sed 's/.*\\//'
}
value_of() { # key name, value name
  entries | awk -v key="$1" -v name="$2" '/^HKEY_/ { here = ($0 ~ ("\\\\" key "$")) } here && $1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
# The MSI log of a run holds the program's lines and its report.
log_holds() { # name, text
  iconv -f WINDOWS-1252 -t UTF-8 "$work/$1.log" 2>/dev/null | tr -d '\r' | grep -qF -- "$2"
}
installed_everywhere() { # driver file
  local folder settings
  for folder in "$jaws" "$jaws2"; do
    cmp -s "$folder/Drivers/Braille/quorolma/QuorOlma.jlb" "$1" || fail "the driver in $folder is not $(basename "$1")"
    grep -q "^OK : 'English.jbt' Braille table selected" "$folder/installLog.txt" || fail "the report in $folder does not show the configuration"
    if grep -q '^ERROR' "$folder/installLog.txt"; then fail "the report in $folder holds errors"; grep '^ERROR' "$folder/installLog.txt" >&2; fi
  done
  for settings in "$user" "$user2"; do
    grep -q '^BrailleDisplay=OLMA' "$settings/enu/default.jcf" || fail "the Olma is not the display in $settings"
  done
}
installed_files() { # the MSI's folder holds the program's files and the driver package's
  local folder="$WINEPREFIX/drive_c/Program Files/Korvalis/QuorOlma" file
  while read -r file; do
    [ "$file" = ./README.txt ] || cmp -s "$program/$file" "$folder/$file" || fail "the installed folder lacks the program's $file"
  done < <(cd "$program" && find . -type f)
  for file in "$1"/*; do cmp -s "$file" "$folder/$(basename "$file")" || fail "the installed folder lacks the driver package's $(basename "$file")"; done
  [ ! -e "$WINEPREFIX/drive_c/Program Files/Korvalis/InstallQuorOlma" ] || fail "the program made its own copy under Program Files"
}

before=$work/before.txt
snapshot >"$before"

# --- Installation.
msiexec install /i "$(to_windows "$first_msi")" /qn DISPLAY=OLMA || fail "the installation ended with $?"
installed_everywhere "$work/driver/QuorOlma.jlb"
installed_files "$work/driver"
keys=$(driver_entries)
[ "$keys" = "$first_code" ] || fail "the list of apps holds '$keys', not the package's product code $first_code alone: $(entries)"
[ "$(value_of "$first_code" DisplayName)" = "QuorOlma braille driver for JAWS" ] || fail "the entry's name: $(value_of "$first_code" DisplayName)"
[ "$(value_of "$first_code" DisplayVersion)" = "$first_version" ] || fail "the entry's version: $(value_of "$first_code" DisplayVersion)"
[ "$(value_of "$first_code" Publisher)" = Korvalis ] || fail "the entry's publisher: $(value_of "$first_code" Publisher)"
grep -q "Windows' list of apps lists the driver by its Windows Installer package" "$jaws/installLog.txt" ||
  fail "the report does not say that the package's entry stands for the driver"
log_holds install "InstallQuorOlma: Installation correctly done." || fail "the MSI log lacks the program's output"
log_holds install "InstallQuorOlma report: OK : 'English.jbt' Braille table selected" || fail "the MSI log lacks the report"
log_holds install "Result: success." || fail "the MSI log lacks the result"
wait_for 60 jaws_runs || fail "JAWS was not started again after the installation"
echo "--- The installation's MSI log, the custom action's lines:"
grep -a 'InstallQuorOlma' "$work/install.log" | tr -d '\r'

# --- Repair: the installation again, nothing changed.
installed=$work/installed.txt
snapshot >"$installed"
msiexec repair /i "$first_code" REINSTALL=ALL REINSTALLMODE=a /qn || fail "the repair ended with $?"
log_holds repair "InstallQuorOlma: running" || fail "the repair did not run the program"
log_holds repair "Result: success." || fail "the repair's MSI log lacks the result"
snapshot >"$work/repaired.txt"
unchanged "$installed" "$work/repaired.txt" || fail "the repair changed the machine"
[ "$(driver_entries)" = "$first_code" ] || fail "after the repair the list of apps holds: $(driver_entries)"

# --- Upgrade: the package of the higher version, with no property (the installation's are kept).
msiexec upgrade /i "$(to_windows "$next_msi")" /qn || fail "the upgrade ended with $?"
keys=$(driver_entries)
[ "$keys" = "$next_code" ] || fail "after the upgrade the list of apps holds '$keys', not $next_code alone"
[ "$(value_of "$next_code" DisplayVersion)" = "$next_version" ] || fail "the entry's version after the upgrade: $(value_of "$next_code" DisplayVersion)"
installed_everywhere "$work/driver-next/QuorOlma.jlb"
installed_files "$work/driver-next"
log_holds upgrade "/display OLMA" || fail "the upgrade did not install with the display of the installation"
wait_for 60 jaws_runs || fail "JAWS was not started again after the upgrade"

# --- Removal: the settings as before the installation, nothing of the package left.
msiexec remove /x "$next_code" /qn || fail "the removal ended with $?"
log_holds remove "/remove /jaws all" || fail "the removal did not run the program's removal"
log_holds remove "Result: success." || fail "the removal's MSI log lacks the result"
[ -z "$(driver_entries)" ] || fail "after the removal the list of apps holds: $(driver_entries)"
[ ! -e "$WINEPREFIX/drive_c/Program Files/Korvalis/QuorOlma" ] || fail "the package's folder is left"
"$wine" reg query 'HKLM\SOFTWARE\Korvalis\QuorOlma' /reg:64 >/dev/null 2>&1 && fail "the package's remembered properties are left"
[ ! -e "$jaws/Drivers" ] && [ ! -e "$jaws2/Drivers" ] || fail "the driver is left in JAWS"
snapshot >"$work/removed.txt"
restored_as_before "$before" "$work/removed.txt" || fail "the removal did not leave the machine as before the installation"
wait_for 60 jaws_runs || fail "JAWS was not started again after the removal"

# --- A failure: the program refuses the display, the package fails with 1603 and rolls back.
# The other properties reach the program's command line on the way.
snapshot >"$work/before-failure.txt"
msiexec failure /i "$(to_windows "$first_msi")" /qn DISPLAY=NOSUCH JAWS=latest ALLUSERS_SETTINGS=1 NORESTART=1
code=$?
[ "$code" -eq $((1603 % 256)) ] || fail "the failed installation ended with $code, not 1603 (67)"
log_holds failure '/jaws "latest" /display NOSUCH /allusers /norestart /log' || fail "the properties did not reach the program"
log_holds failure "Result: failure (exit code 2)" || fail "the MSI log does not name the program's exit code"
# A property the package itself refuses: the program does not run.
msiexec refused /i "$(to_windows "$first_msi")" /qn DISPLAY=QUOR ALLUSERS_SETTINGS=yes
code=$?
[ "$code" -eq $((1603 % 256)) ] || fail "the installation with ALLUSERS_SETTINGS=yes ended with $code, not 1603 (67)"
log_holds refused "ALLUSERS_SETTINGS=yes: give 1" || fail "the MSI log does not say what is wrong with ALLUSERS_SETTINGS"
log_holds refused "InstallQuorOlma: running" && fail "the program ran with a property the package refuses"
[ -z "$(driver_entries)" ] || fail "after the failure the list of apps holds: $(driver_entries)"
[ ! -e "$WINEPREFIX/drive_c/Program Files/Korvalis/QuorOlma" ] || fail "the failed installation left its folder"
"$wine" reg query 'HKLM\SOFTWARE\Korvalis\QuorOlma' /reg:64 >/dev/null 2>&1 && fail "the failed installation left its properties"
snapshot >"$work/after-failure.txt"
unchanged "$work/before-failure.txt" "$work/after-failure.txt" || fail "the failed installation changed the machine"

if [ "$status" -ne 0 ]; then
  for name in install repair upgrade remove failure refused; do
    [ -f "$work/$name.log" ] && { echo "--- MSI log of $name (the program's lines):" >&2; grep -a 'InstallQuorOlma' "$work/$name.log" | tr -d '\r' >&2; }
  done
fi
[ "$status" -eq 0 ] && echo "The MSI installed, repaired, upgraded and removed the driver in a new prefix."
exit "$status"
