#!/usr/bin/env bash
# Installs the Debian packages a group of tasks needs, only those missing.
#
#   scripts/deps.sh build|test|run
#
# Safe to run any number of times; without root it says what to install.
set -euo pipefail

build=(cmake ninja-build g++ zip g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-i686-dev
       mingw-w64-x86-64-dev binutils-mingw-w64-i686 binutils-mingw-w64-x86-64)
wine=(wine wine64 xvfb xdotool x11-utils imagemagick fonts-wqy-microhei)
tests=(googletest libgtest-dev clang libclang-rt-14-dev zip)

case "${1:-}" in
  build) wanted=("${build[@]}") ;;
  run) wanted=("${build[@]}" "${wine[@]}") ;;
  test) wanted=("${build[@]}" "${wine[@]}" "${tests[@]}") ;;
  *) echo "usage: $0 build|test|run" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "deps: please install as root: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
echo "deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
