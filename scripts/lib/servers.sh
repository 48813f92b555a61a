#!/usr/bin/env bash
# Private servers for whatever runs the real program, in a fresh folder and gone on exit: start_x [WxH]
# runs a virtual X server, start_sound a sound server whose one null sink "test" is the default output,
# start_bus a session bus on which dbus-monitor writes every message to $work/bus.log. Nothing of the
# caller's session takes part, its runtime folder included: a copy of the program the caller runs is not
# the one started here. close_window asks an X window to close; click_splash clicks a splash on its own
# text. Sourced by the end-to-end tests, the bench, the screenshots and the package check; run as
# `servers.sh COMMAND...` it runs the command beside the sound server alone, and fails if the command
# skipped anything.
# Exit status 77 (skipped) when a server cannot start: scripts/install-deps.sh installs them.
set -euo pipefail

work=$(mktemp -d)
server_pids=()
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
stop_servers() {
  [ -n "${PULSE_CLIENTCONFIG:-}" ] && timeout 5 pactl exit 2>/dev/null
  for ((i = ${#server_pids[@]} - 1; i >= 0; i--)); do kill "${server_pids[i]}" 2>/dev/null; wait "${server_pids[i]}" 2>/dev/null; done
  rm -rf "$work"
}
trap 'stop_servers || true' EXIT
skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }
# wait_for SECONDS COMMAND...: polls the command every tenth of a second.
wait_for() {
  local tries=$(($1 * 10)); shift
  until "$@" >/dev/null 2>&1; do tries=$((tries - 1)); [ "$tries" -gt 0 ] || return 1; sleep 0.1; done
}

start_x() {
  command -v Xvfb >/dev/null || skip "Xvfb is not installed"
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  server_pids+=($!)
  wait_for 10 grep -q '[0-9]' "$work/display" || skip "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
}

# The sound server's folders and client settings, in the environment before the program starts: a program
# started before its sound server finds it once it runs.
sound_env() {
  [ -n "${PULSE_CLIENTCONFIG:-}" ] && return
  for tool in pulseaudio pactl parec pacat; do command -v $tool >/dev/null || skip "$tool is not installed"; done
  mkdir -m 700 "$work/home"
  export HOME=$work/home PULSE_CLIENTCONFIG=$work/client.conf
  unset PULSE_SERVER PULSE_RUNTIME_PATH PULSE_SINK PULSE_SOURCE
  printf 'autospawn = no\n' >"$PULSE_CLIENTCONFIG"
}

start_sound() {
  sound_env
  pulseaudio --daemonize=no --exit-idle-time=-1 -n \
    --load="module-null-sink sink_name=test rate=44100 channels=2" \
    --load="module-native-protocol-unix auth-anonymous=1" >>"$work/pulse.log" 2>&1 &
  sound_pid=$!
  server_pids+=($!)
  wait_for 10 pactl info || skip "the sound server did not start: $(cat "$work/pulse.log")"
  pactl set-default-sink test
}

# Ends the sound server at once, as a crash or a restart of it does.
stop_sound() {
  kill "$sound_pid"
  wait "$sound_pid" 2>/dev/null || true
  wait_for 10 eval '! pactl info' || fail "the sound server did not stop"
}

start_bus() {
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus
  dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" >"$work/bus.err" 2>&1 &
  server_pids+=($!)
  wait_for 10 test -S "$work/bus" || skip "the session bus did not start: $(cat "$work/bus.err")"
  dbus-monitor >"$work/bus.log" 2>&1 &
  server_pids+=($!)
  # A monitor gives up its own name once it sees every message.
  wait_for 10 grep -q member=NameLost "$work/bus.log" || skip "dbus-monitor did not start: $(cat "$work/bus.log")"
}

# With no window manager on the X server, a window is asked to close as a close button would, by WM_DELETE_WINDOW.
close_window() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/close_window.py" "$1" || fail "could not ask window $1 to close"; }

# Where a click on the splash lands: on its own text, away from its buttons.
splash_click=(216 36)
click_splash() { xdotool mousemove --sync --window "$1" "${splash_click[@]}" click 1; }

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  start_sound
  "$@" | tee "$work/out"
  ! grep '^SKIP' "$work/out" || fail "checks skipped beside a sound server"
fi
