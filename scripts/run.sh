#!/usr/bin/env bash
# Builds Vorlane and starts it under Wine, on the current DISPLAY or, where
# there is none, on an Xvfb of its own. The settings and the Run value live in
# a Wine prefix kept under build/wine/user, so they survive between starts.
#
# This machine runs no 32-bit code, so it starts the 64-bit build of the same
# source; the shipped program is build/win32/src/win32/Vorlane.exe.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Vorlane
source scripts/wine-env.sh
prefix=$PWD/build/wine/user
scripts/wine-prefix.sh "$prefix"
export WINEPREFIX=$prefix

if [ -z "${DISPLAY:-}" ]; then
  mkdir -p build/wine
  start_xvfb "$(mktemp -d)"
  trap 'kill $xvfb_pid 2>/dev/null' EXIT
  echo "No display: Vorlane runs on the virtual display $DISPLAY."
  echo "Take a screenshot with:  import -display $DISPLAY -window root shot.png"
fi
echo "Starting Vorlane (close its window, or press Esc in it, to end it)."
"$WINE64" build/win64/src/win32/Vorlane.exe
