#!/usr/bin/env bash
# plan-render as scripts use it: bad command lines are refused with a message, a folder without a
# plan is an error, and a generated town comes out as PNG images of the asked size.
set -euo pipefail
build_dir=$(cd "$1" && pwd)
tool=$build_dir/tools/plan-render/plan-render
generate=$build_dir/tools/plan-generate/plan-generate
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Exit code 2 and a line naming the fault, for each bad command line.
refuse() {
  local expected=$1
  shift
  set +e
  "$tool" "$@" > "$work/out" 2> "$work/err"
  local code=$?
  set -e
  [ $code -eq 2 ] || { echo "exit $code for: $*"; cat "$work/err"; exit 1; }
  grep -q "$expected" "$work/err" || { echo "no '$expected' for: $*"; cat "$work/err"; exit 1; }
}
refuse "data folder is missing" --overview -o x.png
refuse "exactly one of --overview and --view" --dir "$work"  -o x.png
refuse "exactly one of --overview and --view" --dir "$work" --overview --view 1,2,3,4 -o x.png
refuse "output file is missing" --dir "$work" --overview
refuse "bad size" --dir "$work" --overview --size 1920 -o x.png
refuse "bad size" --dir "$work" --overview --size 10x10 -o x.png
refuse "bad size" --dir "$work" --overview --size 99999x100 -o x.png
refuse "unknown display mode" --dir "$work" --overview --mode Sepia -o x.png
refuse "unknown display mode" --dir "$work" --overview --mode 32827 -o x.png
refuse "bad view" --dir "$work" --view 1,2,3 -o x.png
refuse "bad view" --dir "$work" --view 1,2,3,4,5 -o x.png
refuse "bad view" --dir "$work" --view 5,2,3,4 -o x.png
refuse "bad view" --dir "$work" --view a,b,c,d -o x.png
refuse "unknown argument" --dir "$work" --overview -o x.png --fast
refuse "needs a value" --dir "$work" --overview -o
"$tool" --help | grep -q "usage: plan-render"

mkdir "$work/empty"
if "$tool" --dir "$work/empty" --overview -o "$work/none.png" 2> "$work/err"; then
  echo "a folder without a plan must fail"; exit 1
fi
grep -q "no plan could be loaded" "$work/err" || { cat "$work/err"; exit 1; }
[ ! -e "$work/none.png" ] || { echo "no image may be written without a plan"; exit 1; }
if "$tool" --dir "$work/no-such-folder" --overview -o "$work/none.png" 2> "$work/err"; then
  echo "a missing folder must fail"; exit 1
fi
grep -q "cannot open the data folder" "$work/err" || { cat "$work/err"; exit 1; }

# Width and height from the PNG header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }

"$generate" --out "$work/town" --buildings 300 > /dev/null
# The output path is taken from where the tool starts, not from the data folder.
(cd "$work" && "$tool" --dir town --overview --size 800x600 -o overview.png)
[ "$(png_size "$work/overview.png")" = "800x600" ] || { echo "overview size $(png_size "$work/overview.png")"; exit 1; }
"$tool" --dir "$work/town" --mode Night --view 9000,4000,11000,7000 -o "$work/night.png"
[ "$(png_size "$work/night.png")" = "1920x1080" ] || { echo "default size"; exit 1; }
"$tool" --dir "$work/town" --mode 32775 --view 9000,4000,11000,7000 -o "$work/flat.png"
cmp -s "$work/night.png" "$work/flat.png" && { echo "Night and Flat must differ"; exit 1; }
# A view wider than the whole plan cannot be shown.
if "$tool" --dir "$work/town" --view 0,0,90000,90000 -o "$work/big.png" 2> "$work/err"; then
  echo "a view larger than the plan must fail"; exit 1
fi
grep -q "larger than the whole plan" "$work/err" || { cat "$work/err"; exit 1; }
echo "plan-render: ok"
