# Shared by the scripts that run the viewer on a virtual screen; sourced, not run as a test.

# start_xvfb WORK WIDTH HEIGHT NAME: starts Xvfb on a free display (it picks the number itself and
# writes it, so parallel runs do not collide), sets xvfb_pid and DISPLAY and gives the viewer the
# real display instead of the tests' headless platform. Ends the script, saying why, if Xvfb does
# not start.
start_xvfb() {
  local work=$1 width=$2 height=$3 name=$4
  Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || { echo "$name: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
  export DISPLAY=":$(head -n 1 "$work/display")"
  export QT_QPA_PLATFORM=xcb
}
