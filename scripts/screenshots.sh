#!/usr/bin/env bash
# Remakes the README's pictures of the board: the real program under Xvfb, its splash clicked away, a
# three-digit home score typed and the clock running, the board captured at its design size, on screens of
# several shapes (21:9, 16:9, 4:3 and upright) and small.
# Usage: scripts/screenshots.sh [path/to/quorvane]   (default build/quorvane)
set -euo pipefail
cd "$(dirname "$0")/.."
exe=${1:-build/quorvane}
out=docs
mkdir -p "$out"

source scripts/lib/servers.sh
start_x 2560x1440

# A settings folder of its own: the pictures show the factory look, and the operator's settings stay untouched.
XDG_CONFIG_HOME="$work" "$exe" >/dev/null 2>&1 &
server_pids+=($!)

click_splash "$(xdotool search --sync --onlyvisible --name '^Welcome to Quorvane$' | head -n1)"
board=$(xdotool search --sync --onlyvisible --name '^Quorvane$' | head -n1)
xdotool windowmove --sync "$board" 0 0
xdotool windowfocus --sync "$board"
# The home score panel at its design place (360, 3840 twips): a click there, then 123 and Enter.
xdotool mousemove 60 290 click 1
xdotool type --delay 60 123
xdotool key Return
xdotool type s
xdotool mousemove 2000 1400
sleep 1.5 # let the clock tick a few times

shot() { # name width height
    xdotool windowsize --sync "$board" "$2" "$3"
    sleep 0.8
    import -window "$board" "$out/$1.png"
    echo "Wrote $out/$1.png"
}
import -window "$board" "$out/board.png"
shot board-2560x1080 2560 1080
shot board-fullscreen 1920 1080
shot board-1024x768 1024 768
shot board-632x906 632 906
shot board-small 420 300
