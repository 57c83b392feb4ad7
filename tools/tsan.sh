#!/usr/bin/env bash
# Runs the tests of the threaded code (the copy worker) under ThreadSanitizer, in a build of
# their own. Qt's libraries are not built with it, so races inside Qt's own code (seen only
# through their effects) are suppressed; a race in our code is reported and fails the run.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/tools/lib.sh"
build="${IQO_BUILD_DIR:-$repo/build}/tsan"
install_packages "${IQO_PACKAGES[@]}"
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DIQO_TSAN=ON >/dev/null
cmake --build "$build" --target tst_copythread
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$repo/tools/tsan.supp" \
  "$build/tests/tst_copythread"
