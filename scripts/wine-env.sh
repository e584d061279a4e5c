# shellcheck shell=bash disable=SC2034  # the variables are for the scripts that source this file
# Sourced by the wine-*.sh scripts: where Wine lives, the environment every test prefix runs with, and a
# private X server. Debian's wine64 package installs its loader outside PATH, and the kernel of the build
# machines runs no 32-bit code, so everything goes through the 64-bit loader.

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

# No debug channels (they slow every call), and no Mono/Gecko install prompts on prefix creation.
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

wine_scripts_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
wine_default_template=$(dirname "$wine_scripts_dir")/build/wine/template

# The marker that says a template prefix is complete; written last by wine-prefix.sh.
wine_template_marker=.vorlane-template

# start_xvfb DIR: starts an Xvfb on a display number it picks itself (-displayfd avoids racing other runs
# for a free number) and waits until it accepts clients. Sets xvfb_pid and exports DISPLAY.
start_xvfb() {
  local fifo=$1/displayfd number=""
  mkfifo "$fifo" || return 1
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 20 number <"$fifo"
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "wine: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=:$number
}

# stop_prefix PREFIX: ends every Windows process of the prefix and waits for its wineserver to go.
stop_prefix() {
  WINEPREFIX=$1 "$WINESERVER" -k >/dev/null 2>&1
  WINEPREFIX=$1 "$WINESERVER" -w >/dev/null 2>&1
}

# stop_pid PID: ends a process this script started, and waits for it when it is our child.
stop_pid() {
  kill "$1" 2>/dev/null || return 0
  wait "$1" 2>/dev/null
  return 0
}
