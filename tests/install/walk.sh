#!/usr/bin/env bash
# Sourced after tests/e2e/servers.sh, on a running X server. walk DIR CONFIG COMMAND... starts an installed
# program with COMMAND and goes where a newcomer goes: the splash, a click to the board, the options confirmed,
# help. DIR is the program's folder as the program sees it, CONFIG its settings folder as seen from here. The
# options store the buzzer the program found, which must be the one in DIR; the help window must show the help
# file, many lines of text, not the one-line notice that it has moved; every window carries the icon.
walk() {
  local dir=$1 config=$2 board help ink
  shift 2
  "$@" >"$work/program.log" 2>&1 &
  server_pids+=($!)
  window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
  xdotool mousemove --sync --window "$(window '^Welcome to Quorvane$')" 216 36 click 1 ||
    fail "no splash: $(cat "$work/program.log")"
  board=$(window '^Quorvane$') || fail "a click on the splash opened no board"
  xdotool windowfocus --sync "$board" key o
  xdotool windowfocus --sync "$(window '^Options$')" key Return || fail "o opened no options"
  wait_for 10 grep -qx "BuzzerFile=$dir/buzzer.wav" "$config/Quorvane/Quorvane.conf" ||
    fail "the buzzer is not the one in $dir: $(grep -s BuzzerFile "$config/Quorvane/Quorvane.conf")"
  xdotool windowfocus --sync "$board" key h
  help=$(window '^Quorvane Help$') || fail "h opened no help"
  sleep 0.5
  ink=$(import -window "$help" png:- | convert - -colorspace gray -threshold 50% -format '%[fx:1-mean]' info:)
  awk "BEGIN { exit !($ink > 0.02) }" || fail "the help window shows the notice of a missing help file (ink $ink)"
  for w in "$board" "$help"; do [[ $(xprop -id "$w" _NET_WM_ICON) == *'Icon (16 x 16)'* ]] || fail "no icon on $w"; done
  echo "splash shown; board opened, buzzer $dir/buzzer.wav; help shown (ink $ink); icons on every window"
}
