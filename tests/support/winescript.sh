# What the suite's Wine scripts (the packaged program, the MSI) share. Sourced after tools/lib.sh,
# with `wineserver` and `work` set: a failure is counted in `status`, the work folder goes at the
# end unless a failed run is to be kept (IQO_KEEP_FAILED).
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
to_windows() { printf 'Z:%s' "${1//\//\\}"; }

cleanup() {
  "$wineserver" -k >/dev/null 2>&1
  "$wineserver" -w >/dev/null 2>&1
  stop_xvfb
  if [ "$status" -eq 0 ] || [ -z "${IQO_KEEP_FAILED:-}" ]; then rm -rf "$work"; else echo "Kept: $work" >&2; fi
}
trap cleanup EXIT

# Waits up to $1 seconds for the command that follows to succeed.
wait_for() {
  local seconds=$1 i
  shift
  for i in $(seq $((seconds * 5))); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}
lines_in() { [ -f "$1" ] && [ "$(grep -c '' "$1")" -ge "$2" ]; }
