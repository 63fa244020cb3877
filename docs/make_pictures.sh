#!/bin/sh
# Regenerates the pictures of the README from the default city: the overview the viewer opens
# with, the old town by the harbour, the port and a housing estate, each 1024 x 640.
#   docs/make_pictures.sh [BUILD_FOLDER]     (default: build)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
generate="$build/tools/plan-generate/plan-generate"
render="$build/tools/plan-render/plan-render"
for tool in "$generate" "$render"; do
  if [ ! -x "$tool" ]; then
    echo "make_pictures: $tool is missing; build the targets plan-generate and plan-render" >&2
    exit 1
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$generate" --out "$work/city" >/dev/null
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
size=1024x640
# name, view (x north, y east, metres) or "overview", display mode
while read -r name view mode; do
  if [ "$view" = overview ]; then
    "$render" --dir "$work/city" --overview --size $size -o "$here/$name.png"
  else
    "$render" --dir "$work/city" --view "$view" --size $size --mode "$mode" -o "$here/$name.png"
  fi
  echo "docs/$name.png"
done <<'LIST'
overview overview Flat
old-town 4700,6200,6300,8800 Windows on clock
port 3000,8300,4300,10400 Graphic
estate 4500,3900,5500,5500 Night
LIST
