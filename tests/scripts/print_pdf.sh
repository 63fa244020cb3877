#!/usr/bin/env bash
# Printing without a printer: plan-render --print puts one page of a generated town into a PDF
# file, which poppler renders back to pixels. A black and white page has no coloured pixel, a
# colour page has the plan's colours, the frame runs round the page and the title sits in the
# top left corner on white. Bad print arguments are refused with exit code 2.
set -euo pipefail
build_dir=$(cd "$1" && pwd)
tool=$build_dir/tools/plan-render/plan-render
generate=$build_dir/tools/plan-generate/plan-generate
for needed in pdftoppm pdfinfo convert; do
  command -v "$needed" > /dev/null || { echo "print_pdf: $needed is missing (poppler-utils, imagemagick)"; exit 1; }
done
[ -x "$tool" ] && [ -x "$generate" ] || { echo "print_pdf: build plan-render and plan-generate first"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

refuse() {
  local expected=$1
  shift
  set +e
  "$tool" "$@" > "$work/out" 2> "$work/err"
  local code=$?
  set -e
  [ $code -eq 2 ] || { echo "exit $code for: $*"; cat "$work/err"; exit 1; }
  grep -q "$expected" "$work/err" || { echo "no '$expected' for: $*"; cat "$work/err"; exit 1; }
  grep -q "usage: plan-render" "$work/err" || { echo "no usage line for: $*"; exit 1; }
}
refuse "bad print colours" --dir "$work" --print sepia -o x.pdf
refuse "bad page" --dir "$work" --print bw --page A5 -o x.pdf
refuse "bad page" --dir "$work" --print bw --page A4,sideways -o x.pdf
refuse "bad dpi" --dir "$work" --print bw --dpi 10 -o x.pdf
refuse "bad dpi" --dir "$work" --print bw --dpi 96x -o x.pdf
refuse "go with --print" --dir "$work" --overview --page A3 -o x.png
refuse "exactly one of --overview and --view" --dir "$work" --print color --overview --view 1,2,3,4 -o x.pdf
refuse "give -o FILE.pdf" --dir "$work" --print color
refuse "needs a value" --dir "$work" -o x.pdf --print

"$generate" --out "$work/town" --seed 7 --buildings 500 > /dev/null
view=5000,6500,6000,7500

# Largest difference between the channels of any pixel: 0 on a grey page.
chroma() { convert "$1" -fx 'max(r,max(g,b))-min(r,min(g,b))' -format '%[fx:maxima]' info:; }
# Pixels of exactly one colour.
count_colour() { convert "$1" txt:- | grep -ci "$2" || true; }
# Darkest and lightest value of a region WxH+X+Y of an image.
darkest() { convert "$1" -crop "$2" -format '%[fx:minima]' info:; }
lightest() { convert "$1" -crop "$2" -format '%[fx:maxima]' info:; }
is_zero() { awk -v v="$1" 'BEGIN { exit !(v == 0) }'; }
above() { awk -v v="$1" -v t="$2" 'BEGIN { exit !(v > t) }'; }

for mode in "Windows on clock" Flat Night; do
  "$tool" --dir "$work/town" --mode "$mode" --view $view --print bw --dpi 150 -o "$work/bw.pdf"
  pdftoppm -r 40 "$work/bw.pdf" "$work/bw"
  is_zero "$(chroma "$work/bw-1.ppm")" || { echo "a coloured pixel on the black and white page ($mode)"; exit 1; }
  above "$(count_colour "$work/bw-1.ppm" '#C8C8C8')" 100 || { echo "no grey buildings ($mode)"; exit 1; }
done

# Colour: 3D roofs of apartment blocks (#AAA082) and the inner line of the streets (#C8C8AA)
# at detail level 2; "Flat" footprints of apartments (#899A7D); night water (#000064).
"$tool" --dir "$work/town" --view $view --print color --dpi 150 -o "$work/colour.pdf"
pdftoppm -r 40 "$work/colour.pdf" "$work/colour"
above "$(chroma "$work/colour-1.ppm")" 0.2 || { echo "the colour page is grey"; exit 1; }
for colour in '#AAA082' '#C8C8AA'; do
  above "$(count_colour "$work/colour-1.ppm" "$colour")" 100 || { echo "no $colour on the colour page"; exit 1; }
done
"$tool" --dir "$work/town" --mode Flat --view $view --print color --dpi 150 -o "$work/flat.pdf"
pdftoppm -r 40 "$work/flat.pdf" "$work/flat"
above "$(count_colour "$work/flat-1.ppm" '#899A7D')" 100 || { echo "no Flat apartment colour"; exit 1; }

# The frame and the title at 300 pixels per inch (a frame of 5 pixels on the line 5 pixels in,
# so pixels 2 to 7; a title font of 47 pixels written 23 pixels in), rendered at the same
# resolution: A4 portrait is 2480 x 3508 pixels.
"$tool" --dir "$work/town" --view $view --print color --dpi 300 -o "$work/frame.pdf"
pdfinfo "$work/frame.pdf" | grep -q "Page size: *595\(\.[0-9]*\)\? x 841\.[0-9]* pts\|Page size: *595\(\.[0-9]*\)\? x 842 pts" ||
  { pdfinfo "$work/frame.pdf"; echo "not an A4 portrait page"; exit 1; }
pdftoppm -r 300 -x 0 -y 0 -W 600 -H 600 -png "$work/frame.pdf" "$work/corner"
pdftoppm -r 300 -x 2280 -y 3308 -W 200 -H 200 -png "$work/frame.pdf" "$work/far"
is_zero "$(lightest "$work/corner-1.png" 1x1+5+400)" || { echo "no frame on the left"; exit 1; }
is_zero "$(lightest "$work/corner-1.png" 1x1+400+5)" || { echo "no frame at the top"; exit 1; }
is_zero "$(lightest "$work/far-1.png" 1x1+193+100)" || { echo "no frame on the right"; exit 1; }
is_zero "$(lightest "$work/far-1.png" 1x1+100+193)" || { echo "no frame at the bottom"; exit 1; }
above "$(darkest "$work/corner-1.png" 1x1+0+400)" 0.9 || { echo "the frame reaches the edge of the sheet"; exit 1; }
# The title: black letters on white over the coloured plan.
convert "$work/corner-1.png" -crop 420x40+30+30 "$work/title.png"
is_zero "$(darkest "$work/title.png" 420x40+0+0)" || { echo "no title in the top left corner"; exit 1; }
is_zero "$(chroma "$work/title.png")" || { echo "the title is not written on white"; exit 1; }

# Other sheets: landscape is wider than high; the whole map prints without a view.
"$tool" --dir "$work/town" --view $view --print bw --page A3,landscape --dpi 100 -o "$work/a3.pdf"
pdfinfo "$work/a3.pdf" | grep -q "Page size: *119[01]\(\.[0-9]*\)\? x 84[12]\(\.[0-9]*\)\? pts" ||
  { pdfinfo "$work/a3.pdf"; echo "not an A3 landscape page"; exit 1; }
"$tool" --dir "$work/town" --print color --page Letter --dpi 100 -o "$work/whole.pdf"
pdfinfo "$work/whole.pdf" | grep -q "Page size: *61[12]\(\.[0-9]*\)\? x 79[12]\(\.[0-9]*\)\? pts" ||
  { pdfinfo "$work/whole.pdf"; echo "not a Letter page"; exit 1; }
pdftoppm -r 40 "$work/whole.pdf" "$work/whole"
above "$(chroma "$work/whole-1.ppm")" 0.2 || { echo "the whole map printed grey"; exit 1; }
echo "print_pdf: ok"
