#!/usr/bin/env bash
# Makes the help's screenshots (help/images/*.png) and the README's picture
# (docs/screenshot.png) from the running game: a
# private X server with openbox, a scratch home folder (so the player's own
# settings and puzzles are never touched), the sample puzzle Alice, and
# xdotool for the mouse and keys. The positions below belong to the
# 1280 x 800 screen used here.
#   scripts/help-shots.sh [BUILD_DIR]     (default: build)
# Run it twice after a change of the pages: the help window's own picture
# shows the help file built from the previous run's pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=$(realpath "${1:-build}")
OUT=$(realpath help/images)
GAME=$BUILD/vorlaquince
[ -x "$GAME" ] || { echo "no game at $GAME: build it first" >&2; exit 2; }

SCRATCH=$(mktemp -d)
export HOME=$SCRATCH XDG_CONFIG_HOME=$SCRATCH/.config XDG_DATA_HOME=$SCRATCH/.local/share
export XDG_CACHE_HOME=$SCRATCH/.cache XDG_RUNTIME_DIR=$SCRATCH/runtime
export ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=xcb
mkdir -m 700 "$XDG_RUNTIME_DIR"
PUZZLES=$HOME/Documents/Marlowick/Puzzles

export DISPLAY=:$((70 + $$ % 20))
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
GAMEPID=""
cleanup() {
  [ -n "$GAMEPID" ] && kill "$GAMEPID" 2>/dev/null || true
  kill "$WM" "$XVFB" 2>/dev/null || true
  rm -rf "$SCRATCH"
}
sleep 1
openbox >/dev/null 2>&1 &
WM=$!
trap cleanup EXIT
sleep 1

start() { "$GAME" "$@" >/dev/null 2>&1 & GAMEPID=$!; sleep 4; }
quit() { xdotool windowactivate --sync "$(win "Vorlaquince 6 Game Edition")" key ctrl+x; wait "$GAMEPID" 2>/dev/null || true; GAMEPID=""; }
win() { xdotool search --sync --name "$1" | head -1; }
shot() { import -frame -window "$(win "$1")" "$OUT/$2"; }
root() { import -window root "$SCRATCH/root.png"; convert "$SCRATCH/root.png" "$@"; }
# Centre of grid square (column, row) of the maximized main window.
sq() { echo $((351 + ($1 - 1) * 32 + 16)) $((107 + ($2 - 1) * 32 + 16)); }
click() { xdotool mousemove $(sq "$1" "$2") click "${3:-1}"; sleep 0.3; }
keys() { xdotool type --delay 60 "$1"; sleep 0.2; }
GRID=(-crop 590x415+345+82 +repage)

# The main window before a puzzle is open, and the open box.
start
shot "Vorlaquince 6 Game Edition" main-window.png
xdotool key alt+p; sleep 0.4; xdotool key s; sleep 1.5
D=$(win "Open puzzle for solving")
eval "$(xdotool getwindowgeometry --shell "$D")"
xdotool mousemove $((X + 130)) $((Y + 172)) click 1; sleep 0.5
shot "Open puzzle for solving" open-dialog.png
xdotool key alt+F4; sleep 0.5
quit

# Solving Alice: the grid, the answer window, the solution, the score card.
start "$PUZZLES/Alice.vlq"
click 1 1; keys WOULD; click 7 1; keys YOU; click 11 1; keys TELL; click 16 1; keys ME
click 1 2; keys PLEASE; click 8 2; keys WH
root "${GRID[@]}" "$OUT/grid-typing.png"
click 2 4 3; keys EN
root -resize 900x "$OUT/puzzle.png"
root -resize 1000x docs/screenshot.png  # the README's picture
shot "Acrostic Clue" answer-window.png
xdotool key Escape; sleep 0.3
xdotool mousemove 164 58 mousedown 1; sleep 0.7
root -crop 590x124+345+82 +repage "$OUT/solution.png"  # the top rows only
xdotool mouseup 1; sleep 0.3
xdotool mousemove 207 58 click 1; sleep 2
shot "Score Card" score-incorrect.png
xdotool key Escape; sleep 0.3

# The clock, the preferences and the help window.
xdotool mousemove 249 58 click 1; sleep 2.5
root -crop 112x36+821+39 +repage "$OUT/clock.png"
xdotool key alt+o; sleep 0.4; xdotool key p; sleep 1.5
shot "Vorlaquince Preferences" preferences-general.png
xdotool mousemove 574 219 click 1; sleep 0.5
shot "Vorlaquince Preferences" preferences-view.png
xdotool key Escape; sleep 0.5
xdotool mousemove 249 58 click 1; sleep 0.5
xdotool key alt+h; sleep 0.4; xdotool key c; sleep 2
xdotool windowmove "$(win "Vorlaquince Help")" 200 60; sleep 0.5
xdotool mousemove 300 174 click 1; sleep 1
shot "Vorlaquince Help" help-window.png
quit

# A correct grid: a copy of Alice whose letters are all filled in.
python3 - "$PUZZLES/Alice.vlq" "$PUZZLES/Solved.vlq" <<'EOF'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
data[655:655 + 651] = data[4:4 + 651]  # the letters are the solution
open(sys.argv[2], 'wb').write(data)
EOF
start "$PUZZLES/Solved.vlq"
xdotool mousemove 207 58 click 1; sleep 4
shot "Score Card" score-correct.png
xdotool key Escape; sleep 0.3
quit
# The Make a Puzzle window with a made set (reading the word lists and the
# search take a while, the more in a sanitizer build).
start --make
keys "If you can keep your head when all about you"; xdotool key Return
keys "Are losing theirs and blaming it on you"; xdotool key Tab
keys "Kipling"; xdotool key Tab; keys "If"
xdotool key alt+m; sleep "${MAKE_WAIT:-25}"
shot "Make a Puzzle" maker-window.png
xdotool key ctrl+w 2>/dev/null; quit

echo "pictures written to $OUT"
