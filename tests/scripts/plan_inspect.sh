#!/usr/bin/env bash
# plan-inspect as a maintainer uses it: a folder that cannot be read is an error with a message;
# a folder without map files is reported, not refused.
set -euo pipefail
build_dir=$(cd "$1" && pwd)
tool=$build_dir/tools/plan-inspect/plan-inspect
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if "$tool" "$work/no-such-folder" > "$work/out" 2> "$work/err"; then
  echo "a missing folder must fail"; exit 1
fi
grep -q "cannot read folder" "$work/err" || { echo "no message for a missing folder"; cat "$work/err"; exit 1; }
[ ! -s "$work/out" ] || { echo "a missing folder must print no report"; exit 1; }

set +e
"$tool" --records nonsense "$work" > /dev/null 2>&1
[ $? -eq 2 ] || { echo "an unknown table must be a usage error"; exit 1; }
set -e

mkdir "$work/empty"
"$tool" --records all "$work/empty" > "$work/report.json"
grep -q '"8.tqf":"missing"' "$work/report.json" || { echo "missing 8.tqf not reported"; cat "$work/report.json"; exit 1; }
grep -q '"plan_loaded":false' "$work/report.json" || { echo "plan_loaded"; exit 1; }
command -v python3 > /dev/null || { echo "plan_inspect: python3 is needed to check the JSON"; exit 1; }
python3 -m json.tool "$work/report.json" > /dev/null || { echo "not JSON"; exit 1; }

# The working directory is the default folder.
(cd "$work/empty" && "$tool") | grep -q '"3.tqf":"not reached"'
echo "plan-inspect: ok"
