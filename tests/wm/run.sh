#!/usr/bin/env bash
# Runs wm_check under Xvfb with the openbox window manager, once per screen:
# 1366 x 768 with the largest puzzle (31 x 21, 30 clues; its screenshot is
# kept in the build folder), 1920 x 1080 with a sample puzzle, and
# 1366 x 768 with the sample and the solving aids switched on by keys, and
# 1366 x 768 making a puzzle in the Make a Puzzle window.
#   run.sh <wm_check> <sample puzzle> <screenshot folder>
# Skips (exit 77) when Xvfb or openbox is not installed.
set -uo pipefail
check=$1 sample=$2 shots=$3
for tool in Xvfb openbox; do
  command -v "$tool" >/dev/null || { echo "run.sh: $tool is not installed"; exit 77; }
done
mkdir -p "$shots"

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; }
trap cleanup EXIT

# One run: a server on a display it picks itself, the window manager, the
# check.
run() {
  local size=$1 puzzle=$2 shot=$3 mode=${4:-} fdfile d wmok=
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  local xvfb=$!
  pids+=("$xvfb")
  for _ in $(seq 200); do [ -s "$fdfile" ] && break; sleep 0.05; done
  d=$(head -n1 "$fdfile")
  rm -f "$fdfile"
  [ -n "$d" ] || { echo "run.sh: Xvfb did not start"; return 1; }
  DISPLAY=":$d" openbox --sm-disable >/dev/null 2>&1 &
  local wm=$!
  pids+=("$wm")
  # The window manager is up once it has claimed the screen (a loaded
  # machine may take a while).
  for _ in $(seq 600); do
    if DISPLAY=":$d" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then wmok=1; break; fi
    sleep 0.05
  done
  [ -n "$wmok" ] || { echo "run.sh: openbox did not start"; return 1; }
  echo "== $size, $puzzle"
  DISPLAY=":$d" QT_QPA_PLATFORM=xcb "$check" "$puzzle" "$shot" $mode
  local rc=$?
  kill "$wm" "$xvfb" 2>/dev/null
  wait "$wm" "$xvfb" 2>/dev/null
  return $rc
}

rc=0
run 1366x768 tall "$shots/wm-1366x768-31x21.png" || rc=1
run 1920x1080 "$sample" "$shots/wm-1920x1080.png" || rc=1
run 1366x768 "$sample" "$shots/wm-1366x768-aids.png" aids || rc=1
run 1366x768 "$sample" "$shots/wm-1366x768-make.png" make || rc=1
exit $rc
