#!/usr/bin/env bash
# Installs every Debian 12 package that the builds and the tests need, and the zh_CN.UTF-8
# locale that Wine needs to use code page 936. Idempotent: when everything is already there it
# only checks and returns.
set -euo pipefail

# apt-get and locale-gen need root: use sudo when there is one and we are not root.
as_root=()
if ((EUID != 0)); then
  command -v sudo >/dev/null || { echo "setup: run this as root (or install sudo)" >&2; exit 1; }
  as_root=(sudo)
fi

packages=(
  # host build, tests, sanitizers, fuzzers, benchmarks
  cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
  # Windows build and the Wine runtime
  g++-mingw-w64-x86-64-posix wine wine64 locales
  # a virtual display, fonts for CJK texts and Windows frames, screenshots
  xvfb xauth x11-utils fonts-wqy-microhei fonts-wine imagemagick
  # private network namespaces for end-to-end runs, loopback test servers
  iproute2 util-linux python3 procps
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null | grep -qx installed; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${#missing[@]} packages: ${missing[*]}"
  echo "setup: this takes a few minutes on a fresh machine"
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  "${as_root[@]}" sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen ||
    echo 'zh_CN.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  "${as_root[@]}" locale-gen
fi
