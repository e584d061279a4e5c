#!/usr/bin/env bash
# Measures Vorlane.exe under Wine side by side with a minimal window that does nothing but rewrite its
# caption every second (bench/baseline.cpp), and prints one table of figures, targets and verdicts.
#
#   bench/run.sh             everything, about 15 minutes
#   bench/run.sh countdown   only the CPU of a 60 s sleep countdown, about two minutes
#
# Environment: BENCH_QUICK=1 keeps Vorlane one minute in the tray instead of ten.
#
# Both programs run at the same time in one fresh copy of the test prefix (scripts/wine-prefix.sh) on an
# X server of their own, so that the wineserver, the display and whatever else the machine is doing weigh
# on both alike; compare the ratio, not the absolute figures. CPU is the scheduler's own count
# (/proc/PID/task/*/schedstat, in ns) of the Linux process that runs the .exe; memory is VmRSS.
# bench/probe.cpp starts, drives and reads the programs from inside the prefix.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/wine-env.sh"

mode=${1:-full}
case $mode in
  full | countdown) ;;
  *) echo "usage: $0 [countdown]" >&2; exit 2 ;;
esac
soak_minutes=10
[ -n "${BENCH_QUICK:-}" ] && soak_minutes=1
window_s=60      # every CPU figure is taken over this many seconds
toggles=50       # autostart commands during the memory check
start_runs=3     # timed starts of each program; the median counts
countdown_s=60   # yctimeS of the countdown check

log() { echo "bench: $*" >&2; }
die() { log "$*"; exit 1; }

# ---- Build ----------------------------------------------------------------------------------------------

# The Windows program's target has been spelt both ways; its file is Vorlane.exe either way.
program_target() {
  if ninja -C "$1" -t targets all 2>/dev/null | grep -q '^Vorlane: '; then echo Vorlane; else echo vorlane; fi
}

build_preset() {
  local preset=$1 dir=$root/build/$1 target
  shift
  log "building the $preset preset"
  (cd "$root" && cmake --preset "$preset") >>"$run_dir/build.log" 2>&1 || return 1
  target=$(program_target "$dir")
  (cd "$root" && cmake --build --preset "$preset" --target "$target" "$@") >>"$run_dir/build.log" 2>&1
}

build_all() {
  build_preset win64 vorlane_baseline vorlane_probe || die "the win64 build failed; see the log above"
  if [ "$mode" = full ]; then
    build_preset win32 || die "the win32 build failed"
  fi
  # Copies, so that a rebuild during the run cannot swap a program under the measurement.
  mkdir -p "$run_dir/bin"
  cp "$root/build/win64/src/win32/Vorlane.exe" "$root/build/win64/bench/vorlane_baseline.exe" \
    "$root/build/win64/bench/vorlane_probe.exe" "$run_dir/bin/" || die "a built program is missing"
  if [ "$mode" = full ]; then
    cp "$root/build/win32/src/win32/Vorlane.exe" "$run_dir/bin/Vorlane32.exe" || die "the PE32 is missing"
  fi
}

# ---- The prefix and the programs in it ------------------------------------------------------------------

winpath() {
  local path
  path=$(realpath "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# probe ARGS...: runs the probe in the prefix and prints what it printed. Its output goes through a file:
# the Wine processes it may start (and the wineserver) must not hold the caller's pipe open.
probe_count=0
probe() {
  local out=$run_dir/probe.$((++probe_count)).out status
  "$WINE64" "$run_dir/bin/vorlane_probe.exe" "$@" >"$out" 2>>"$run_dir/probe.err" </dev/null
  status=$?
  tr -d '\r' <"$out"
  return $status
}

# field KEY "k=v k=v ...": the value of KEY.
field() {
  local pair
  for pair in $2; do
    [ "${pair%%=*}" = "$1" ] && { echo "${pair#*=}"; return 0; }
  done
  return 1
}

# linux_pid EXE: the Linux process that runs EXE in this run's prefix (ps shows the name cut to 15
# characters; other prefixes on the machine may run a program of the same name).
linux_pid() {
  local name=${1:0:15} pid _
  for _ in $(seq 50); do
    for pid in $(pgrep -x "$name"); do
      # A process of another prefix may end between pgrep and the read.
      if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$prefix"; then
        echo "$pid"
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}

wait_gone() {
  local _
  for _ in $(seq 100); do
    [ -d "/proc/$1" ] || return 0
    sleep 0.1
  done
  return 1
}

# start_program EXE: starts it through the probe; sets started_ms, win_pid (Windows) and pid (Linux).
start_program() {
  local line
  line=$(probe start "$(winpath "$run_dir/bin/$1")") || die "$1 did not show a window"
  started_ms=$(field ms "$line")
  win_pid=$(field pid "$line")
  pid=$(linux_pid "$1") || die "no Linux process for $1"
}

stop_program() {
  probe stop "$1" >/dev/null || log "could not stop Windows process $1"
  wait_gone "$2" || log "process $2 did not go"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# start_time EXE: sets start_median, the median start-to-window time of several starts (after one that
# warms the caches).
start_time() {
  local run samples=()
  for run in $(seq 0 "$start_runs"); do
    start_program "$1"
    [ "$run" -gt 0 ] && samples+=("$started_ms")
    stop_program "$win_pid" "$pid"
  done
  start_median=$(printf '%s\n' "${samples[@]}" | median)
}

# ---- Readings from /proc --------------------------------------------------------------------------------

cpu_ns() {
  local sum=0 file run _
  for file in /proc/"$1"/task/*/schedstat; do
    read -r run _ <"$file" 2>/dev/null && sum=$((sum + run))
  done
  echo "$sum"
}

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

# cpu_window SECONDS PID...: the CPU seconds each process used over the next SECONDS, one a line, then
# the wall time of the window.
cpu_window() {
  local seconds=$1 pid before=() t0 t1 i=0
  shift
  t0=$EPOCHREALTIME
  for pid in "$@"; do before+=("$(cpu_ns "$pid")"); done
  sleep "$seconds"
  for pid in "$@"; do
    awk -v a="${before[i]}" -v b="$(cpu_ns "$pid")" 'BEGIN { printf "%.4f\n", (b - a) / 1e9 }'
    i=$((i + 1))
  done
  t1=$EPOCHREALTIME
  awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.2f\n", b - a }'
}

# ---- The table ------------------------------------------------------------------------------------------

rows=()
misses=0
# row MEASURE VORLANE BASELINE RATIO TARGET VERDICT
row() { rows+=("$(printf '%-34s %12s %12s %7s  %-24s %s' "$@")"); [ "$6" = MISS ] && misses=$((misses + 1)); }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
verdict() { if awk "BEGIN { exit !($1) }"; then echo PASS; else echo MISS; fi; }

print_report() {
  local model
  model=$(awk -F': *' '/^model name/ { print $2; exit }' /proc/cpuinfo)
  echo "Vorlane benchmark, $(date -u '+%Y-%m-%d %H:%M UTC'), mode $mode$([ "$mode" = full ] && echo ", $soak_minutes min in the tray")"
  echo "machine: $(uname -m), $(nproc) cores, ${model:-unknown CPU}, $("$WINE64" --version 2>/dev/null)"
  echo
  printf '%-34s %12s %12s %7s  %-24s %s\n' measure Vorlane baseline ratio target result
  printf '%s\n' "${rows[@]}"
  [ ${#notes[@]} -gt 0 ] && { echo; printf '%s\n' "${notes[@]}"; }
  echo
  echo "$misses target(s) missed"
}
notes=()

# ---- The measurements -----------------------------------------------------------------------------------

# The counting cost, window visible, then hidden in the tray; the tray host (Wine's explorer.exe) shows
# the share of the tip updates that lands outside Vorlane.
measure_counting() {
  local figures vorlane baseline host host_pid
  # The desktop process ends when its last client does, so it is looked up while both programs run.
  host_pid=$(linux_pid explorer.exe) || die "no desktop process in the prefix"
  probe input >/dev/null
  sleep 2
  log "CPU over $window_s s, both windows visible"
  mapfile -t figures < <(cpu_window "$window_s" "$vorlane_pid" "$baseline_pid" "$host_pid")
  vorlane=${figures[0]} baseline=${figures[1]} host_visible=${figures[2]}
  row "CPU s, ${window_s} s counting, visible" "$vorlane" "$baseline" "$(ratio "$vorlane" "$baseline")" \
    "<= 1.25 x baseline" "$(verdict "$vorlane <= 1.25 * $baseline")"

  probe hide Vorlane >/dev/null || die "Vorlane did not hide to the tray"
  hidden_at=$SECONDS
  sleep 2
  log "CPU over $window_s s, Vorlane in the tray"
  mapfile -t figures < <(cpu_window "$window_s" "$vorlane_pid" "$baseline_pid" "$host_pid")
  vorlane=${figures[0]} baseline=${figures[1]} host=${figures[2]}
  row "CPU s, ${window_s} s counting, in tray" "$vorlane" "$baseline" "$(ratio "$vorlane" "$baseline")" \
    "<= 1.25 x baseline" "$(verdict "$vorlane <= 1.25 * $baseline")"
  row "  tray host CPU s (tray | visible)" "$host" "$host_visible" "$(ratio "$host" "$host_visible")" "-" info
}

# What probe gui says about a process, and its resident memory.
snapshot() { echo "$(probe gui "$1") rss=$(rss_kib "$2")"; }

# growth KEY BEFORE AFTER: after - before, or "-" when a count was not to be had.
growth() {
  local a b
  a=$(field "$1" "$2") b=$(field "$1" "$3")
  if [ "$a" = - ] || [ "$b" = - ] || [ -z "$a" ] || [ -z "$b" ]; then echo -; else echo $((b - a)); fi
}

# The memory check: resident memory after the start and after the time in the tray and the autostart
# commands, and the GDI and USER objects before and after. GetGuiResources is a stub in Wine; then the
# GDI figure comes from the process's GDI handle table (probe gui checks that it counts its own objects
# right before it trusts it), and the USER side from what can be seen of it from outside: the windows of
# the process, and the table slot of its menu bar, which climbs at every rebuild only when old menus leak.
measure_memory() {
  local rest line flips v_before v_after b_before b_after kind v b
  rest=$((soak_minutes * 60 - (SECONDS - hidden_at)))
  if [ "$rest" -gt 0 ]; then
    log "in the tray for $rest s more ($soak_minutes min in all)"
    sleep "$rest"
  fi
  log "$toggles autostart commands"
  line=$(probe autostart "$toggles")
  flips=$(field flips "$line")
  [ "$flips" = "$toggles" ] || notes+=("note: only ${flips:-0} of $toggles autostart commands changed the Run value")
  sleep 3
  v_before=$vorlane_start_snapshot b_before=$baseline_start_snapshot
  v_after=$(snapshot "$vorlane_win" "$vorlane_pid")
  b_after=$(snapshot "$baseline_win" "$baseline_pid")
  log "Vorlane after start: $v_before; after: $v_after"
  log "baseline after start: $b_before; after: $b_after"

  v=$(field rss "$v_before") b=$(field rss "$b_before")
  row "RSS KiB after start" "$v" "$b" "$(ratio "$v" "$b")" "<= baseline + 1024" "$(verdict "$v <= $b + 1024")"
  v=$(field rss "$v_after") b=$(field rss "$b_after")
  row "RSS KiB after ${soak_minutes} min tray + $toggles cmds" "$v" "$b" "$(ratio "$v" "$b")" \
    "<= baseline + 1024" "$(verdict "$v <= $b + 1024")"
  row "  RSS growth KiB" "$(growth rss "$v_before" "$v_after")" "$(growth rss "$b_before" "$b_after")" - - info

  for kind in gdi user; do
    v=$(growth "$kind" "$v_before" "$v_after") b=$(growth "$kind" "$b_before" "$b_after")
    if [ "$v" != - ]; then
      row "${kind^^} object growth" "$v" "$b" - "0" "$(verdict "$v <= 0")"
    elif [ "$kind" = gdi ] && [ "$(growth gditable "$v_before" "$v_after")" != - ]; then
      v=$(growth gditable "$v_before" "$v_after") b=$(growth gditable "$b_before" "$b_after")
      row "GDI object growth (handle table)" "$v" "$b" - "0" "$(verdict "$v <= 0")"
      row "  GDI objects before -> after" "$(field gditable "$v_before")->$(field gditable "$v_after")" \
        "$(field gditable "$b_before")->$(field gditable "$b_after")" - - info
      row "  kept by the system per icon" "$(field kept "$(probe iconcost)")" - - - info
      notes+=("note: \"kept by the system per icon\" is what the GDI table of a process keeps for every icon"
        "      made from .ico bytes and destroyed again, measured by the probe on itself (0 on a system"
        "      without that leak); each autostart mark makes one such icon")
    elif [ "$kind" = gdi ]; then
      row "GDI object growth" "-" "-" - "0" "MISS"
      notes+=("note: no GDI object count could be had (GetGuiResources and the handle table both failed)")
    else
      v=$(growth windows "$v_before" "$v_after") b=$(growth windows "$b_before" "$b_after")
      row "USER: window growth" "$v" "$b" - "0" "$(verdict "$v <= 0")"
      v=$(growth menuslot "$v_before" "$v_after")
      if [ "$v" = - ]; then
        row "USER: menu bar slot growth" "-" "-" - "< $toggles" MISS
      else
        row "USER: menu bar slot growth" "$v" "-" - "< $toggles" "$(verdict "$v < $toggles")"
      fi
      notes+=("note: GetGuiResources is a stub in this Wine; USER objects are judged by the windows of the"
        "      process and by its menu bar's handle slot, which climbs by the menu's size at each of the"
        "      $toggles rebuilds only if old menus are not destroyed")
    fi
  done
}

# The countdown: Vorlane starts with a one-minute working time and a 60 s countdown; the probe keeps the
# input fresh until the counter halts and reports the countdown's start and the moment the screen goes
# dark, and the CPU is taken exactly between the two.
measure_countdown() {
  local appdata fifo event rest vorlane_pid v_before b_before t0 balloon="" ended="" watcher
  appdata=$(echo "$prefix"/drive_c/users/*/AppData/Roaming)
  [ -d "$appdata" ] || die "no AppData\\Roaming folder in the prefix"
  printf '[kov]\r\nworkingM=1\r\ndateM=1\r\nxzyctimeS=1\r\nyctimeS=%s\r\n' "$countdown_s" >"$appdata/tavolu.ini"
  probe input >/dev/null
  start_program Vorlane.exe
  vorlane_pid=$pid
  log "counting one minute, then the ${countdown_s} s countdown"
  fifo=$run_dir/countdown.events
  mkfifo "$fifo" || die "mkfifo failed"
  "$WINE64" "$run_dir/bin/vorlane_probe.exe" countdown >"$fifo" 2>>"$run_dir/probe.err" </dev/null &
  watcher=$!
  background_pids+=("$watcher")
  exec {events}<"$fifo"
  while read -r -t 300 -u "$events" event rest; do
    event=${event%$'\r'} rest=${rest%$'\r'}
    case $event in
      start)
        t0=$EPOCHREALTIME v_before=$(cpu_ns "$vorlane_pid") b_before=$(cpu_ns "$baseline_pid") ;;
      balloon) balloon=$rest ;;
      end)
        ended=$rest
        [ -n "${t0:-}" ] && awk -v t0="$t0" -v t1="$EPOCHREALTIME" -v v0="$v_before" -v v1="$(cpu_ns "$vorlane_pid")" \
          -v b0="$b_before" -v b1="$(cpu_ns "$baseline_pid")" \
          'BEGIN { w = t1 - t0; printf "%.2f %.4f %.4f\n", w, (v1 - v0) / 1e9, (b1 - b0) / 1e9 }' >"$run_dir/countdown.cpu"
        break ;;
    esac
  done
  exec {events}<&-
  wait "$watcher" 2>/dev/null

  local wall v b
  if [ -z "$ended" ] || [ "$ended" = timeout ] || [ ! -s "$run_dir/countdown.cpu" ]; then
    row "CPU % of a core, countdown" "-" "-" - "< 1 %" MISS
    notes+=("note: the countdown did not end in a dark screen (events: balloon=${balloon:-none} end=${ended:-none})")
    return
  fi
  read -r wall v b <"$run_dir/countdown.cpu"
  row "CPU % of a core, countdown" "$(awk -v c="$v" -v w="$wall" 'BEGIN { printf "%.3f", 100 * c / w }')" \
    "$(awk -v c="$b" -v w="$wall" 'BEGIN { printf "%.3f", 100 * c / w }')" "$(ratio "$v" "$b")" "< 1 %" \
    "$(verdict "100 * $v / $wall < 1")"
  row "  countdown CPU s over wall s" "$v/$wall" "$b/$wall" - "$countdown_s s countdown" info
  [ "$balloon" = yes ] || notes+=("note: the countdown balloon was not seen 1.5 s after the counter halted")
}

measure_program_file() {
  local size imports
  size=$(stat -c %s "$run_dir/bin/Vorlane32.exe")
  imports=$(i686-w64-mingw32-objdump -p "$run_dir/bin/Vorlane32.exe" | awk '/DLL Name/ { print $3 }' | paste -sd, -)
  row "PE32 size KiB" "$(awk -v s="$size" 'BEGIN { printf "%.1f", s / 1024 }')" - - "<= 300" \
    "$(verdict "$size <= 300 * 1024")"
  notes+=("PE32 imports: $imports")
}

# ---- The run --------------------------------------------------------------------------------------------

run_dir=$(mktemp -d "${TMPDIR:-/tmp}/vorlane-bench.XXXXXX") || exit 1
prefix=$run_dir/prefix
xvfb_pid=""
background_pids=()
cleanup() {
  local p
  [ -d "$prefix" ] && stop_prefix "$prefix"
  for p in "${background_pids[@]}"; do stop_pid "$p"; done
  [ -n "$xvfb_pid" ] && stop_pid "$xvfb_pid"
  if [ -s "$run_dir/probe.err" ]; then
    log "the probe said:"
    sed 's/^/  /' "$run_dir/probe.err" >&2
  fi
  rm -rf "$run_dir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

build_all || exit 1
"$root/scripts/wine-prefix.sh" || die "no template prefix"
cp -a "$wine_default_template" "$prefix" || die "cannot copy the template prefix"
start_xvfb "$run_dir" || die "no X server"
export WINEPREFIX=$prefix
# The first Wine process starts the wineserver and the desktop process: that start costs more than a
# second and belongs to no program. The input also gives the idle time a defined zero.
probe input >/dev/null || die "the probe does not run"

if [ "$mode" = full ]; then
  log "start times ($start_runs starts each)"
  start_time vorlane_baseline.exe
  baseline_start=$start_median
  start_time Vorlane.exe
  vorlane_start=$start_median
  row "start to window ms (median of $start_runs)" "$vorlane_start" "$baseline_start" \
    "$(ratio "$vorlane_start" "$baseline_start")" "-" info
fi

start_program vorlane_baseline.exe
baseline_pid=$pid baseline_win=$win_pid

if [ "$mode" = full ]; then
  start_program Vorlane.exe
  vorlane_pid=$pid vorlane_win=$win_pid
  sleep 5
  vorlane_start_snapshot=$(snapshot "$vorlane_win" "$vorlane_pid")
  baseline_start_snapshot=$(snapshot "$baseline_win" "$baseline_pid")
  measure_counting
  measure_memory
  stop_program "$vorlane_win" "$vorlane_pid"
fi

measure_countdown
[ "$mode" = full ] && measure_program_file
print_report
