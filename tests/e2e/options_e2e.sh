#!/usr/bin/env bash
# The options dialog in the real program: on the board "o" opens it, Enter confirms it, and the settings
# file then holds all sixteen keys with their factory values; the game clock ran on while it was open.
# Usage: options_e2e.sh PROGRAM. Exit status 77 (skipped) without xvfb-run, xdotool or ImageMagick.
set -euo pipefail
program=${1:?usage: options_e2e.sh PROGRAM}
if [ "${2:-}" != --inside ]; then
    for tool in xvfb-run xdotool import; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
    exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$program" --inside
fi

work=$(mktemp -d)
trap 'kill "$app_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
mkdir -p "$work/config" "$work/runtime" && chmod 700 "$work/runtime"
XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>&1 &
app_pid=$!
window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }

splash=$(window '^Welcome to Quorvane$') || fail "no splash"
xdotool mousemove --sync --window "$splash" 216 36 click 1
board=$(window '^Quorvane$') || fail "no board"
xdotool windowfocus --sync "$board" key s o
options=$(window '^Options$') || fail "\"o\" opened no options dialog"
# The dialog moves aside so the board's clock shows; two looks a second and a half apart must differ.
xdotool windowmove --sync "$options" 0 0
eval "$(xdotool getwindowgeometry --shell "$board")"
clock="385x129+$((X + 123))+$((Y + 72))"
import -window root -crop "$clock" "$work/before.png"
sleep 1.5
import -window root -crop "$clock" "$work/after.png"
cmp -s "$work/before.png" "$work/after.png" && fail "the clock stood still while the dialog was open"

xdotool windowfocus --sync "$options" key Return
timeout 10 bash -c "while xdotool search --onlyvisible --name '^Options\$' >/dev/null; do sleep 0.1; done" \
    || fail "Enter did not close the dialog"
expected="BorderColor=16777215 FormBack=4210752 HomeColor=16777215 LEDBack=0 PeriodColor=49152 ScoreColor=33023
TimeColor=255 VisitorColor=16777215 BuzzerFile=$(dirname "$program")/buzzer.wav BuzzerKey=98 ClockSwitchKey=99
ResetClockKey=114 StartStopClockKey=115 HomeText=Home TitleText=Home VisitorText=Visitor"
stored=$(grep = "$work/config/Quorvane/Quorvane.conf" 2>/dev/null | tr '\n' ' ') || fail "no settings file was written"
[ "$stored" = "$(echo $expected) " ] || fail "the settings file holds: $stored"
echo "PASS: o opened the options, the clock ran on, Enter stored all sixteen factory values"
