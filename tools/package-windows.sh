#!/usr/bin/env bash
# Builds the Windows build (Release, MinGW-w64) and makes the package a driver maker ships:
# build/dist/InstallQuorOlma-<version>-win64.zip, one folder with the program, the DLLs and Qt
# plugins it loads and README.txt (cmake/WindowsPackage.cmake). Lists what the archive holds.
# Installs what is missing first (Debian 12). Build folders: $IQO_BUILD_DIR (default: build/).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/tools/lib.sh"
build_root=${IQO_BUILD_DIR:-$repo/build}

# The Windows build folder is the test command's: its configuration needs Wine too.
install_packages cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools \
  qt6-translations-l10n g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev wine64 xz-utils python3
windows="$build_root/windows"
prefix=$(mingw_qt_prefix "$windows")
cmake -S "$repo" -B "$windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/windows-build.cmake" -DIQO_QT_MINGW_PREFIX="$prefix" >/dev/null
cmake --build "$windows" --target InstallQuorOlma

# CPack installs into its own staging folder, reading each shipped file's imports as it goes.
staging="$windows/cpack"
rm -rf "$staging"
(cd "$windows" && cpack -G ZIP -B "$staging")
archive=$(ls "$staging"/InstallQuorOlma-*-win64.zip)
dist="$build_root/dist"
mkdir -p "$dist"
cp "$archive" "$dist/"
archive="$dist/$(basename "$archive")"

# What is in it, each file's size unpacked and packed.
python3 - "$archive" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as archive:
    entries = [e for e in archive.infolist() if not e.is_dir()]
    print(f"{'file':58} {'size':>10} {'packed':>10}")
    for e in sorted(entries, key=lambda e: e.filename):
        print(f"{e.filename:58} {e.file_size:>10} {e.compress_size:>10}")
    print(f"{'total':58} {sum(e.file_size for e in entries):>10} {sum(e.compress_size for e in entries):>10}")
PY
size=$(stat -c %s "$archive")
echo "The package: $archive ($size bytes)"
if [ "$size" -ge $((15 * 1000 * 1000)) ]; then
  echo "The archive is larger than 15 MB." >&2
  exit 1
fi
