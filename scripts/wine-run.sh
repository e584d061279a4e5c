#!/usr/bin/env bash
# Runs one Windows program under Wine with a profile and a display of its own, and exits with its exit code.
# The cross build uses it as its emulator, so every test (and the test listing) starts from a clean profile:
# no settings file, no registry values and no windows left over from an earlier test.
#
#   scripts/wine-run.sh PROGRAM.exe [ARGS...]
#
# Environment:
#   VORLANE_WINE_TEMPLATE  the template prefix to copy (default build/wine/template; created when missing)
#   VORLANE_WINE_TIMEOUT   seconds before the program is stopped (default 240, below ctest's own timeout so
#                          that the clean-up below still runs)
#   VORLANE_WINE_KEEP      when set, the copied prefix is kept and its path printed, for a look afterwards
set -u
# shellcheck source=wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

run_dir_pattern="${TMPDIR:-/tmp}/vorlane-wine."

# A run killed outright (SIGKILL) cannot clean up after itself; the next run does it. Each run directory
# names the script's pid and its Xvfb's pid; a directory whose script is gone is left over.
sweep_leftovers() {
  local dir owner xvfb
  for dir in "$run_dir_pattern"*; do
    [ -f "$dir/owner" ] || continue
    read -r owner xvfb <"$dir/owner" || continue
    kill -0 "$owner" 2>/dev/null && continue
    [ -d "$dir/prefix" ] && stop_prefix "$dir/prefix"
    if [ -n "$xvfb" ] && [ "$(cat "/proc/$xvfb/comm" 2>/dev/null)" = Xvfb ]; then
      kill "$xvfb" 2>/dev/null
    fi
    rm -rf "$dir"
  done
}

if [ $# -eq 0 ]; then
  echo "usage: $0 PROGRAM.exe [ARGS...]" >&2
  exit 2
fi

template=${VORLANE_WINE_TEMPLATE:-$wine_default_template}
if [ ! -f "$template/$wine_template_marker" ]; then
  "$wine_scripts_dir/wine-prefix.sh" "$template" || exit 1
fi
sweep_leftovers

run_dir=$(mktemp -d "${run_dir_pattern}XXXXXX") || exit 1
prefix=$run_dir/prefix
xvfb_pid=""
program_pid=""
# shellcheck disable=SC2317  # called by the trap
cleanup() {
  [ -n "$program_pid" ] && stop_pid "$program_pid"
  stop_prefix "$prefix"
  [ -n "$xvfb_pid" ] && stop_pid "$xvfb_pid"
  if [ -n "${VORLANE_WINE_KEEP:-}" ]; then
    echo "wine-run: kept $prefix" >&2
  else
    rm -rf "$run_dir"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# A plain copy of the template costs 0.2-0.8 s with a warm page cache; the 630 MB of it are the
# system32 files, which nothing in a test writes, but a hard link would let one stray write spoil the
# template for every later run, so the copy stays a real one.
cp -a "$template" "$prefix" || exit 1
start_xvfb "$run_dir" || exit 1
echo "$$ $xvfb_pid" >"$run_dir/owner"

# The program runs in the background so that a signal to this script is handled at once, not after the
# program has ended on its own.
WINEPREFIX=$prefix timeout -k 5 "${VORLANE_WINE_TIMEOUT:-240}" "$WINE64" "$@" &
program_pid=$!
wait "$program_pid"
status=$?
program_pid=""
[ "$status" -eq 124 ] && echo "wine-run: $1 stopped after ${VORLANE_WINE_TIMEOUT:-240} s" >&2
exit "$status"
