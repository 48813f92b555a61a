#!/usr/bin/env bash
# The real program started as an operator starts it, on a private X server with no window manager:
# the splash opens at its place, a click on its name opens the board and takes the splash away,
# closing the board ends the program, and nothing was stored in the (empty) settings folder.
#
# Usage: e2e_start.sh PROGRAM WM-CLOSE [SCREENSHOT-FOLDER]
#   PROGRAM            the built quorvane
#   WM-CLOSE           the helper that asks a window to close as a window manager would
#   SCREENSHOT-FOLDER  where to leave splash.png and board.png for a human to look at (optional)
# Exit status 77 (skipped) when Xvfb or xdotool is missing: scripts/install-deps.sh installs them.
set -euo pipefail

program=${1:?usage: e2e_start.sh PROGRAM WM-CLOSE [SCREENSHOT-FOLDER]}
wm_close=${2:?usage: e2e_start.sh PROGRAM WM-CLOSE [SCREENSHOT-FOLDER]}
shots=${3:-}

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=
app_pid=

cleanup() {
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    if [ -s "$work/program.log" ]; then
        echo "program output:"
        sed 's/^/  /' "$work/program.log"
    fi
    exit 1
}

# Polls a condition (a command) every tenth of a second for at most $1 seconds.
wait_for() {
    local seconds=$1
    shift
    local tries=$((seconds * 10))
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

# --- a private X server: it picks a free display number itself and writes it to the file ---------------
screen_w=1024
screen_h=768
Xvfb -displayfd 3 -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 10 grep -q '[0-9]' "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
echo "X server on $DISPLAY"

# --- the program, with an empty settings folder and nothing else of the caller's environment that matters --
mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
"$program" >"$work/program.log" 2>&1 &
app_pid=$!

program_runs() { kill -0 "$app_pid" 2>/dev/null; }
program_ended() { ! program_runs; }
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
shown() { [ -n "$(visible "$1")" ]; }
not_shown() { ! shown "$1"; }
screenshot() {
    if [ -n "$shots" ] && command -v import >/dev/null; then
        mkdir -p "$shots"
        import -window root "$shots/$1"
        echo "screenshot: $shots/$1"
    fi
}

# --- the splash: at (screen height - 5880) / 2 twips from the top, centred across ------------------------
splash_title='^Welcome to Quorvane$'
splash_or_end() { shown "$splash_title" || program_ended; }
wait_for 20 splash_or_end || fail "no splash window within 20 s"
program_runs || fail "the program ended before showing its splash"
splash=$(visible "$splash_title")
eval "$(xdotool getwindowgeometry --shell "$splash")"
expected_x=$(((screen_w - 416) / 2))
expected_y=$(((screen_h * 15 - 5880) / 2 / 15))
[ "$WIDTH x $HEIGHT" = "416 x 216" ] || fail "splash is $WIDTH x $HEIGHT pixels, expected 416 x 216"
[ "$X,$Y" = "$expected_x,$expected_y" ] || fail "splash at $X,$Y, expected $expected_x,$expected_y"
echo "splash $splash at $X,$Y, $WIDTH x $HEIGHT"
screenshot splash.png

# --- a click on the name (lblName's middle) opens the board ------------------------------------------------
xdotool mousemove --sync --window "$splash" 216 36 click 1
board_title='^Quorvane$'
wait_for 20 shown "$board_title" || fail "no board window within 20 s of the click"
board=$(visible "$board_title")
wait_for 10 not_shown "$splash_title" || fail "the splash is still shown beside the board"
eval "$(xdotool getwindowgeometry --shell "$board")"
echo "board $board at $X,$Y, $WIDTH x $HEIGHT"
program_runs || fail "the program ended after opening the board"
screenshot board.png

# --- closing the board ends the program, which stores nothing on the way out ------------------------------
"$wm_close" "$board" || fail "could not ask the board to close"
wait_for 10 program_ended || fail "the program still runs 10 s after its last window closed"
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# The sound system may keep files of its own under the folder (pulse/); the program's would be Quorvane/.
stored=$(find "$XDG_CONFIG_HOME" -path "$XDG_CONFIG_HOME/pulse" -prune -o -type f -print)
[ -z "$stored" ] || fail "files were written to the empty settings folder: $stored"

echo "PASS: splash placed, click opened the board, closing it ended the program, nothing stored"
