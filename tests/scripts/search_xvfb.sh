#!/usr/bin/env bash
# The street search as a user meets it, on a virtual screen: start the viewer in a generated
# small town, press F2, type the beginning of a street that has houses, Enter (the focus goes to
# the house edit), type the number of its first house and click "Show". The dialog must close,
# the view must move away from the whole-city overview, and one flag (a small yellow box with a
# red edge) must stand on the plan. At the end View > Exit must end the program with code 0.
# Usage: search_xvfb.sh <build dir> <source dir>
# With SEARCH_XVFB_SHOTS set to a folder, the screens are kept there as PNG files (ImageMagick).
set -euo pipefail
build_dir=$(cd "$1" && pwd)

for tool in Xvfb xdotool xwd od awk; do
  command -v "$tool" > /dev/null || { echo "search_xvfb: $tool is needed (xvfb, xdotool, x11-apps)"; exit 1; }
done

viewer=$build_dir/src/korvinsk-plan
generator=$build_dir/tools/plan-generate/plan-generate
query=$build_dir/tools/plan-query/plan-query
for program in "$viewer" "$generator" "$query"; do
  [ -x "$program" ] || { echo "search_xvfb: $program was not built"; exit 1; }
done

width=1024
height=768
work=$(mktemp -d)
xvfb_pid=
viewer_pid=
cleanup() {
  if [ -n "${SEARCH_XVFB_SHOTS:-}" ] && command -v convert > /dev/null; then
    mkdir -p "$SEARCH_XVFB_SHOTS"
    for raw in "$work"/*.raw; do
      [ -e "$raw" ] || continue
      convert -size ${width}x${height} -depth 8 "bgra:$raw" -alpha off "$SEARCH_XVFB_SHOTS/$(basename "$raw" .raw).png"
    done
  fi
  [ -n "$viewer_pid" ] && kill "$viewer_pid" 2> /dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null || true
  wait 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

"$generator" --out "$work/city" --seed 7 --buildings 500 > /dev/null

# A street with houses, found the way the dialog finds it: for each street that has a house list,
# in table order, the shortest beginning of its name (four letters or more) that selects it.
# Its first house is the one to pick.
command -v python3 > /dev/null || { echo "search_xvfb: python3 is needed to read the street names"; exit 1; }
inspect=$build_dir/tools/plan-inspect/plan-inspect
[ -x "$inspect" ] || { echo "search_xvfb: $inspect was not built"; exit 1; }
"$inspect" --records street_names "$work/city" | python3 -c '
import json, sys
for i, rec in enumerate(json.load(sys.stdin)["records"]["g_street_names"]):
    if rec["kind"] not in (0, 100):
        print(i, rec["name"].lower())' > "$work/streets"
street_text=
house_text=
while read -r index name; do
  first=$(cd "$work/city" && "$query" houses "$index" | sed -n 's/.*"text": "\([0-9A-Za-z/]*\).*/\1/p' | head -n 1)
  [ -n "$first" ] || continue
  for length in 4 5 6 7 8 9 10; do
    beginning=${name:0:$length}
    # Only letters are typed: the beginning stops before a blank, a dot or a sign.
    [[ "$beginning" =~ ^[a-z]+$ ]] || break
    found=$(cd "$work/city" && "$query" street "$beginning" | sed -n 's/.*"index": \(-\{0,1\}[0-9]*\).*/\1/p')
    if [ "$found" = "$index" ]; then
      street_text=$beginning
      house_text=$first
      break 2
    fi
  done
done < "$work/streets"
[ -n "$street_text" ] || { echo "search_xvfb: the generated town has no street with houses to find"; exit 1; }
echo "search_xvfb: street '$street_text', house '$house_text'"

. "$(dirname "${BASH_SOURCE[0]}")/lib/xvfb.sh"
start_xvfb "$work" "$width" "$height" search_xvfb

(cd "$work/city" && exec "$viewer") > "$work/viewer.log" 2>&1 &
viewer_pid=$!

fail() {
  echo "search_xvfb: $*"
  echo "--- viewer output:"
  cat "$work/viewer.log"
  exit 1
}

running() { kill -0 "$viewer_pid" 2> /dev/null; }

shot() { xwd -root -silent | tail -c $((width * height * 4)) > "$work/$1.raw"; }

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

# The pixels of one colour (RRGGBB, lower case) on a screen: their count and the box around them
# as "count xmin ymin xmax ymax".
colour_box() {
  od -An -v -tx4 -w4 "$work/$1.raw" | awk -v want="$2" -v w="$width" '
    substr($1, 3) == want { i = NR - 1; x = i % w; y = int(i / w); n++
      if (n == 1 || x < x0) x0 = x; if (n == 1 || x > x1) x1 = x
      if (n == 1 || y < y0) y0 = y; if (n == 1 || y > y1) y1 = y }
    END { print n + 0, x0 + 0, y0 + 0, x1 + 0, y1 + 0 }'
}

# The red pixels within the box given, widened by two pixels.
red_near() {
  od -An -v -tx4 -w4 "$work/$1.raw" | awk -v w="$width" -v x0="$2" -v y0="$3" -v x1="$4" -v y1="$5" '
    substr($1, 3) == "ff0000" { i = NR - 1; x = i % w; y = int(i / w)
      if (x >= x0 - 2 && x <= x1 + 2 && y >= y0 - 2 && y <= y1 + 2) n++ }
    END { print n + 0 }'
}

dialog_window() { xdotool search --name "Where is street, where is house" 2> /dev/null | head -n 1 || true; }

settle overview
read -r yellow_before _ < <(colour_box overview ffff00)
echo "search_xvfb: overview ok"

xdotool mousemove 700 400 sleep 0.2 key F2
dialog=
for _ in $(seq 50); do
  dialog=$(dialog_window)
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || fail "F2 did not open the street search"
settle dialog

xdotool type --delay 80 "$street_text"
sleep 0.3
# Enter with a street and no house takes the focus to the house edit, which lists the houses.
xdotool key Return
sleep 0.3
xdotool type --delay 80 "$house_text"
settle typed
cmp -s "$work/dialog.raw" "$work/typed.raw" && fail "typing in the dialog changed nothing on the screen"

# "Show" sits at (175, 151) in dialog units, 88 x 14 large, in a dialog of 270 x 190.
eval "$(xdotool getwindowgeometry --shell "$dialog")"
show_x=$((X + WIDTH * 219 / 270))
show_y=$((Y + HEIGHT * 158 / 190))
xdotool mousemove "$show_x" "$show_y" sleep 0.2 click 1
for _ in $(seq 50); do
  [ -z "$(dialog_window)" ] && break
  sleep 0.1
done
[ -z "$(dialog_window)" ] || fail "\"Show\" did not close the dialog"
xdotool mousemove 5 760
settle shown
cmp -s "$work/overview.raw" "$work/shown.raw" && fail "the view did not move"

read -r yellow x0 y0 x1 y1 < <(colour_box shown ffff00)
[ "$yellow" -gt "$yellow_before" ] || fail "no flag on the plan (yellow pixels: $yellow_before before, $yellow after)"
flag_w=$((x1 - x0 + 1))
flag_h=$((y1 - y0 + 1))
# One flag: a box some pixels across, nearly filled with yellow.
[ "$flag_w" -ge 4 ] && [ "$flag_w" -le 60 ] && [ "$flag_h" -ge 2 ] && [ "$flag_h" -le 40 ] ||
  fail "the yellow on the plan is no single flag ($flag_w x $flag_h pixels at $x0,$y0)"
[ $((yellow * 2)) -ge $((flag_w * flag_h)) ] || fail "the flag's box is not filled ($yellow of $flag_w x $flag_h)"
[ "$(red_near shown "$x0" "$y0" "$x1" "$y1")" -ge 4 ] || fail "the flag has no red edge"
echo "search_xvfb: flag of $flag_w x $flag_h pixels at $x0,$y0"

# "Exit" is the last item of "View".
xdotool mousemove 20 8 click 1
sleep 0.7
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
echo "search_xvfb: ok"
