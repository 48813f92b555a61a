#!/usr/bin/env bash
# Remakes the README's pictures of the board: the real program under Xvfb, its splash clicked away,
# the board captured at its design size, full screen on a 1920 x 1080 projector, and small.
# Usage: scripts/screenshots.sh [path/to/quorvane]   (default build/quorvane)
set -euo pipefail
cd "$(dirname "$0")/.."
exe=${1:-build/quorvane}
out=docs
mkdir -p "$out"

work=$(mktemp -d)
cleanup() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it to the file.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do grep -q '[0-9]' "$work/display" && break; sleep 0.1; done
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"

# A settings folder of its own: the pictures show the factory look, and the operator's settings stay untouched.
XDG_CONFIG_HOME="$work" XDG_RUNTIME_DIR="$work" "$exe" >/dev/null 2>&1 &
app_pid=$!

splash=$(xdotool search --sync --onlyvisible --pid "$app_pid" 2>/dev/null | head -n1)
eval "$(xdotool getwindowgeometry --shell "$splash")"
xdotool mousemove $((X + 40)) $((Y + 40)) click 1
board=$(xdotool search --sync --onlyvisible --name '^Quorvane$' | head -n1)
xdotool mousemove 0 0
sleep 1.5 # let the clock tick a few times

import -window "$board" "$out/board.png"

xdotool windowmove --sync "$board" 0 0 windowsize --sync "$board" 1920 1080
sleep 1
import -window "$board" "$out/board-fullscreen.png"

xdotool windowsize --sync "$board" 420 300
sleep 1
import -window "$board" "$out/board-small.png"

echo "Wrote $out/board.png, $out/board-fullscreen.png, $out/board-small.png"
