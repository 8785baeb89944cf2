#!/usr/bin/env bash
# The real program started as a user starts it, read back from outside the process: MainWindow
# centred with its caption, every control where its layout puts it, the clock filled and
# moving, and the exit code 0 when the window is closed.
#
#   main_window_test.sh [EMULATOR...] -- WININSPECT.exe TESSIVOTIMESYNC.exe
#
# The preference file says "1" beforehand, so that no recommendation window comes first.

# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
program=${e2e_args[0]:?"the program"}
title='Tessivo时间同步器'

# Kind, text, rectangle relative to MainWindow's client area (controls inside the group box at
# 14,7 are shifted by it), in creation order.
controls=(
  $'TessivoLinkLabel\ttessivo.com\t205,108,72,8'
  $'TessivoLabel\t↓点击支持Tessivo发展↓\t87,48,136,16'
  $'PushButton\t设为首页\t268,65,56,23'
  $'TessivoLinkLabel\t2345网址导航 - 中国最好的网址导航\t27,69,237,16'
  $'TessivoLabel\t版权所有 tessivo.com 2012\t156,104,179,16'
  $'TessivoLinkLabel\t官方微博\t76,104,54,16'
  $'TessivoLinkLabel\t官方网站\t18,104,54,16'
  $'GroupBox\t同步\t14,7,322,89'
  $'TessivoLabel\t当前系统时间：\t27,22,85,15'
  $'PushButton\t同步\t267,17,58,22'
)

clock_text() {
  field "$(printf '%s\n' "$(inspect list "$title")" | awk -F'\t' '$1 == "control" && $11 == "114,22,150,15" { print; exit }')" 8
}

e2e_ensure_display
e2e_prepare_wine

# No recommendation window at this start.
# The preference file in code page 936, written into the prefix's C:\WINDOWS (the emulator is
# the wrapper followed by the prefix).
prefix=${e2e_emulator[1]:?"the Wine prefix after the wrapper"}
printf '[time_广告]\r\ntime_广告1=1\r\n' | iconv -f UTF-8 -t GBK >"$prefix/drive_c/windows/time.ini"

screen=$(inspect screen)
screen_w=$(field "$screen" 2)
screen_h=$(field "$screen" 3)
start_wine_background "$program"
pid=$e2e_last_pid

window=$(inspect wait-window "$title" 30000)
check "MainWindow appears with its caption" "$(field "$window" 5)" "$title"
check "it is visible and enabled" "$(field "$window" 6),$(field "$window" 7)" "1,1"
check "it is 347x161, centred on the ${screen_w}x${screen_h} screen" "$(field "$window" 8)" \
  "$(((screen_w - 347) / 2)),$(((screen_h - 161) / 2)),347,161"

listing=$(inspect list "$title")
for row in "${controls[@]}"; do
  IFS=$'\t' read -r kind text rect <<<"$row"
  control=$(record "$listing" control 7 "$kind" 8 "$text")
  check "$kind \"$text\" at $rect, visible" "$(field "$control" 11) $(field "$control" 9)" "$rect 1"
done

first=$(clock_text)
check_contains "the clock label shows the date" "$first" "年"
sleep 2.5
second=$(clock_text)
if [[ -n $first && $first != "$second" ]]; then check "the clock moves" moved moved; else check "the clock moves" "$first / $second" moved; fi
screenshot main-window

closed=$(inspect close "$title" 10000)
check "closing MainWindow ends the program with exit code 0" "$(field "$closed" 4)" "exit=0"
wait_exit "$pid" 20
check "the Wine process ends with 0" "$e2e_exit_code" 0

e2e_finish
