#!/usr/bin/env bash
# Folds what the fuzz runs found (build-fuzz/fuzz-work/<target>/corpus and any other work folders
# named <target>-*) into the corpora kept with the sources, fuzz/corpus/<target>, keeping only the
# inputs that add coverage. Inputs larger than FUZZ_KEEP_MAX_BYTES (default 65536 for a reader,
# 8192 for a whole folder) are left out, so the kept corpora stay small; the whole towns and the
# larger folder seeds are made afresh by fuzz/run.sh.
#
#   fuzz/minimise.sh [TARGET...]      (default every target; needs the build of fuzz/run.sh)
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${FUZZ_BUILD_DIR:-$source_dir/build-fuzz}
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then targets=(place outline topo street building text folder); fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$source_dir/tests/lsan.supp:print_suppressions=0}
for t in "${targets[@]}"; do
  binary=$build_dir/fuzz/map_files/fuzz_$t
  [ "$t" = folder ] && binary=$build_dir/fuzz/whole_folder/fuzz_folder
  kept=$source_dir/fuzz/corpus/$t
  max_bytes=${FUZZ_KEEP_MAX_BYTES:-65536}
  [ "$t" = folder ] && max_bytes=${FUZZ_KEEP_MAX_BYTES:-8192}
  pool=$(mktemp -d)
  fresh=$(mktemp -d)
  # Every candidate, the kept ones included, small enough to keep.
  for dir in "$kept" "$build_dir/fuzz-work/$t/corpus" "$build_dir"/fuzz-work/"$t"-*/corpus "$build_dir/fuzz-seeds/$t"; do
    [ -d "$dir" ] || continue
    find "$dir" -maxdepth 1 -type f -size -$((max_bytes + 1))c -exec cp -t "$pool" {} +
  done
  "$binary" -merge=1 -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 "$fresh" "$pool" > "$build_dir/minimise-$t.log" 2>&1 ||
    { tail -20 "$build_dir/minimise-$t.log"; rm -rf "$pool" "$fresh"; exit 1; }
  rm -rf "$kept"
  mkdir -p "$kept"
  cp "$fresh"/* "$kept"/
  echo "$t: $(ls "$pool" | wc -l) candidates, kept $(ls "$kept" | wc -l) ($(du -sh "$kept" | cut -f1))"
  rm -rf "$pool" "$fresh"
done
