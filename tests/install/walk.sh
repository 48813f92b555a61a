#!/usr/bin/env bash
# Sourced after scripts/lib/servers.sh, on a running X server, by the end-to-end test and scripts/try-package.sh.
# walk DIR CONFIG COMMAND... starts an installed program with COMMAND and goes where a newcomer goes: the
# splash, a click to the board, the options confirmed, help. DIR is the program's folder as the program sees it, CONFIG its settings folder as seen from here. The
# clock runs on behind the options dialog; Enter stores the sixteen factory values, the buzzer the one in DIR;
# the help window must show the help file, many lines of text, not the one-line notice that it has moved;
# every window carries the icon. The board's and the help window's ids are left in $board and $help.
walk() {
  local dir=$1 config=$2 ink
  shift 2
  "$@" >"$work/program.log" 2>&1 &
  server_pids+=($!)
  window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
  click_splash "$(window '^Welcome to Quorvane$')" ||
    fail "no splash: $(cat "$work/program.log")"
  board=$(window '^Quorvane$') || fail "a click on the splash opened no board"
  xdotool windowfocus --sync "$board" key s o
  options=$(window '^Options$') || fail "o opened no options"
  xdotool windowmove --sync "$options" 0 400
  clock() { import -window "$board" -crop 385x129+123+72 png:- | md5sum; }
  [ "$(clock)" != "$(sleep 1.5; clock)" ] || fail "the clock stood still while the options were open"
  xdotool windowfocus --sync "$options" key Return
  local expected="16777215 4210752 16777215 0 49152 33023 255 16777215 $dir/buzzer.wav 98 99 114 115 Home Home Visitor"
  wait_for 10 test -s "$config/Quorvane/Quorvane.conf" || fail "Enter on the options stored nothing"
  [ "$(sed -n 's/^[A-Za-z]*=//p' "$config/Quorvane/Quorvane.conf" | xargs)" = "$expected" ] ||
    fail "the options stored: $(cat "$config/Quorvane/Quorvane.conf")"
  xdotool windowfocus --sync "$board" key h
  help=$(window '^Quorvane Help$') || fail "h opened no help"
  sleep 0.5
  ink=$(import -window "$help" png:- | convert - -colorspace gray -threshold 50% -format '%[fx:1-mean]' info:)
  awk "BEGIN { exit !($ink > 0.02) }" || fail "the help window shows the notice of a missing help file (ink $ink)"
  for w in "$board" "$help"; do [[ $(xprop -id "$w" _NET_WM_ICON) == *'Icon (16 x 16)'* ]] || fail "no icon on $w"; done
}
