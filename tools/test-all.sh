#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds the native and the Windows build and runs both
# test suites: natively with AddressSanitizer and UndefinedBehaviorSanitizer, and as Windows
# programs under Wine. Exits non-zero when a build or a test fails.
# Build folders: $IQO_BUILD_DIR (default: build/ in the clone).
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/tools/lib.sh"
build_root=${IQO_BUILD_DIR:-$repo/build}
jobs=$(nproc 2>/dev/null || echo 2)

install_packages "${IQO_PACKAGES[@]}" || { echo "Could not install the packages" >&2; exit 1; }

passed=0
failed=0
status=0
run_suite() { # name build_dir [extra ctest arguments]
  local log
  log=$(mktemp)
  (cd "$2" && ctest --output-on-failure -j "$jobs" --timeout 600 "${@:3}") 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  local line
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    local f total
    f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - f))
    failed=$((failed + f))
  fi
  [ "$rc" -eq 0 ] || { echo "The $1 suite failed." >&2; status=1; }
  # A test that passed only on its second run is named, so that it is looked into.
  local retried
  retried=$(grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: [^ ]+ .*(Failed|Exception|Timeout)' "$log" | sed -E 's/.*Test +#[0-9]+: ([^ ]+).*/\1/' | sort -u)
  if [ -n "$retried" ] && [ "$rc" -eq 0 ]; then
    echo "Passed on a second run only ($1 suite): $(echo $retried)" >&2
  fi
  rm -f "$log"
}

step() { echo; echo "=== $* ==="; }
seconds() { date +%s; }

step "Native build (sanitizers on)"
t0=$(seconds)
native="$build_root/native"
if cmake -S "$repo" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DIQO_SANITIZE=ON >/dev/null &&
   cmake --build "$native" -j "$jobs"; then
  echo "Native build: $(( $(seconds) - t0 )) s"
  step "Native suite"
  t0=$(seconds)
  # Qt's own libraries are not built with the sanitizers, so leaks inside them are not ours;
  # leaks in our code are still reported.
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
    run_suite native "$native"
  echo "Native suite: $(( $(seconds) - t0 )) s"
else
  echo "The native build failed." >&2
  status=1
  failed=$((failed + 1))
fi

step "Copy worker under ThreadSanitizer"
t0=$(seconds)
tsan="$build_root/tsan"
if cmake -S "$repo" -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DIQO_TSAN=ON >/dev/null &&
   cmake --build "$tsan" -j "$jobs" --target tst_copythread >/dev/null; then
  # Qt's libraries are not instrumented: what happens inside them is suppressed.
  if TSAN_OPTIONS="halt_on_error=1 suppressions=$repo/tools/tsan.supp" "$tsan/tests/tst_copythread"; then
    passed=$((passed + 1))
  else
    echo "The copy worker failed under ThreadSanitizer." >&2
    failed=$((failed + 1))
    status=1
  fi
else
  echo "The ThreadSanitizer build failed." >&2
  failed=$((failed + 1))
  status=1
fi
echo "ThreadSanitizer run: $(( $(seconds) - t0 )) s"

step "Windows build (MinGW-w64, run under Wine)"
t0=$(seconds)
windows="$build_root/windows"
if prefix=$(mingw_qt_prefix "$windows") &&
   cmake -S "$repo" -B "$windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
     -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/windows-build.cmake" -DIQO_QT_MINGW_PREFIX="$prefix" >/dev/null &&
   cmake --build "$windows" -j "$jobs"; then
  echo "Windows build: $(( $(seconds) - t0 )) s"
  step "Windows suite under Wine"
  t0=$(seconds)
  # One virtual display for the whole run: Windows programs under Wine need an X server.
  start_xvfb
  # A test that fails under Wine gets one more run, and both runs stay in the log, where the
  # test is named below. The probes' lost lines are mended (they travel through files now);
  # what a second run still covers is Wine's own start-up: a test program that ended with
  # status 1 within a second, before its first line, was seen on a loaded machine. A failure
  # that repeats is still a failure.
  DISPLAY=$IQO_DISPLAY run_suite Windows "$windows" --repeat until-pass:2
  stop_xvfb
  echo "Windows suite: $(( $(seconds) - t0 )) s"
else
  echo "The Windows build failed." >&2
  status=1
  failed=$((failed + 1))
fi

echo
echo "Total: $passed passed, $failed failed"
exit $status
