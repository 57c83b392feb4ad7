#!/usr/bin/env bash
# Builds the Windows build (Release, MinGW-w64) and makes the package a driver maker ships:
# build/dist/InstallQuorOlma-<version>-win64.zip, one folder with the program, the DLLs and Qt
# plugins it loads and README.txt (cmake/WindowsPackage.cmake), and with the driver package's
# folder also build/dist/InstallQuorOlma-<version>-win64.msi, the Windows Installer package that
# holds the program and the driver package (resources/msi/InstallQuorOlma.wxs). Lists what they
# hold. Signs the program, its DLLs and the MSI when a code-signing certificate is given
# (IQO_SIGN_PFX, IQO_SIGN_PASSWORD, IQO_SIGN_TIMESTAMP: tools/package-lib.sh); the last line says
# whether they were signed.
#   tools/package-windows.sh [--driver-package FOLDER]
# The folder may also be given as $IQO_DRIVER_PACKAGE. Installs what is missing first (Debian 12).
# Build folders: $IQO_BUILD_DIR (default: build/).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/tools/lib.sh"
. "$repo/tools/package-lib.sh"
build_root=${IQO_BUILD_DIR:-$repo/build}

driver=${IQO_DRIVER_PACKAGE:-}
while [ $# -gt 0 ]; do
  case $1 in
    --driver-package) [ $# -ge 2 ] || { echo "--driver-package needs a folder" >&2; exit 2; }; driver=$2; shift 2 ;;
    --driver-package=*) driver=${1#*=}; shift ;;
    *) echo "usage: tools/package-windows.sh [--driver-package FOLDER]" >&2; exit 2 ;;
  esac
done
if [ -n "$driver" ]; then
  [ -d "$driver" ] || { echo "The driver package's folder $driver does not exist." >&2; exit 1; }
  driver=$(cd "$driver" && pwd)
fi

# The Windows build folder is the test command's: its configuration needs Wine too.
install_packages cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools \
  qt6-translations-l10n g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev wine64 xz-utils python3 \
  wixl msitools osslsigncode openssl
windows="$build_root/windows"
prefix=$(mingw_qt_prefix "$windows")
cmake -S "$repo" -B "$windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/windows-build.cmake" -DIQO_QT_MINGW_PREFIX="$prefix" >/dev/null
cmake --build "$windows" --target InstallQuorOlma iqo_msi_action

dist="$build_root/dist"
iqo_package "$windows" "$windows/cpack" "$dist" "$driver"

# What is in it, each file's size unpacked and packed.
python3 - "$IQO_ZIP" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as archive:
    entries = [e for e in archive.infolist() if not e.is_dir()]
    print(f"{'file':58} {'size':>10} {'packed':>10}")
    for e in sorted(entries, key=lambda e: e.filename):
        print(f"{e.filename:58} {e.file_size:>10} {e.compress_size:>10}")
    print(f"{'total':58} {sum(e.file_size for e in entries):>10} {sum(e.compress_size for e in entries):>10}")
PY
size=$(stat -c %s "$IQO_ZIP")
echo "The package: $IQO_ZIP ($size bytes)"
if [ "$size" -ge $((15 * 1000 * 1000)) ]; then
  echo "The archive is larger than 15 MB." >&2
  exit 1
fi
if [ -n "$IQO_MSI" ]; then
  echo
  echo "The Windows Installer package holds, in Program Files\\Korvalis\\QuorOlma:"
  python3 - "$IQO_MSI" <<'PY'
import subprocess, sys
def table(name):
    out = subprocess.run(["msiinfo", "export", sys.argv[1], name], capture_output=True, text=True, check=True).stdout
    return [line.rstrip("\r").split("\t") for line in out.splitlines()[3:] if line.strip()]
folders = {row[0]: (row[1], row[2].split("|")[-1]) for row in table("Directory")}
component_folder = {row[0]: row[2] for row in table("Component")}
def path(folder):
    parts = []
    while folder and folder != "INSTALLDIR":
        parent, name = folders[folder]
        parts.insert(0, name)
        folder = parent
    return "\\".join(parts)
rows = []
for row in table("File"):
    folder = path(component_folder[row[1]])
    rows.append(((folder + "\\" if folder else "") + row[2].split("|")[-1], int(row[3])))
for name, size in sorted(rows, key=lambda r: r[0].lower()):
    print(f"  {name:56} {size:>10}")
PY
  echo "The MSI: $IQO_MSI ($(stat -c %s "$IQO_MSI") bytes), version $IQO_MSI_VERSION (the driver's)"
else
  echo "No MSI: name the driver package's folder with --driver-package FOLDER (README, \"Deploying with the MSI\")."
fi
if [ "$IQO_SIGNED" = 1 ]; then
  echo "Signed and verified: the program, its DLLs${IQO_MSI:+ and the MSI} (certificate $IQO_SIGN_PFX)."
else
  echo "Not signed: no code-signing certificate was given (IQO_SIGN_PFX and IQO_SIGN_PASSWORD; README, \"Signing\")."
fi
