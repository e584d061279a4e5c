#!/usr/bin/env bash
# Takes the picture of the darkened screen for the documentation: runs the "立即休眠" end-to-end test under
# Wine and, while the test holds the screen dark, photographs its display.
#
#   tests/e2e/shot-blackout.sh [OUTPUT.png]      (default docs/blackout.png; needs the win64 build)
#
# The test learns from VORLANE_SHOT_DIR (a Windows path) where to say which display it runs on, and waits
# there for the file "done" before it takes the darkening away.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out=$(realpath -m "${1:-$root/docs/blackout.png}")
exe=$root/build/win64/tests/e2e/vorlane_e2e.exe
[ -f "$exe" ] || { echo "shot-blackout: build first: cmake --build --preset win64" >&2; exit 1; }
mkdir -p "$(dirname "$out")"

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
VORLANE_SHOT_DIR="Z:${dir//\//\\}" "$root/scripts/wine-run.sh" "$exe" \
  --gtest_filter=Blackout.SleepNowPausesDarkensTheWholeScreenAndAKeyKeepsThePause &
test_pid=$!

# The dark screen comes a few seconds into the test; give up when the test ends without it.
for _ in $(seq 600); do
  [ -f "$dir/display" ] && break
  kill -0 "$test_pid" 2>/dev/null || break
  sleep 0.1
done
status=1
if [ -f "$dir/display" ]; then
  import -display "$(tr -d '\r' <"$dir/display")" -window root "$out" && status=0
  touch "$dir/done"
fi
wait "$test_pid" || status=$?
[ "$status" -eq 0 ] && echo "shot-blackout: wrote $out" >&2
exit "$status"
