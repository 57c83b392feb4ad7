#!/usr/bin/env bash
# Fuzzes the PE version reader with libFuzzer (clang). A finding is written into
# tests/fixtures/malformed-pe/, where the test suite replays it from then on.
# Usage: tools/fuzz.sh [SECONDS]   (default 600)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/tools/lib.sh"
seconds=${1:-600}
build="${IQO_BUILD_DIR:-$repo/build}/fuzz"
install_packages "${IQO_PACKAGES[@]}"
CXX=clang++-14 cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIQO_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_peversionresource iqo_pe_fixtures
corpus="$build/corpus"
mkdir -p "$corpus"
cp "$build"/tests/fixtures/pe/*.dll "$repo"/tests/fixtures/malformed-pe/* "$corpus/"
cd "$build"
./tools/fuzz/fuzz_peversionresource -max_total_time="$seconds" -max_len=16384 -timeout=5 \
  -artifact_prefix="$repo/tests/fixtures/malformed-pe/fuzz-" -print_final_stats=1 "$corpus"
