#!/usr/bin/env bash
# The installed program as an operator meets it, on a private X server and a private sound server. It is
# installed into a prefix of its own, every file where a desktop looks for it, and started through the
# bin/quorvane link as a menu starts it: the splash, the board, the options and help, which must find their
# buzzer and help file (tests/install/walk.sh); then the board's clock in red digits, and the buzzer sounded
# by key and by the clock running out, at gaps from 0.05 s to 3 s, while the sound server's output is
# recorded. Every horn that should be heard must be in the recording, at its time and of its length; closing
# the board ends the program, which stores nothing more.
#
# Usage: e2e.sh BUILD-DIR
set -euo pipefail
source "$(dirname "$0")/servers.sh"
source "$(dirname "$0")/../install/walk.sh"
# Debian's own interpreter: a python3 earlier on the PATH may lack numpy and python3-xlib.
py=/usr/bin/python3
for tool in xdotool import convert $py; do command -v "$tool" >/dev/null || fail "$tool is not installed"; done
prefix=$work/prefix
cmake --install "${1:?usage: e2e.sh BUILD-DIR}" --prefix "$prefix" >/dev/null
for f in share/applications/org.quorvane.Quorvane.desktop share/metainfo/org.quorvane.Quorvane.metainfo.xml \
  share/icons/hicolor/scalable/apps/quorvane.svg share/icons/hicolor/{16x16,256x256}/apps/quorvane.png; do
  [ -s "$prefix/$f" ] || fail "$f is not installed"
done
start_x
start_sound
start_bus
mkdir "$work/config"

# A steady stream of silence keeps the sink running: the recording is then one unbroken timeline, on
# which each horn stands out as a burst.
pacat --raw --format=s16le --rate=44100 --channels=1 --latency-msec=50 </dev/zero 2>/dev/null &
server_pids+=($!)
parec -d test.monitor --raw --format=s16le --rate=44100 --channels=1 --latency-msec=20 >"$work/rec.raw" 2>/dev/null &
server_pids+=($!)
wait_for 10 test -s "$work/rec.raw" || fail "nothing recorded from the sound server"
walk "$prefix/lib/quorvane" "$work/config" env XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb "$prefix/bin/quorvane"
app_pid=${server_pids[-1]}
stored() { find "$work/config" -path "$work/config/pulse" -prune -o -type f -exec md5sum {} + | sort; }
walked=$(stored)
# Help, opened last, stands in front of the board.
close_window "$help"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$board")"
# The clock panel, from its design place on the 9480 x 6795 twip board scaled to the window.
read -r cx cy cw ch <<<"$((WIDTH * 1853 / 9480)) $((HEIGHT * 1080 / 6795)) $((WIDTH * 5775 / 9480)) $((HEIGHT * 1935 / 6795))"
red=$(import -window "$board" png:- |
  convert - -crop "${cw}x$ch+$cx+$cy" -fx 'r > 0.7 && g < 0.31 && b < 0.31' -format '%[fx:mean]' info:)
echo "board ${WIDTH}x$HEIGHT, clock panel ${cw}x$ch at $cx,$cy: $red red"
awk "BEGIN { exit !($red >= 0.05) }" || fail "the board does not show its clock in red digits"

# The presses. Each is logged with its time: "b" sounds at once, "s" starts a clock of 0.5 s that
# runs out, "h" is the buzzer key held down for a second, which must sound once.
log() { echo "$(date +%s.%N) $1" >>"$work/plays"; }
press() { log b; xdotool key b; }
runout() { xdotool key r; log s; xdotool key s; }
xdotool windowfocus --sync "$board"
press; sleep 3; press; sleep 2; press; sleep 1.7
press; sleep 0.05; press; sleep 0.05; press; sleep 2.5
press; sleep 0.5; press; sleep 2.5; press; sleep 1; press; sleep 2.5
press; sleep 2.5
xdotool mousemove --sync --window "$board" $((cx + 8)) $((cy + 4)) click 1 key period 0 0 5 Return
log s; xdotool key s; sleep 2.5
runout; sleep 2.5; runout; sleep 2.2; press; sleep 2.5
runout; sleep 0.1; press; sleep 2.5
log h; xdotool keydown b; sleep 1; xdotool keyup b; sleep 2.5
press; sleep 2.5

$py - "$work/rec.raw" "$work/plays" <<'EOF' || fail "the buzzer was not heard every time it should have been"
import sys, numpy as n
# Onsets may be off by a clock tick and the key's way in; lengths are exact but for the 10 ms windows.
HORN, LATE, LONG = 1.5, 0.2, 0.15
rec = n.fromfile(sys.argv[1], "<i2").astype(float)
rms = n.sqrt((rec[:len(rec) // 441 * 441].reshape(-1, 441) ** 2).mean(axis=1))
loud = rms > 3000
def join(spans):  # [start, end, tags]: spans less than 0.1 s apart are one, their tags added up
    out = []
    for on, off, tag in spans:
        if out and on - out[-1][1] < 0.1: out[-1][1:] = [off, out[-1][2] + tag]
        else: out.append([on, off, tag])
    return out
# Bursts: loud runs of 10 ms windows. A restart may leave a dip too short to be seen at times, so restarts
# are proven by length: a burst must last from its first start to its last plus one horn. That proves the
# first and the last press of every burst; the middle one of three presses 50 ms apart is proven only by
# the presses after it still sounding.
edges = n.flatnonzero(n.diff(n.r_[0, loud.astype(int), 0])) * 0.01
bursts = join((on, off, 1) for on, off in zip(edges[::2], edges[1::2]))
# Expected horns: a press sounds at once, a started 0.5 s clock at its run-out; a horn played again
# before its end restarts, so its burst runs on to the last start plus one horn.
plays = [(float(t) + 0.5 * (k == "s"), k) for t, k in map(str.split, open(sys.argv[2]))]
groups = join(sorted((t, t + HORN, k) for t, k in plays))
print(f"{len(rec) / 44100:.1f} s recorded, {len(plays)} plays, {len(groups)} horns expected, {len(bursts)} heard")
ok = len(bursts) == len(groups)
# Times are compared after the sound server's steady delay, the median over all horns.
delay = n.median([b[0] - g[0] for b, g in zip(bursts, groups)])
for (on, off, runs), (t, end, keys) in zip(bursts, groups):
    late, long = on - t - delay, (off - on) - (end - t)
    ok &= (good := abs(late) < LATE and abs(long) < LONG and runs <= len(keys))
    print(f"{'ok  ' if good else 'FAIL'} {keys:4} at {on:6.2f} s ({late:+.2f}), {off - on:.2f} s ({long:+.2f}), "
          f"{runs} runs" + ("  (key held: one horn)" if "h" in keys else ""))
sys.exit(int(not ok))
EOF

close_window "$board"
wait_for 10 eval '! kill -0 $app_pid' || fail "the program still runs 10 s after its board closed"
wait "$app_pid" || fail "the program ended with status $?"
[ "$(stored)" = "$walked" ] || fail "closing the board wrote to the settings folder: $(stored)"
echo "PASS: installed; splash, board, options, help; every horn heard; closed without storing anything more"
