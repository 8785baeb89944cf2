#!/usr/bin/env bash
# The end-to-end tooling, tried on a window of ours before the program's tests trust it:
# wininspect finds TessivoMinimalWindow by its Chinese title, reads back its controls' kinds,
# texts, rectangles, parents and states, clicks by class or kind and text, refuses what a user
# could not click, and closes the window; once on the bare display (as the Windows tests run)
# and once inside Wine's virtual desktop (as scripts/run.sh runs without a display).
# A screenshot of each is kept.
#
#   tooling_test.sh [EMULATOR...] -- WININSPECT.exe TESSIVOMINIMALWINDOW.exe

# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
program=${e2e_args[0]:?"the minimal window program"}
title='Tessivo最小窗口'
status_id=103

# The window's controls as minimal_window.cpp lays them out: kind, text, rectangle relative to
# the window's client area, and whether the control sits inside the group box.
controls=(
  $'GroupBox\t同步\t10,10,340,110\tno'
  $'Static\t当前系统时间：\t22,36,110,20\tyes'
  $'Static\t未同步\t134,36,200,20\tyes'
  $'PushButton\t同步\t22,70,90,28\tyes'
  $'PushButton\t停用同步\t10,130,110,28\tno'
)

# Clicks in order, each with wininspect's exit code and the status text after it.
clicks=(
  # the push button by its class, though the group box has the same class and text
  $'Button\t同步\t0\t已同步 1 次'
  # the push button by its kind
  $'PushButton\t同步\t0\t已同步 2 次'
  # a group box is never a click target
  $'GroupBox\t同步\t1\t已同步 2 次'
  # texts match exactly
  $'Button\t同\t1\t已同步 2 次'
  # class names match whatever their case; this one disables 同步
  $'button\t停用同步\t0\t已同步 2 次'
  # a disabled button is refused, and nothing happens
  $'Button\t同步\t3\t已同步 2 次'
)

status_text() {
  field "$(record "$(inspect "$@" list "$title")" control 5 "$status_id")" 8
}

run_in() {
  local mode=$1 desktop=()
  echo "--- $mode"
  if [[ $mode == desktop ]]; then
    local name=tessivo-e2e-$$
    desktop=(--desktop "$name")
    start_wine_background explorer "/desktop=$name,800x600" "$(windows_path "$program")"
  else
    start_wine_background "$program"
  fi
  local pid=$e2e_last_pid

  local window
  window=$(inspect "${desktop[@]}" wait-window "$title" 30000)
  check "$mode: wait-window finds the window by its Chinese title" "$(field "$window" 5)" "$title"
  [[ -n $window ]] || return 0
  check "$mode: the window is visible and enabled" "$(field "$window" 6),$(field "$window" 7)" "1,1"
  check "$mode: its client area is 360x170" "$(field "$window" 9 | cut -d, -f3-)" "360,170"
  local top
  top=$(field "$window" 2)

  local listing
  listing=$(inspect "${desktop[@]}" list "$title")
  check "$mode: list shows the window once" "$(grep -c $'^window\t' <<<"$listing")" 1
  check "$mode: list shows its five controls" "$(grep -c $'^control\t' <<<"$listing")" 5
  local box
  box=$(field "$(record "$listing" control 7 GroupBox 8 同步)" 2)
  local row kind text rect inside control parent
  for row in "${controls[@]}"; do
    IFS=$'\t' read -r kind text rect inside <<<"$row"
    control=$(record "$listing" control 7 "$kind" 8 "$text")
    check "$mode: $kind \"$text\": rectangle, visible, enabled" \
      "$(field "$control" 11) $(field "$control" 9) $(field "$control" 10)" "$rect 1 1"
    parent=$top
    [[ $inside == yes ]] && parent=$box
    check "$mode: $kind \"$text\": top-level window and parent" \
      "$(field "$control" 3) $(field "$control" 4)" "$top $parent"
  done
  screenshot "tooling-$mode"

  local class want_code want_status code
  for row in "${clicks[@]}"; do
    IFS=$'\t' read -r class text want_code want_status <<<"$row"
    inspect "${desktop[@]}" click "$title" "$class" "$text" >/dev/null 2>&1
    code=$?
    check "$mode: click $class \"$text\": exit code, then the status reads \"$want_status\"" \
      "$code $(status_text "${desktop[@]}")" "$want_code $want_status"
  done
  control=$(record "$(inspect "${desktop[@]}" list "$title")" control 7 PushButton 8 同步)
  check "$mode: list shows the disabled button as disabled" "$(field "$control" 10)" 0

  local closed
  closed=$(inspect "${desktop[@]}" close "$title" 10000)
  check "$mode: close ends the program, which exits with 0" "$(field "$closed" 4)" "exit=0"
  wait_exit "$pid" 20
  check "$mode: the Wine process ends with 0" "$e2e_exit_code" 0
  inspect "${desktop[@]}" wait-gone "$title" 1000
  check "$mode: wait-gone returns at once when the window is gone" "$?" 0
}

e2e_ensure_display
e2e_prepare_wine

run_in bare
run_in desktop

echo "--- failures"
message=$(inspect wait-window "$title" 300 2>&1 >/dev/null)
check "wait-window for a window that is not there: exit code" "$?" 1
check_contains "wait-window for a window that is not there: names it" "$message" "\"$title\""
inspect close "$title" >/dev/null 2>&1
check "close of a window that is not there: exit code" "$?" 1
inspect click "$title" Button 同步 >/dev/null 2>&1
check "click in a window that is not there: exit code" "$?" 1
inspect wait-window "$title" soon >/dev/null 2>&1
check "a time-out that is not a number: exit code" "$?" 2
inspect frobnicate >/dev/null 2>&1
check "an unknown command: exit code" "$?" 2

e2e_finish
