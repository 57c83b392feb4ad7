#!/usr/bin/env bash
# Fuzzes the PE version reader or the ini engine with libFuzzer (clang). A finding is written
# into tests/fixtures/malformed-pe/ or tests/fixtures/malformed-ini/, where the test suite
# replays it from then on.
# Usage: tools/fuzz.sh pe|ini [SECONDS]   (default: pe, 600 s)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/tools/lib.sh"
target=${1:-pe}
seconds=${2:-600}
build="${IQO_BUILD_DIR:-$repo/build}/fuzz"
install_packages "${IQO_PACKAGES[@]}"
CXX=clang++-14 cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIQO_FUZZ=ON >/dev/null
case "$target" in
  pe)
    cmake --build "$build" --target fuzz_peversionresource iqo_pe_fixtures
    corpus="$build/corpus-pe"
    mkdir -p "$corpus"
    cp "$build"/tests/fixtures/pe/*.dll "$repo"/tests/fixtures/malformed-pe/* "$corpus/"
    findings="$repo/tests/fixtures/malformed-pe"
    program="$build/tools/fuzz/fuzz_peversionresource" ;;
  ini)
    cmake --build "$build" --target fuzz_inidocument
    corpus="$build/corpus-ini"
    mkdir -p "$corpus" "$repo/tests/fixtures/malformed-ini"
    cp "$repo"/tests/fixtures/ini/* "$repo"/tests/fixtures/malformed-ini/* "$corpus/" 2>/dev/null || true
    findings="$repo/tests/fixtures/malformed-ini"
    program="$build/tools/fuzz/fuzz_inidocument" ;;
  *) echo "usage: tools/fuzz.sh pe|ini [SECONDS]" >&2; exit 2 ;;
esac
"$program" -max_total_time="$seconds" -max_len=16384 -timeout=5 \
  -artifact_prefix="$findings/fuzz-" -print_final_stats=1 "$corpus"
