#!/usr/bin/env bash
# The installed program as an operator meets it, on a private X server and a private sound server. It is
# installed into a prefix of its own, every file where a desktop looks for it, and started through the
# bin/quorvane link as a menu starts it, before the sound server runs: the splash, the board, the options and
# help, which must find their buzzer and help file (tests/install/walk.sh); then the buzzer sounded by key and by the clock running out while the sound server's output is
# recorded: once the server has started, again after it has been restarted, and with every kind of WAV file a
# user may pick, and a missing one. Every horn that should be heard must be in the recording, at its time and
# of its length (horns.py); closing the board ends the program.
#
# Usage: e2e.sh BUILD-DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/servers.sh"
source "$(dirname "$0")/../install/walk.sh"
# Debian's own interpreter: a python3 earlier on the PATH may lack numpy and python3-xlib.
py=/usr/bin/python3
for tool in xdotool import convert sox $py; do command -v "$tool" >/dev/null || fail "$tool is not installed"; done
prefix=$work/prefix
cmake --install "${1:?usage: e2e.sh BUILD-DIR}" --prefix "$prefix" >/dev/null
for f in share/applications/org.quorvane.Quorvane.desktop share/metainfo/org.quorvane.Quorvane.metainfo.xml \
  share/icons/hicolor/scalable/apps/quorvane.svg share/icons/hicolor/{16x16,256x256}/apps/quorvane.png; do [ -s "$prefix/$f" ] || fail "$f is not installed"; done
start_x
start_bus
sound_env
mkdir "$work/config" "$work/wavs"
# The rates, channel counts and layouts a user's buzzer may have, each a 440 Hz tone loud enough to stand out in
# a recording (every sample format reaches the sound server as 16 bits; the board's tests read each of them).
# sox writes six channels in the extensible layout. "truncated" claims four seconds and holds half of one; "long",
# over 32 MB, plays its first minute and is cut short here by closing the program.
for wav in mono-22050:22050:1 stereo-96000:96000:2 ext-6ch-48000:48000:6 long:48000:2:185 truncated:44100:1:4; do
  IFS=: read -r name rate channels seconds <<<"$wav"
  sox -n -r "$rate" -c "$channels" -b 16 "$work/wavs/$name.wav" synth "${seconds:-0.5}" sine 440 vol 0.6
done
truncate -s $((44 + 44100 * 2 / 2)) "$work/wavs/truncated.wav"

# Each run of the sound server is recorded on its own. A steady stream of silence keeps the sink running: the
# recording is then one unbroken timeline, on which each horn stands out as a burst.
recordings=()
record() {
  pacat --raw --format=s16le --rate=44100 --channels=1 --latency-msec=50 </dev/zero 2>/dev/null &
  server_pids+=($!)
  parec -d test.monitor --raw --format=s16le --rate=44100 --channels=1 --latency-msec=20 >"$work/rec$1.raw" 2>/dev/null &
  server_pids+=($!)
  wait_for 10 test -s "$work/rec$1.raw" || fail "nothing recorded from the sound server"
  plays=$work/plays$1
  recordings+=("$work/rec$1.raw" "$plays")
  # The recorder's first moments hold its start-up latency; the horns come on a settled timeline.
  sleep 0.5
}
walk "$prefix/lib/quorvane" "$work/config" env XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb "$prefix/bin/quorvane"
app_pid=${server_pids[-1]}
# Help opened from the board at the whistle leaves the keyboard with the board.
[ "$(xdotool getwindowfocus)" = "$board" ] || fail "help took the keyboard from the board"
# A second start hands over to the running copy and ends at once (bringing the board to the front is the
# window manager's to allow; tst_app proves the request).
XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb timeout 10 "$prefix/bin/quorvane" || fail "a second copy did not end: $?"
[ "$(xdotool search --onlyvisible --name '^Quorvane$' | wc -l)" = 1 ] || fail "a second copy opened a board"
# Help, opened last, stands in front of the board.
close_window "$help"
sleep 0.5

# The presses, each logged with its time: "b" sounds at once, "s" starts a clock of 0.5 s that runs out, "h"
# is the buzzer key held down for a second, which must sound once.
log() { echo "$(date +%s.%N) $*" >>"$plays"; }
press() { log b; xdotool key b; }
runout() { xdotool key r; log s; xdotool key s; }
xdotool windowfocus --sync "$board"
# With no sound server yet, the buzzer is silent and nothing waits for it (its one retry a moment later
# finds none either).
xdotool key b
sleep 0.5
start_sound
record 1
press; sleep 2.5; press; sleep 0.05; press; sleep 2.5
# Tab gives the clock display the keys (the board's tests prove its order): 0.5 s typed.
xdotool key Tab period 0 0 5 Return
log s; xdotool key s; sleep 2.5
runout; sleep 0.1; press; sleep 2.5
log h; xdotool keydown b; sleep 1; xdotool keyup b; sleep 2.5
# The sound server restarts mid-game: the next key and the next run-out are heard.
stop_sound
xdotool key b
sleep 0.5
start_sound
record 2
press; sleep 2.5; runout; sleep 2.5

close_window "$board"
wait_for 10 eval '! kill -0 $app_pid' || fail "the program still runs 10 s after its board closed"
wait "$app_pid" || fail "the program ended with status $?"

# Every kind of WAV file a user may pick, each the buzzer of a fresh start, sounded by key: a missing one
# gives the program's own horn, and a file of over a minute plays on until the program closes.
for name in $(cd "$work/wavs" && ls) missing.wav; do
  printf '[KeySettings]\nBuzzerFile=%s\n' "$work/wavs/$name" >"$work/config/Quorvane/Quorvane.conf"
  XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb "$prefix/bin/quorvane" >>"$work/program.log" 2>&1 &
  click_splash "$(window '^Welcome to Quorvane$')" || fail "no splash for $name"
  board=$(window '^Quorvane$') || fail "no board for $name"
  xdotool windowfocus --sync "$board"
  case $name in
    missing.wav) log missing 1.5; xdotool key b; sleep 2 ;;
    long.wav) log cut 1; xdotool key b; sleep 1 ;;
    *) log "${name%.wav}" 0.5; xdotool key b; sleep 1 ;;
  esac
  close_window "$board"
  wait $! || fail "the program with $name as its buzzer ended with status $?"
  sleep 0.3
done

$py "$(dirname "$0")/horns.py" "${recordings[@]}" || fail "the buzzer was not heard every time it should have been"
