#!/usr/bin/env bash
# Runs the benchmarks of the native build and, under Wine, of the Windows build (both built by
# tools/test-all.sh first). Prints the figures; docs/benchmarks.md keeps them.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/tools/lib.sh"
build_root=${IQO_BUILD_DIR:-$repo/build}
release="$build_root/benchmark"
cmake -S "$repo" -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DIQO_BUILD_TESTS=OFF >/dev/null
cmake --build "$release" --target ini_benchmark configure_benchmark >/dev/null
# A JAWS 10 jfw.exe from the test fixtures, when the test builds exist.
jfw_native="$build_root/native/tests/fixtures/pe/jfw_10.dll"
jfw_windows="$build_root/windows/tests/fixtures/pe/jfw_10.dll"
echo "== native"
"$release/tools/bench/ini_benchmark"
"$release/tools/bench/configure_benchmark" $( [ -f "$jfw_native" ] && echo "$jfw_native" )
if [ -x "$build_root/windows/wine-runner.sh" ]; then
  echo "== Windows build under Wine"
  "$build_root/windows/wine-runner.sh" "$build_root/windows/tools/bench/ini_benchmark.exe"
  "$build_root/windows/wine-runner.sh" "$build_root/windows/tools/bench/configure_benchmark.exe" \
    $( [ -f "$jfw_windows" ] && echo "Z:${jfw_windows//\//\\}" )
  # Closing a JAWS that refuses to close: the JAWS double of the Windows test build.
  double="$build_root/windows/tests/jawsdouble.exe"
  if [ -f "$build_root/windows/tools/bench/jawsclose_benchmark.exe" ] && [ -f "$double" ]; then
    "$build_root/windows/wine-runner.sh" "$build_root/windows/tools/bench/jawsclose_benchmark.exe" "Z:${double//\//\\}"
  fi
fi
