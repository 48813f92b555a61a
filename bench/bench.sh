#!/usr/bin/env bash
# The real program's costs on a private X server, as one table: how soon the splash and the board are
# on screen, the processor time it takes in 30 s stopped, running in minutes and running in tenths
# (percent of one core, from its own user and system time in /proc), and its peak resident memory;
# then bench_tick's figures for one clock tick and the cell paints a running clock costs.
#
# Usage: bench.sh BUILD-FOLDER
set -euo pipefail
build=${1:?usage: bench.sh BUILD-FOLDER}
source "$(dirname "$0")/../scripts/lib/servers.sh"
command -v xdotool >/dev/null || fail "xdotool is not installed"
start_x
mkdir "$work/config"
export XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb PULSE_SERVER=unix:/nonexistent/quorvane-no-sound

# Five starts, each timed; the last stays for the rest.
splash=() board=()
for run in 1 2 3 4 5; do
  status=0
  out=$("$build/bench/bench_launch" "$build/quorvane" "${splash_click[@]}") || status=$?
  read -r s b pid <<<"$out"
  server_pids+=("$pid")
  [ "$status" = 0 ] || fail "no splash or no board within 20 s"
  splash+=("$s") board+=("$b")
  if [ "$run" -lt 5 ]; then
    kill "$pid"; wait_for 10 eval '! kill -0 $pid' || fail "the program did not end"
    unset 'server_pids[-1]'
  fi
done
range() { printf '%s\n' "$@" | sort -n | sed -n '1p;$p' | paste -sd- | sed 's/-/ - /'; }

hz=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
# Percent of one core over 30 s; one clock tick of the kernel (1/CLK_TCK s) is the resolution.
cpu_percent() {
  local before after
  before=$(cpu_ticks); sleep 30; after=$(cpu_ticks)
  awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "%.3f %% (%d of %d ticks)", 100 * t / hz / 30, t, 30 * hz }'
}
boardwin=$(xdotool search --onlyvisible --name '^Quorvane$' | head -n 1)
xdotool windowfocus --sync "$boardwin"
sleep 2
stopped=$(cpu_percent)
xdotool key s
minutes=$(cpu_percent)
# Stop, type 59.0 on the clock display, start: the last minute shows tenths.
eval "$(xdotool getwindowgeometry --shell "$boardwin")"
source "$build/design.sh"
xdotool key s mousemove --sync $((X + WIDTH * 2000 / board_twips[0])) $((Y + HEIGHT * 1200 / board_twips[1])) click 1 \
  key period 5 9 0 Return s
tenths=$(cpu_percent)
memory=$(awk '/VmHWM/ { printf "%.1f MB", $2 / 1024 }' "/proc/$pid/status")

echo "| figure | measured | target |"
echo "|---|---|---|"
echo "| launch to splash painted (5 starts) | $(range "${splash[@]}") ms | under 150 ms |"
echo "| splash click to board painted (5 starts) | $(range "${board[@]}") ms | under 100 ms |"
echo "| CPU over 30 s, clock stopped | $stopped | under 0.02 % |"
echo "| CPU over 30 s, running in minutes | $minutes | |"
echo "| CPU over 30 s, running in tenths | $tenths | under 0.2 % |"
echo "| peak resident memory | $memory | under 40 MB |"
"$build/bench/bench_tick"
