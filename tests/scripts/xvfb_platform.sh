#!/usr/bin/env bash
# Starts the main window on a virtual X display with a dialog open (the street search, then the
# object search), takes a screenshot of each and checks that something was drawn. The pictures
# stay in the build folder (xvfb_platform_<dialog>.png) for a person to look at.
set -euo pipefail
build="${1:?build folder}"
demo="$build/tools/platform-demo/platform-demo"

for tool in xvfb-run xwd convert; do
  if ! command -v "$tool" > /dev/null; then
    echo "xvfb_platform: $tool is needed (scripts/install-deps.sh installs it)"
    exit 1
  fi
done
if [ ! -x "$demo" ]; then
  echo "xvfb_platform: $demo was not built"
  exit 1
fi

# The tests run headless; this one wants the X display.
unset QT_QPA_PLATFORM

for dialog in 130 209; do
  shot="$build/xvfb_platform_$dialog.png"
  rm -f "$shot"
  xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
    '$demo' --dialog $dialog --seconds 4 &
    pid=\$!
    sleep 2.5
    xwd -root -silent | convert xwd:- '$shot'
    wait \$pid
  "
  if [ ! -s "$shot" ]; then
    echo "no screenshot for dialog $dialog"
    exit 1
  fi
  # A blank screen has no spread of colours.
  spread=$(convert "$shot" -format '%[fx:standard_deviation]' info:)
  if awk -v s="$spread" 'BEGIN { exit !(s < 0.02) }'; then
    echo "screenshot for dialog $dialog is blank ($spread)"
    exit 1
  fi
  echo "dialog $dialog: $shot (spread $spread)"
done
