# shellcheck shell=bash
# Shared by the end-to-end test scripts (sourced, not run). A test script is called as
#
#   script.sh [EMULATOR...] -- WININSPECT.exe ARGS...
#
# where EMULATOR is CMake's CMAKE_CROSSCOMPILING_EMULATOR (cmake/wine-run.sh and the build
# tree's Wine prefix). It gives: a usable X display (the caller's, or an Xvfb of its own), the
# helpers below, a check that counts results, and a clean-up that ends whatever the test started.

set -uo pipefail

e2e_emulator=()
while (($#)) && [[ $1 != -- ]]; do
  e2e_emulator+=("$1")
  shift
done
if [[ ${1-} != -- || $# -lt 2 ]]; then
  echo "usage: $0 [EMULATOR...] -- WININSPECT.exe ARGS..." >&2
  exit 2
fi
shift
e2e_wininspect=$1
shift
# shellcheck disable=SC2034  # for the test script
e2e_args=("$@")

e2e_passed=0
e2e_failed=0
e2e_pids=()
e2e_xvfb_pid=

e2e_cleanup() {
  local pid
  for pid in "${e2e_pids[@]}"; do
    kill "$pid" 2>/dev/null
  done
  [[ -n $e2e_xvfb_pid ]] && kill "$e2e_xvfb_pid" 2>/dev/null
  return 0
}
trap e2e_cleanup EXIT

# Runs a Windows program the way the build runs its tests.
wine_run() {
  "${e2e_emulator[@]}" "$@"
}

inspect() {
  wine_run "$e2e_wininspect" "$@"
}

# A Unix path as Wine's drive Z: names it, for programs that take Windows paths.
windows_path() {
  local path
  path=$(realpath "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# Uses $DISPLAY when an X server answers there; otherwise starts an Xvfb on a free display.
e2e_ensure_display() {
  if [[ -n ${DISPLAY-} ]] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  command -v Xvfb >/dev/null || { echo "e2e: no X display and no Xvfb (apt-get install xvfb)" >&2; exit 1; }
  local numberFile
  numberFile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
  e2e_xvfb_pid=$!
  local tries
  for ((tries = 0; tries < 100; tries++)); do
    [[ -s $numberFile ]] && break
    kill -0 "$e2e_xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [[ ! -s $numberFile ]]; then
    echo "e2e: Xvfb did not start" >&2
    rm -f "$numberFile"
    exit 1
  fi
  DISPLAY=:$(tr -dc '0-9' <"$numberFile")
  export DISPLAY
  rm -f "$numberFile"
  echo "e2e: started Xvfb on $DISPLAY"
}

# The first Wine start of a fresh build tree makes its prefix and its persistent wineserver;
# with its output on /dev/null, so that the server never holds the test's output pipe open.
e2e_prepare_wine() {
  if ! inspect list e2e-prepare >/dev/null; then
    echo "e2e: wininspect does not run under Wine" >&2
    exit 1
  fi
}

# Starts a Windows program in the background, the way wine_run runs it; its process ID (that
# of the Wine process itself, which the wrapper becomes) is in $e2e_last_pid, and it is ended
# at exit if it is still running then.
start_wine_background() {
  "${e2e_emulator[@]}" "$@" &
  e2e_last_pid=$!
  e2e_pids+=("$e2e_last_pid")
}

# Waits for a background process to end, at most SECONDS; its exit code is in $e2e_exit_code
# ("timeout" when it is still running).
# shellcheck disable=SC2034  # e2e_exit_code is for the test script
wait_exit() {
  local pid=$1 seconds=$2 tries
  for ((tries = 0; tries < seconds * 10; tries++)); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      e2e_exit_code=$?
      return 0
    fi
    sleep 0.1
  done
  e2e_exit_code=timeout
  return 1
}

# check NAME ACTUAL EXPECTED
check() {
  if [[ $2 == "$3" ]]; then
    e2e_passed=$((e2e_passed + 1))
    echo "ok     $1"
  else
    e2e_failed=$((e2e_failed + 1))
    echo "FAILED $1"
    echo "         expected: $3"
    echo "         actual:   $2"
  fi
}

# check_contains NAME TEXT PART
check_contains() {
  if [[ $2 == *"$3"* ]]; then
    check "$1" "$3" "$3"
  else
    check "$1" "$2" "... $3 ..."
  fi
}

# Field N (from 1) of a tab-separated record.
field() {
  printf '%s\n' "$1" | cut -f "$2"
}

# The first record of KIND whose field N reads VALUE (and, optionally, field M reads VALUE2).
record() {
  local records=$1 kind=$2 n=$3 value=$4 m=${5-} value2=${6-}
  printf '%s\n' "$records" | awk -F'\t' -v kind="$kind" -v n="$n" -v value="$value" -v m="$m" -v value2="$value2" \
    '$1 == kind && $n == value && (m == "" || $m == value2) { print; exit }'
}

# Saves the whole screen as screenshots/NAME-TIME.png beside the test's build files.
screenshot() {
  local dir=${TESSIVO_E2E_SCREENSHOTS:-screenshots}
  mkdir -p "$dir"
  local file
  file=$dir/$1-$(date +%Y%m%d-%H%M%S).png
  if import -window root "$file" 2>/dev/null; then
    echo "screenshot: $file"
  else
    check "screenshot $1" "import failed" "saved"
  fi
}

# The closing line, and the exit code of the test.
e2e_finish() {
  echo "$e2e_passed passed, $e2e_failed failed"
  ((e2e_failed == 0))
  exit $?
}
