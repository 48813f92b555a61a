#!/usr/bin/env bash
# The screen kept on, on a private X server whose screen saver starts after 2 s without input, and a private
# session bus where stand-ins serve the desktop portal, GNOME's session manager and the screen saver
# (standins.py). Beside the splash alone the X screen saver starts and none of the services is asked; the
# open board holds the X screen saver off and asks each service once, for the idle kind; closing it hands
# back exactly what each granted.
#
# Usage: awake.sh BUILD-DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/servers.sh"
for tool in xdotool /usr/bin/python3; do command -v "$tool" >/dev/null || fail "$tool is not installed"; done
/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || fail "python3-dbus and python3-gi are not installed"
start_x
start_bus
xsaver() {
  /usr/bin/python3 -c 'import sys; from Xlib import display; d = display.Display()
if sys.argv[1:]: d.set_screen_saver(int(sys.argv[1]), 0, 1, 1); d.sync()
else: sys.exit(d.screen().root.screensaver_query_info().state != 1)' "$@"
}
mkdir -m 700 "$work/home"
export HOME=$work/home XDG_RUNTIME_DIR=$work/home XDG_CONFIG_HOME=$work/home
/usr/bin/python3 "$(dirname "$0")/standins.py" >"$work/standins.log" 2>&1 &
server_pids+=($!)
wait_for 10 grep -qx ready "$work/standins.log" || fail "the stand-ins did not start: $(cat "$work/standins.log")"

QT_QPA_PLATFORM=xcb "${1:?usage: awake.sh BUILD-DIR}/quorvane" >"$work/program.log" 2>&1 &
app_pid=$!
server_pids+=($app_pid)
splash=$(timeout 20 xdotool search --sync --onlyvisible --name '^Welcome to Quorvane$' | head -n 1) ||
  fail "no splash: $(cat "$work/program.log")"
# Set only now: the server forgets its settings when its last client leaves.
xsaver 2
wait_for 5 xsaver || fail "the X screen saver did not start with only the splash open"
[ "$(cat "$work/standins.log")" = ready ] || fail "the splash alone asked to keep the screen on: $(cat "$work/standins.log")"

click_splash "$splash"
board=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quorvane$' | head -n 1) || fail "the click opened no board"
wait_for 10 eval '[ "$(grep -c inhibit "$work/standins.log")" = 3 ]' ||
  fail "the open board was not granted all three inhibitions: $(cat "$work/standins.log")"
sleep 3
! xsaver || fail "the X screen saver started while the board was open"

close_window "$board"
wait_for 10 eval '! kill -0 $app_pid' || fail "the program still runs 10 s after its board closed"
wait_for 5 eval '[ "$(grep -c release "$work/standins.log")" = 3 ]' || true
expected=$(printf '%s\n' gnome\ inhibit gnome\ release portal\ inhibit portal\ release saver\ inhibit saver\ release)
[ "$(grep -v ready "$work/standins.log" | sort)" = "$expected" ] ||
  fail "what the services granted and got back: $(cat "$work/standins.log")"
