# Shared by the tools/ scripts: sourced, never run.

# Every package that both builds, the demo and the whole test suite need (Debian 12).
IQO_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-base-private-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools
  qt6-l10n-tools qt6-translations-l10n libgl-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  mingw-w64-x86-64-dev wine64 xvfb xauth xdotool dbus at-spi2-core python3-pyatspi orca locales-all
  clang-14 libclang-rt-14-dev xz-utils dpkg-dev wixl msitools osslsigncode openssl)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the packages that are not there yet; asks apt only when something is missing.
install_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -qq
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The Qt for MinGW prefix, unpacked under the build folder $1. Takes the archive beside the clone
# (../shared/toolchains), else the one cached by an earlier build, else builds it (about 40 minutes).
mingw_qt_prefix() {
  local build_dir=$1 repo archive cache
  repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  archive="$repo/../shared/toolchains/qt6.4.2-mingw-w64-x86_64.tar.xz"
  cache="${XDG_CACHE_HOME:-$HOME/.cache}/installquorolma"
  if [ ! -f "$archive" ]; then
    archive="$cache/qt6.4.2-mingw-w64-x86_64.tar.xz"
    if [ ! -f "$archive" ]; then
      echo "No Qt for MinGW found beside the clone nor in $cache." >&2
      echo "Building it now from Debian's qt6-base source: this takes about 40 minutes on two cores." >&2
      echo "The result is cached in $cache for later runs." >&2
      "$repo/tools/build-qt-mingw.sh" "$cache" >&2
    fi
  fi
  local prefix="$build_dir/qt6.4.2-mingw-w64-x86_64"
  if [ ! -f "$prefix/.unpacked" ] || [ "$archive" -nt "$prefix/.unpacked" ]; then
    rm -rf "$prefix"
    mkdir -p "$build_dir"
    tar -C "$build_dir" -xJf "$archive"
    touch "$prefix/.unpacked"
  fi
  echo "$prefix"
}

# Starts Xvfb on a free display; sets IQO_DISPLAY and IQO_XVFB_PID.
start_xvfb() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  IQO_XVFB_PID=$!
  IQO_DISPLAY=":$n"
  local i
  for i in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
  echo "Xvfb did not start on $IQO_DISPLAY" >&2
  return 1
}

stop_xvfb() {
  [ -n "${IQO_XVFB_PID:-}" ] && kill "$IQO_XVFB_PID" 2>/dev/null
  IQO_XVFB_PID=
}
