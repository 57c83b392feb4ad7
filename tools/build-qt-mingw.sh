#!/usr/bin/env bash
# Builds Qt 6.4.2 (Core, Gui, Widgets, Test and the windows platform plugin) for MinGW-w64 from
# Debian's qt6-base source package and writes qt6.4.2-mingw-w64-x86_64.tar.xz into OUTPUT_DIR.
# Used when no ready archive lies beside the clone. About 40 minutes on two cores.
# Usage: tools/build-qt-mingw.sh OUTPUT_DIR
set -euo pipefail
out_dir=${1:?usage: build-qt-mingw.sh OUTPUT_DIR}
mkdir -p "$out_dir"
out=$(cd "$out_dir" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/lib.sh
. "$here/lib.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
as_root apt-get install -y --no-install-recommends qt6-base-dev qt6-base-dev-tools qt6-tools-dev-tools \
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev ninja-build cmake xz-utils dpkg-dev
if ! grep -rqs "deb-src" /etc/apt/sources.list /etc/apt/sources.list.d/; then
  # Source packages come from the mirror the binary ones already use.
  uri=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
  [ -n "$uri" ] || uri=$(awk '/^deb / {print $2; exit}' /etc/apt/sources.list)
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' "$uri" \
    | as_root tee /etc/apt/sources.list.d/qt-mingw-src.sources >/dev/null
  as_root apt-get update
fi
cd "$work"
apt-get source --download-only qt6-base=6.4.2+dfsg-10
tar xf qt6-base_6.4.2+dfsg.orig.tar.xz
cat > mingw.cmake <<'TC'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC
prefix="$work/qt6.4.2-mingw-w64-x86_64"
# Debian's source drops the Wintab header, so tablet events are off; without OpenGL and
# Direct2D, dynamic GL and DirectWrite 3 must be off too.
cmake -G Ninja -S qtbase-everywhere-src-6.4.2 -B build \
  -DCMAKE_TOOLCHAIN_FILE="$work/mingw.cmake" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=ON -DFEATURE_icu=OFF -DFEATURE_vulkan=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_direct2d=OFF -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_directwrite3=OFF
cmake --build build --parallel
cmake --install build
# A relocatable prefix: its toolchain file chains to a MinGW toolchain file kept inside it.
cp mingw.cmake "$prefix/mingw-w64-x86_64.cmake"
sed -i 's|^set(__qt_initially_configured_toolchain_file ".*")|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/../../../mingw-w64-x86_64.cmake")|' \
  "$prefix/lib/cmake/Qt6/qt.toolchain.cmake"
x86_64-w64-mingw32-strip --strip-unneeded "$prefix"/bin/*.dll "$prefix"/plugins/*/*.dll 2>/dev/null || true
rm -rf "$prefix/doc"
tar -C "$work" -cJf "$out/qt6.4.2-mingw-w64-x86_64.tar.xz.part" qt6.4.2-mingw-w64-x86_64
mv "$out/qt6.4.2-mingw-w64-x86_64.tar.xz.part" "$out/qt6.4.2-mingw-w64-x86_64.tar.xz"
echo "written: $out/qt6.4.2-mingw-w64-x86_64.tar.xz"
