#!/usr/bin/env bash
# The viewer as a user meets it, on a virtual screen: start it in a generated small town, wait
# for the whole-city overview, zoom in with a Ctrl-drag and "+", pan with an arrow key and a
# Shift-drag, step back with Page Up, choose "Night" from the menu and return with Home. After
# each step the screen is taken and must be neither blank nor the same as before the step. At
# the end View > Exit must end the program with code 0 (in a sanitizer build that includes the
# leak check at exit).
# Usage: viewer_xvfb.sh <build dir> <source dir>
# With VIEWER_XVFB_SHOTS set to a folder, the screens are kept there as PNG files (ImageMagick).
set -euo pipefail
build_dir=$(cd "$1" && pwd)

for tool in Xvfb xdotool; do
  if ! command -v "$tool" > /dev/null; then
    echo "viewer_xvfb: $tool is needed (scripts/install-deps.sh installs it)"
    exit 1
  fi
done
command -v xwd > /dev/null || { echo "viewer_xvfb: xwd (x11-apps) is needed to take the screen"; exit 1; }

viewer=$build_dir/src/korvinsk-plan
generator=$build_dir/tools/plan-generate/plan-generate
[ -x "$viewer" ] || { echo "viewer_xvfb: $viewer was not built"; exit 1; }
[ -x "$generator" ] || { echo "viewer_xvfb: $generator was not built"; exit 1; }

width=1024
height=768
work=$(mktemp -d)
xvfb_pid=
viewer_pid=
cleanup() {
  if [ -n "${VIEWER_XVFB_SHOTS:-}" ] && command -v convert > /dev/null; then
    mkdir -p "$VIEWER_XVFB_SHOTS"
    for raw in "$work"/*.raw; do
      [ -e "$raw" ] || continue
      convert -size ${width}x${height} -depth 8 "bgra:$raw" -alpha off "$VIEWER_XVFB_SHOTS/$(basename "$raw" .raw).png"
    done
  fi
  [ -n "$viewer_pid" ] && kill "$viewer_pid" 2> /dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null || true
  wait 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

"$generator" --out "$work/city" --seed 7 --buildings 500 > /dev/null

. "$(dirname "${BASH_SOURCE[0]}")/lib/xvfb.sh"
start_xvfb "$work" "$width" "$height" viewer_xvfb

(cd "$work/city" && exec "$viewer") > "$work/viewer.log" 2>&1 &
viewer_pid=$!

fail() {
  echo "viewer_xvfb: $*"
  echo "--- viewer output:"
  cat "$work/viewer.log"
  exit 1
}

running() { kill -0 "$viewer_pid" 2> /dev/null; }

# The screen as raw pixels (the last width x height x 4 bytes of the dump).
shot() { xwd -root -silent | tail -c $((width * height * 4)) > "$work/$1.raw"; }

# A picture of the plan has many colours; a blank or half-made screen has one or two.
colours() { od -An -v -tx4 -w4 "$work/$1.raw" | awk '!seen[$1]++ { n++ } END { print n + 0 }'; }

# Waits until the screen stops changing, then keeps it as $1.
settle() {
  local previous=""
  for _ in $(seq 60); do
    running || fail "the viewer ended while showing $1"
    sleep 0.3
    shot "$1"
    local sum
    sum=$(cksum < "$work/$1.raw")
    [ "$sum" = "$previous" ] && return 0
    previous=$sum
  done
  fail "the screen did not settle for $1"
}

# Takes the screen after a step and checks it against the screen before.
step() {
  local before=$1 after=$2
  settle "$after"
  [ "$(colours "$after")" -ge 5 ] || fail "the screen is blank after: $after"
  cmp -s "$work/$before.raw" "$work/$after.raw" && fail "nothing changed on the screen with: $after"
  echo "viewer_xvfb: $after ok"
}

settle overview
[ "$(colours overview)" -ge 5 ] || fail "the overview is blank"
echo "viewer_xvfb: overview ok"

# A Ctrl-drag over the plan half of the overview zooms into the detailed plan, here into the
# built-up part of the town.
xdotool mousemove 640 400 keydown ctrl sleep 0.3 mousedown 1 sleep 0.2 mousemove 680 440 sleep 0.2 \
  mousemove 720 470 sleep 0.2 mouseup 1 sleep 0.2 keyup ctrl
step overview zoom_rectangle

xdotool key plus
step zoom_rectangle plus

xdotool key Right
step plus arrow_right

xdotool mousemove 500 400 keydown shift sleep 0.3 mousedown 1 sleep 0.2 mousemove 560 420 sleep 0.2 \
  mousemove 640 450 sleep 0.2 mouseup 1 sleep 0.2 keyup shift
step arrow_right shift_drag

xdotool key Prior
step shift_drag page_up
# Back is the view before the Shift-drag.
cmp -s "$work/arrow_right.raw" "$work/page_up.raw" || fail "Page Up did not show the view before the drag again"

# "View" is the first menu of the bar; "Night" its fourth item.
open_view_menu() {
  xdotool mousemove 20 8 click 1
  sleep 0.7
}
open_view_menu
xdotool key Down Down Down Down Return
xdotool mousemove 500 400
step page_up night

# The overview keeps its day colours whatever the mode.
xdotool key Home
step night home
cmp -s "$work/overview.raw" "$work/home.raw" || fail "Home did not show the overview again"

# "Exit" is the last item of "View".
open_view_menu
xdotool key Up Return
for _ in $(seq 100); do
  running || break
  sleep 0.1
done
running && fail "View > Exit did not end the viewer"
set +e
wait "$viewer_pid"
code=$?
set -e
viewer_pid=
[ "$code" -eq 0 ] || fail "the viewer ended with code $code"
echo "viewer_xvfb: ok"
