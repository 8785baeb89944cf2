#!/usr/bin/env bash
# Builds everything and runs every test: the host build (unit tests, the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, fuzz targets for a few seconds each, a
# benchmark smoke run) and the Windows build (its test programs under Wine).
# Installs what it needs first. Ends with the ctest summary of both builds.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh || exit 1

logs=$(mktemp -d)
xvfb_pid=
cleanup() {
  for prefix in build/windows/wineprefix; do
    [[ -d $prefix ]] && WINEPREFIX=$root/$prefix wineserver -k 2>/dev/null
  done
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$logs"
}
trap cleanup EXIT

# A virtual display for everything that runs under Wine.
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display

build_and_test() {
  local preset=$1
  echo "=== $preset: configure and build"
  cmake --preset "$preset" -DTESSIVO_WARNINGS_AS_ERRORS=ON >"$logs/$preset-configure.log" 2>&1 ||
    { cat "$logs/$preset-configure.log"; return 1; }
  cmake --build --preset "$preset" 2>&1 | tee "$logs/$preset-build.log" | grep -E '^FAILED|error:|warning:'
  [[ ${PIPESTATUS[0]} -eq 0 ]] || { tail -50 "$logs/$preset-build.log"; return 1; }
  echo "=== $preset: tests"
  ctest --preset "$preset" 2>&1 | tee "$logs/$preset-test.log"
  return "${PIPESTATUS[0]}"
}

status=0
build_and_test host || status=1
build_and_test windows || status=1

# ctest's own summary line of each build, last, so that a run that ran nothing shows.
for preset in host windows; do
  echo "=== summary: $preset"
  grep -E 'tests passed|No tests were found' "$logs/$preset-test.log" 2>/dev/null | tail -1 ||
    echo "$preset: no tests ran (the build failed)"
done
exit $status
