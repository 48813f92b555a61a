#!/usr/bin/env bash
# The board as a native Wayland client of a compositor that idles: a headless sway, with swayidle set to
# report five seconds without input. The open board holds the session awake for fifteen seconds untouched;
# once the board has closed, the session goes idle within seconds. The splash is
# clicked through a VNC server on the compositor (wayvnc), the one way to a pointer on a headless sway. No
# session bus is there: its absence must cost nothing.
#
# Usage: wayland.sh BUILD-DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/servers.sh"
for tool in sway swayidle swaymsg wayvnc jq /usr/bin/python3; do command -v "$tool" >/dev/null || fail "$tool is not installed"; done
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK
export WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
export HOME=$work XDG_CONFIG_HOME=$work DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus
printf 'xwayland disable\ndefault_border none\noutput HEADLESS-1 resolution 1024x768\n' >"$work/sway.conf"
# sway refuses to run as root: there it runs as nobody, in a runtime folder of nobody's that root still reaches.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
  chmod 755 "$work"
  chown 65534:65534 "$XDG_RUNTIME_DIR"
fi
"${as_user[@]}" sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
server_pids+=($!)
wait_for 10 eval 'compgen -G "$XDG_RUNTIME_DIR/wayland-*[0-9]" && compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*"' ||
  skip "sway cannot start here: $(tail -n 3 "$work/sway.log")"
export WAYLAND_DISPLAY=$(basename "$(compgen -G "$XDG_RUNTIME_DIR/wayland-*[0-9]")")
export SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*")

# Each time the session goes idle, a line with the time.
swayidle -w timeout 5 "date +%s.%N >>'$work/idle'" >"$work/swayidle.log" 2>&1 &
server_pids+=($!)
idle_since() { awk -v t="$1" '$1 > t { found = 1 } END { exit !found }' "$work/idle" 2>/dev/null; }
QT_QPA_PLATFORM=wayland "${1:?usage: wayland.sh BUILD-DIR}/quorvane" >"$work/program.log" 2>&1 &
app_pid=$!
server_pids+=($app_pid)
# The shell and place of the window of this title (jq fails when there is none).
window() { swaymsg -t get_tree | jq -er --arg t "$1" 'first(.. | objects | select(.name? == $t)) | "\(.shell) \(.rect.x) \(.rect.y)"'; }
wait_for 20 window "Welcome to Quorvane" || fail "no splash: $(cat "$work/program.log")"

# The click, from a VNC client speaking just enough of the protocol: version, no security, a shared
# session, then the pointer moved, pressed and released.
wayvnc -u "$work/vnc" >"$work/wayvnc.log" 2>&1 &
vnc_pid=$!
server_pids+=($vnc_pid)
wait_for 10 test -S "$work/vnc" || fail "wayvnc did not start: $(cat "$work/wayvnc.log")"
read -r shell x y <<<"$(window "Welcome to Quorvane")"
/usr/bin/python3 "$(dirname "$0")/vnc_click.py" "$work/vnc" $((x + splash_click[0])) $((y + splash_click[1])) ||
  fail "the VNC click failed: $(cat "$work/wayvnc.log")"
wait_for 10 window Quorvane || fail "the click opened no board: $(cat "$work/program.log")"
opened=$(date +%s.%N)
kill "$vnc_pid"
read -r shell x y <<<"$(window Quorvane)"
[ "$shell" = xdg_shell ] || fail "the board is a $shell window, not a native Wayland one"
sleep 15
! idle_since "$opened" || fail "the session went idle while the board was open"

swaymsg '[title="^Quorvane$"] kill' >/dev/null
wait_for 10 eval '! kill -0 $app_pid' || fail "the program still runs 10 s after its board closed: $(cat "$work/program.log")"
closed=$(date +%s.%N)
wait_for 10 idle_since "$closed" || fail "the session did not go idle after the board closed"
