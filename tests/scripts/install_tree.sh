#!/usr/bin/env bash
# Installs the build into a temporary prefix as a user or packager would and checks the tree: the
# programs, the launcher, the desktop entry and metainfo (validated by the desktop's own tools),
# the icons and the manual pages; then the viewer's command line from there.
# Usage: install_tree.sh <build dir> <source dir>
set -euo pipefail
build_dir=$(cd "$1" && pwd)
for tool in desktop-file-validate appstreamcli man timeout; do
  command -v "$tool" > /dev/null || { echo "install_tree: $tool is needed (scripts/install-deps.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build_dir" --prefix "$prefix" > "$work/install.log"

fail() { echo "install_tree: $*"; exit 1; }
for program in korvinsk-plan korvinsk-plan-launcher plan-generate plan-render plan-inspect plan-query; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing"
done
for page in korvinsk-plan plan-generate plan-render plan-inspect plan-query; do
  [ -f "$prefix/share/man/man1/$page.1" ] || fail "the manual page of $page is missing"
  man --warnings -l "$prefix/share/man/man1/$page.1" > /dev/null 2> "$work/man.err"
  [ ! -s "$work/man.err" ] || { cat "$work/man.err"; fail "the manual page of $page has faults"; }
done
# Every program installed has its manual page.
for program in "$prefix"/bin/*; do
  name=$(basename "$program")
  [ "$name" = korvinsk-plan-launcher ] && continue
  [ -f "$prefix/share/man/man1/$name.1" ] || fail "$name has no manual page"
done
desktop-file-validate "$prefix/share/applications/korvinsk-plan.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.korvinsk.plan.metainfo.xml" > "$work/as.log" 2>&1 ||
  { cat "$work/as.log"; fail "the metainfo is not valid"; }
[ -f "$prefix/share/icons/hicolor/scalable/apps/korvinsk-plan.svg" ] || fail "the scalable icon is missing"
grep -q '<rect ' "$prefix/share/icons/hicolor/scalable/apps/korvinsk-plan.svg" || fail "the scalable icon is empty"
for size in 16 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/korvinsk-plan.png
  [ -f "$icon" ] || fail "the ${size}px icon is missing"
  file "$icon" | grep -q "PNG image data, $size x $size" || fail "the ${size}px icon is not a PNG of that size"
done

# The viewer's command line, run from the installed tree.
viewer=$prefix/bin/korvinsk-plan
export QT_QPA_PLATFORM=offscreen
"$viewer" --version | grep -Eq '^korvinsk-plan [0-9]+\.[0-9]+\.[0-9]+$' || fail "--version"
"$viewer" --help | grep -q 'usage: korvinsk-plan' || fail "--help"
set +e
"$viewer" --no-such-option > /dev/null 2> "$work/err"; code=$?
[ $code -eq 2 ] && grep -q 'usage:' "$work/err" || fail "an unknown option must exit 2 with a usage line (got $code)"
"$viewer" a b > /dev/null 2>&1; code=$?
[ $code -eq 2 ] || fail "two folders must exit 2 (got $code)"
"$viewer" "$work/no such folder" > /dev/null 2> "$work/err"; code=$?
[ $code -eq 1 ] && grep -q 'cannot open the map folder' "$work/err" || fail "a folder that does not exist (got $code)"
mkdir "$work/empty"
timeout 60 "$viewer" "$work/empty" > /dev/null 2> "$work/err"; code=$?
[ $code -eq 1 ] && grep -q "no plan in '$work/empty': 8.tqf is missing" "$work/err" ||
  { cat "$work/err"; fail "a folder without map files must close and say why (got $code)"; }

# The launcher without a folder: the default city is made in the user's data folder on the first
# start, and the viewer keeps running on it until it is stopped.
XDG_DATA_HOME=$work/data "$prefix/bin/korvinsk-plan-launcher" > /dev/null 2> "$work/err" &
launcher=$!
set -e
for _ in $(seq 1 240); do
  [ -d "$work/data/korvinsk-plan/city" ] && break
  kill -0 $launcher 2> /dev/null || break
  sleep 0.5
done
sleep 3
if ! kill -0 $launcher 2> /dev/null; then
  cat "$work/err"
  fail "the launcher's viewer ended instead of showing the default city"
fi
kill $launcher
wait $launcher 2> /dev/null || true
[ -f "$work/data/korvinsk-plan/city/3.tqf" ] || fail "the launcher did not generate the default city"
echo "install_tree: ok"
