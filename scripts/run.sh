#!/usr/bin/env bash
# Builds Tessivo时间同步器 for Windows and runs it under Wine.
#
#   bash scripts/run.sh
#
# Installs what it needs first (scripts/setup.sh), builds the `windows` preset, and runs
# build/windows/TessivoTimeSync.exe in a Wine prefix of its own (build/windows/run-prefix, made
# on the first run) with code page 936.
#
# With a usable X display ($DISPLAY), the program runs there in the foreground and this script
# returns its exit code. Without one, it runs on a virtual display of its own inside Wine's
# virtual desktop (real window frames), waits for the main window, saves a screenshot to
# build/windows/screenshots/run-TIME.png, closes the program as a user would (WM_CLOSE on the
# main window), and exits 0.
#
# To try the runner on another program of ours, set TESSIVO_RUN_TARGET, TESSIVO_RUN_EXE and
# TESSIVO_RUN_TITLE (its CMake target, its .exe and its main window's title).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

build_dir=$root/build/windows
target=${TESSIVO_RUN_TARGET:-tessivo_app}
exe=${TESSIVO_RUN_EXE:-$build_dir/TessivoTimeSync.exe}
title=${TESSIVO_RUN_TITLE:-Tessivo时间同步器}
prefix=$build_dir/run-prefix
wininspect=$build_dir/tests/e2e/wininspect.exe
desktop=tessivo
screen=1024x768
window_wait_ms=60000
exit_wait_s=20

say() { echo "run: $*"; }
fail() {
  echo "run: error: $*" >&2
  exit 1
}

# ---- what runs, and its clean-up -----------------------------------------------------------

xvfb_pid=
program_pid=
server_started=
logs=$(mktemp -d)
cleanup() {
  if [[ -n $program_pid ]] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
  fi
  if [[ -n $server_started ]]; then
    # Ends every process left in our prefix, and the server with them.
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  fi
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$logs"
}
trap cleanup EXIT

# One run at a time per build tree: each run ends every process in its prefix at the end.
mkdir -p "$build_dir"
exec 9>"$prefix.lock"
flock -n 9 || fail "another scripts/run.sh is using $prefix"

# ---- build -----------------------------------------------------------------------------------

bash scripts/setup.sh || fail "scripts/setup.sh failed"

display_usable() { [[ -n ${DISPLAY-} ]] && xdpyinfo >/dev/null 2>&1; }
headless=
if ! display_usable; then
  headless=1
  [[ -n ${DISPLAY-} ]] && say "the display $DISPLAY does not answer: running on a virtual display instead"
fi

targets=("$target")
# Without a display we find, screenshot and close the window with our inspection helper.
[[ -n $headless ]] && targets+=(wininspect)

say "configuring the windows preset"
cmake --preset windows >"$logs/configure.log" 2>&1 || {
  cat "$logs/configure.log" >&2
  fail "cmake --preset windows failed"
}
say "building ${targets[*]}"
cmake --build --preset windows --target "${targets[@]}" || fail "the build failed (see above)"
[[ -f $exe ]] || fail "the build made no $exe"
[[ -z $headless || -f $wininspect ]] || fail "the build made no $wininspect"

# ---- Wine ------------------------------------------------------------------------------------

wine=$(command -v wine64 || true)
[[ -z $wine && -x /usr/lib/wine/wine64 ]] && wine=/usr/lib/wine/wine64
[[ -z $wine ]] && wine=$(command -v wine || true)
[[ -n $wine ]] || fail "Wine is not installed (scripts/setup.sh installs it)"

export WINEPREFIX=$prefix
export WINEARCH=win64
# Code page 936, the program's text encoding; Wine also reads the command line through it.
export LC_ALL=zh_CN.UTF-8
# No offers to install Mono or Gecko; Wine's own messages off.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all

if [[ -n $headless ]]; then
  command -v Xvfb >/dev/null || fail "no X display and no Xvfb (scripts/setup.sh installs it)"
  # -displayfd picks a free display number and writes it once the server is ready.
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$logs/display" >"$logs/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for ((i = 0; i < 100; i++)); do
    [[ -s $logs/display ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  [[ -s $logs/display ]] || { cat "$logs/xvfb.log" >&2; fail "Xvfb did not start"; }
  DISPLAY=:$(tr -dc '0-9' <"$logs/display")
  export DISPLAY
  say "virtual display $DISPLAY ($screen)"
fi

# A prefix is ready once it carries our mark; one left half-made by an interrupted run is made
# again.
if [[ ! -f $prefix/.tessivo-ready ]]; then
  rm -rf "$prefix"
  mkdir -p "$prefix"
  say "creating the Wine prefix $prefix (first run only; this takes a minute or so)"
  server_started=1
  # The server writes the registry files when it ends: wait for that before the prefix counts
  # as made.
  (
    "$wine" wineboot -i && wineserver -w
  ) </dev/null >"$logs/wineboot.log" 2>&1 &
  boot_pid=$!
  started=$SECONDS
  while kill -0 "$boot_pid" 2>/dev/null; do
    sleep 1
    (((SECONDS - started) % 10 == 0)) && say "still creating the prefix ($((SECONDS - started)) s)"
  done
  wait "$boot_pid" || { tail -20 "$logs/wineboot.log" >&2; fail "wineboot -i failed"; }
  [[ -f $prefix/system.reg ]] || { tail -20 "$logs/wineboot.log" >&2; fail "wineboot made no prefix"; }
  touch "$prefix/.tessivo-ready"
  say "prefix ready after $((SECONDS - started)) s"
fi

# Wine's caption buttons are drawn with the Marlett font. Debian's fonts-wine ships it, but this
# Wine does not look in its folder, so a window frame would show letters instead of glyphs.
fonts=$prefix/drive_c/windows/Fonts
if [[ -f /usr/share/wine/fonts/marlett.ttf && ! -f $fonts/marlett.ttf ]]; then
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
fi

# A persistent server before the first program, so that two Wine processes starting at once
# never race to start it.
wineserver -p </dev/null >/dev/null 2>&1 || fail "wineserver does not start"
server_started=1

cd "$(dirname "$exe")"
exe_name=$(basename "$exe")

# ---- with a display: in the foreground -------------------------------------------------------

if [[ -z $headless ]]; then
  say "starting $exe_name on $DISPLAY"
  set +e
  "$wine" "$exe_name"
  code=$?
  set -e
  say "$exe_name ended with exit code $code"
  exit "$code"
fi

# ---- without a display: start, screenshot, close ---------------------------------------------

inspect() { "$wine" "$wininspect" --desktop "$desktop" "$@"; }

# Addresses the program opens (the portal, when the recommendation window is closed) go to a
# stand-in browser that only notes them: there is no one to look at a browser here.
mkdir -p "$logs/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s/opened.txt"\n' "$logs" >"$logs/bin/xdg-open"
chmod +x "$logs/bin/xdg-open"
export PATH=$logs/bin:$PATH

say "starting $exe_name in Wine's virtual desktop"
"$wine" explorer "/desktop=$desktop,$screen" "$exe_name" </dev/null >"$logs/program.log" 2>&1 &
program_pid=$!

shots=$build_dir/screenshots
mkdir -p "$shots"
shot=$shots/run-$(date +%Y%m%d-%H%M%S).png

# Until the user has asked not to see it again, the recommendation window comes first and the
# main window waits behind it: picture it, then close it with its own button, as a user would.
recommend_title=推荐
say "waiting for the first window (at most $((window_wait_ms / 1000)) s)"
for ((i = 0; i < window_wait_ms / 1000; i++)); do
  inspect wait-window "$title" 500 >/dev/null 2>&1 && break
  if inspect wait-window "$recommend_title" 500 >/dev/null 2>&1; then
    sleep 0.5
    import -window root "${shot%.png}-recommend.png" 2>/dev/null &&
      say "the recommendation window came first; screenshot: ${shot%.png}-recommend.png"
    inspect click "$recommend_title" PushButton 关闭 >/dev/null 2>&1 ||
      fail "the recommendation window's 关闭 button could not be clicked"
    say "closed it with 关闭 (the next start shows it again; tick 以后不再提示本窗口 to stop that)"
    break
  fi
done

say "waiting for the window \"$title\" (at most $((window_wait_ms / 1000)) s)"
if ! window=$(inspect wait-window "$title" "$window_wait_ms" 2>"$logs/inspect.log"); then
  cat "$logs/inspect.log" >&2
  if kill -0 "$program_pid" 2>/dev/null; then
    # What is on the screen instead: its picture, and the titles of the visible windows.
    import -window root "${shot%.png}-failed.png" 2>/dev/null &&
      echo "run: screenshot of the screen as it is: ${shot%.png}-failed.png" >&2
    echo "run: visible windows:" >&2
    inspect list 2>/dev/null | awk -F'\t' '$1 == "window" && $6 == 1 { print "run:   \"" $5 "\" (" $4 ")" }' >&2
  else
    wait "$program_pid" && code=0 || code=$?
    echo "run: the program ended (exit code $code) before its window appeared" >&2
  fi
  [[ -s $logs/program.log ]] && tail -20 "$logs/program.log" >&2
  fail "no window \"$title\" appeared"
fi
IFS=$'\t' read -r _ _ _ _ _ _ _ rect _ <<<"$window"
say "the window is up at $rect (x,y,width,height)"

# The window answers messages; give its first paint a moment before the picture is taken.
sleep 0.5
import -window root "$shot" || fail "the screenshot could not be taken"
say "screenshot: $shot"

say "closing the window (WM_CLOSE)"
closed=$(inspect close "$title" 20000) || fail "the window did not close"
state=${closed##*$'\t'}
case $state in
  exit=*) say "the program ended with exit code ${state#exit=}" ;;
  *) say "the window is gone, but the program is still running" ;;
esac

say "waiting for Wine to end (at most $exit_wait_s s)"
for ((i = 0; i < exit_wait_s * 10; i++)); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "Wine's desktop is still running $exit_wait_s s after the program closed"
program_pid=
[[ -s $logs/opened.txt ]] && say "addresses the program asked the browser to open: $(tr '\n' ' ' <"$logs/opened.txt")"
say "done"
exit 0
