#!/usr/bin/env bash
# Runs a Windows program under Wine with the environment our tests expect:
#   wine-run.sh PREFIX_DIR PROGRAM.exe [ARGS...]
# One prefix per build tree, made on first use; one persistent wineserver per prefix, so that
# two programs starting at once never race to start it; code page 936 (zh_CN.UTF-8); a fixed
# time zone; no Mono or Gecko install prompts; Wine's own debug output off unless WINEDEBUG is
# already set.
set -euo pipefail

prefix=$1; shift
export WINEPREFIX=$prefix
export WINEARCH=win64
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export WINEDEBUG=${WINEDEBUG:--all}
export LC_ALL=zh_CN.UTF-8
# China Standard Time in the POSIX form: Wine's clock reads TZ, and so does the C runtime of
# the program (msvcrt parses TZ itself and knows only the POSIX form; given an Olson name such
# as Asia/Shanghai it falls back to Greenwich time, 8 hours off Wine's local time).
export TZ=${TESSIVO_TEST_TZ:-CST-8}
# The request object must talk to our loopback servers directly.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY

wine=$(command -v wine64 || command -v wine)

if [[ ! -f $prefix/system.reg ]]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [[ ! -f $prefix/system.reg ]]; then
      echo "wine-run: creating the Wine prefix $prefix (once per build tree)" >&2
      "$wine" wineboot -i </dev/null >/dev/null 2>&1 || true
      wineserver -w
      # Wine draws the caption buttons with Marlett, which it only finds in the prefix.
      mkdir -p "$prefix/drive_c/windows/Fonts"
      cp -n /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
  ) 9>"$prefix.lock"
fi

# A persistent server: it stays until `wineserver -k` (the test command stops it at the end).
wineserver -p </dev/null >/dev/null 2>&1 || true
# Wine's background services start with the first program of a server and live as long as it
# does. Started from here, with nothing open, they cannot hold the caller's output open (ctest
# would wait for them until its time-out). On a running server this returns at once.
"$wine" wineboot </dev/null >/dev/null 2>&1 || true

exec "$wine" "$@"
