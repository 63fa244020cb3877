#!/usr/bin/env bash
# A monkey at the keyboard: starts the viewer of this build on a virtual screen in a generated town
# and drives it with a seeded random mix of what a user does: the navigation keys (with
# auto-repeat), clicks, drags with and without Shift and Ctrl, right clicks, every menu command,
# the function keys of the searches, typing into whatever has the focus, Escape and Enter at random
# moments, and window resizes. It watches for a crash, a sanitizer report, a hang (the plan not
# repainted within 10 s of a key that changes it, twice in a row) and growing memory, and ends
# the viewer through View > Exit, which must give code 0 (in a sanitizer build that includes the
# leak check).
# Usage: monkey_xvfb.sh <build dir> <source dir>
# MONKEY_SECONDS (default 60) and MONKEY_SEED (default 1) choose how long and which mix.
set -euo pipefail
build_dir=$(cd "$1" && pwd)
seconds=${MONKEY_SECONDS:-60}
seed=${MONKEY_SEED:-1}

for tool in Xvfb xdotool xwd; do
  command -v "$tool" > /dev/null || { echo "monkey: $tool is needed (scripts/install-deps.sh installs it)"; exit 1; }
done
viewer=$build_dir/src/korvinsk-plan
generator=$build_dir/tools/plan-generate/plan-generate
[ -x "$viewer" ] || { echo "monkey: $viewer was not built"; exit 1; }
[ -x "$generator" ] || { echo "monkey: $generator was not built"; exit 1; }

width=1024
height=768
work=$(mktemp -d)
xvfb_pid=
viewer_pid=
cleanup() {
  [ -n "$viewer_pid" ] && kill -9 "$viewer_pid" 2> /dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null || true
  wait 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

"$generator" --out "$work/city" --seed 11 --buildings 400 > /dev/null
. "$(dirname "${BASH_SOURCE[0]}")/lib/xvfb.sh"
start_xvfb "$work" "$width" "$height" monkey
# Whatever the monkey prints or saves lands in the scratch folder.
export HOME=$work/home
mkdir -p "$HOME"
# A small quarantine keeps the sanitizer's own memory from hiding a real growth.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:quarantine_size_mb=16"


fail() {
  echo "monkey (seed $seed): $*"
  echo "--- the last actions:"
  tail -n 25 "$work/actions.log" 2> /dev/null || true
  echo "--- viewer output:"
  tail -n 80 "$work/viewer.log"
  exit 1
}
running() { kill -0 "$viewer_pid" 2> /dev/null; }
reported() { grep -Eq 'ERROR: (Address|Leak)Sanitizer|runtime error:|AddressSanitizer' "$work/viewer.log"; }
restarts=0
check_alive() {
  reported && fail "a sanitizer report"
  running && return 0
  # The monkey may have chosen View > Exit itself: that must end the viewer cleanly, and the
  # monkey starts it again.
  set +e
  wait "$viewer_pid"
  local code=$?
  set -e
  viewer_pid=
  reported && fail "a sanitizer report"
  [ "$code" -eq 0 ] || fail "the viewer ended with code $code (crash?)"
  restarts=$((restarts + 1))
  [ $restarts -le 20 ] || fail "the viewer ended too often"
  echo "the viewer ended with code 0; started again" >> "$work/actions.log"
  start_viewer
}
start_viewer() {
  (cd "$work/city" && exec "$viewer") >> "$work/viewer.log" 2>&1 &
  viewer_pid=$!
  main_window=
  for _ in $(seq 200); do
    running || fail "the viewer ended while starting"
    main_window=$(xdotool search --onlyvisible --name '^Korvinsk. Address plan$' 2> /dev/null | head -n 1 || true)
    [ -n "$main_window" ] && break
    sleep 0.2
  done
  [ -n "$main_window" ] || fail "no main window appeared"
  sleep 2
}
shot() { xwd -root -silent | tail -c $((width * height * 4)) | cksum; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$viewer_pid/status" 2> /dev/null || echo 0; }

start_viewer
check_alive

# Waits until the screen stops changing; prints its checksum.
settle() {
  local previous="" now
  for _ in $(seq 40); do
    sleep 0.25
    now=$(shot)
    [ "$now" = "$previous" ] && { echo "$now"; return 0; }
    previous=$now
  done
  echo "$previous"
}

# Closes what may be open and gives the main window the keys again.
calm_down() {
  xdotool key Escape sleep 0.3 key Escape sleep 0.3 key Escape
  local w
  for w in $(xdotool search --onlyvisible --pid "$viewer_pid" 2> /dev/null || true); do
    [ "$w" = "$main_window" ] && continue
    xdotool windowfocus "$w" key Escape 2> /dev/null || true
    sleep 0.2
  done
  # What stays open (the help, the palette) is moved off the screen, out of the way of the plan
  # and of the keys; there is no window manager to put it behind.
  for w in $(xdotool search --onlyvisible --pid "$viewer_pid" 2> /dev/null || true); do
    [ "$w" = "$main_window" ] || xdotool windowmove "$w" $((width + 100)) 0 2> /dev/null || true
  done
  xdotool windowraise "$main_window" windowfocus "$main_window" 2> /dev/null || true
  sleep 0.3
}

# The viewer must still answer: Home, then "+" must change the screen within 10 s. On a loaded
# machine (the other tests run beside this one) a single slow answer is not yet a hang: the viewer
# gets a second chance, and only two misses in a row fail.
answers() {
  calm_down
  xdotool key Home
  local home
  home=$(settle)
  xdotool key plus
  local deadline=$((SECONDS + 10))
  while [ $SECONDS -lt $deadline ]; do
    check_alive
    [ "$(shot)" != "$home" ] && return 0
    sleep 0.3
  done
  return 1
}
check_responds() {
  answers && return 0
  echo "no repaint within 10 s; the viewer is $(awk '{ print $3 }' "/proc/$viewer_pid/stat" 2> /dev/null)," \
       "$(awk '{ print ($14 + $15) / 100 " s of CPU" }' "/proc/$viewer_pid/stat" 2> /dev/null); trying again" >> "$work/actions.log"
  answers && return 0
  echo "--- the viewer's windows:"
  for w in $(xdotool search --onlyvisible --pid "$viewer_pid" 2> /dev/null || true); do
    echo "$w $(xdotool getwindowname "$w" 2> /dev/null) $(xdotool getwindowgeometry "$w" 2> /dev/null | tr '\n' ' ')"
  done
  echo "--- the viewer's state: $(awk '{ print $3, ($14 + $15) / 100 " s of CPU" }' "/proc/$viewer_pid/stat" 2> /dev/null)"
  if [ -n "${MONKEY_SHOTS:-}" ] && command -v import > /dev/null; then
    mkdir -p "$MONKEY_SHOTS" && import -window root "$MONKEY_SHOTS/hang-$seed.png" || true
  fi
  fail "no repaint within 10 s, twice in a row (hang?)"
}

rand() { echo $((RANDOM % $1)); }
x_on_plan() { echo $((20 + RANDOM % (width - 40))); }
y_on_plan() { echo $((40 + RANDOM % (height - 60))); }
act() { echo "$*" >> "$work/actions.log"; xdotool "$@" 2> /dev/null || true; }

keys=(plus minus asterisk slash Left Right Up Down Prior Home KP_Add KP_Subtract KP_Multiply KP_Divide
      Escape Return Tab space BackSpace F2 F3 F4 F5)
letters=(a b e l n o r s t u 1 2 3 0 Cyrillic_a Cyrillic_el Cyrillic_en Cyrillic_o comma slash minus)

RANDOM=$seed
check_responds
rss_start=$(rss_kb)
end=$((SECONDS + seconds))
next_check=$((SECONDS + 20))
count=0
while [ $SECONDS -lt $end ]; do
  check_alive
  case $(rand 20) in
    0|1|2|3) act key "${keys[$(rand ${#keys[@]})]}" ;;
    4) # a key held down long enough to repeat
       k=${keys[$(rand 10)]}
       act keydown "$k" sleep 0.$((5 + $(rand 5))) keyup "$k" ;;
    5|6) act mousemove "$(x_on_plan)" "$(y_on_plan)" click 1 ;;
    7) act mousemove "$(x_on_plan)" "$(y_on_plan)" click 3 ;;
    8) act mousemove "$(x_on_plan)" "$(y_on_plan)" keydown ctrl click 3 keyup ctrl ;;
    9|10) # a drag, plain, with Ctrl or with Shift
       mod=(none ctrl shift)
       m=${mod[$(rand 3)]}
       x=$(x_on_plan); y=$(y_on_plan)
       if [ "$m" = none ]; then
         act mousemove "$x" "$y" mousedown 1 mousemove $((x + 30)) $((y + 20)) mousemove $((x + 90)) $((y + 60)) mouseup 1
       else
         act mousemove "$x" "$y" keydown "$m" mousedown 1 mousemove $((x + 30)) $((y + 20)) \
           mousemove $((x + 90)) $((y + 60)) mouseup 1 keyup "$m"
       fi ;;
    11|12) # a menu command: one of the five menus, one of its items
       act mousemove 20 8 click 1 sleep 0.4
       for _ in $(seq "$(rand 5)"); do act key Right; done
       for _ in $(seq "$(rand 12)"); do act key Down; done
       act key Return ;;
    13|14|15) # typing into whatever has the focus
       for _ in $(seq $((1 + $(rand 6)))); do act key "${letters[$(rand ${#letters[@]})]}"; done ;;
    16) act mousemove "$(x_on_plan)" "$(y_on_plan)" ;;
    17) act key Escape ;;
    18) act key Return ;;
    19) # the window resized now and then
       if [ "$(rand 3)" -eq 0 ]; then
         act windowsize "$main_window" $((500 + $(rand 520))) $((350 + $(rand 410)))
       fi ;;
  esac
  count=$((count + 1))
  sleep 0.0$((RANDOM % 10))
  if [ $SECONDS -ge $next_check ]; then
    check_responds
    next_check=$((SECONDS + 20))
  fi
done
check_responds
rss_end=$(rss_kb)
[ $restarts -eq 0 ] || rss_start=$rss_end
echo "monkey (seed $seed): $count actions in $seconds s, $restarts times ended by the monkey; resident memory ${rss_start} kB -> ${rss_end} kB"
[ $((rss_end - rss_start)) -lt 200000 ] || fail "resident memory grew by $(((rss_end - rss_start) / 1024)) MB"

# The end: View > Exit, as a user leaves.
calm_down
xdotool windowsize "$main_window" $width $height 2> /dev/null || true
sleep 0.5
xdotool mousemove 20 8 click 1
sleep 0.7
xdotool key Up Return
for _ in $(seq 300); do
  running || break
  sleep 0.1
done
running && fail "View > Exit did not end the viewer"
set +e
wait "$viewer_pid"
code=$?
set -e
viewer_pid=
reported && fail "a sanitizer report at exit"
[ "$code" -eq 0 ] || fail "the viewer ended with code $code"
echo "monkey (seed $seed): ok"
