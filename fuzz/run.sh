#!/usr/bin/env bash
# Builds the map-file fuzz targets with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in a build folder of their own, writes the seed corpus with the
# file writers, and runs each target for a bounded time.
#
#   fuzz/run.sh [SECONDS] [TARGET...]     (default 60 seconds each, every target)
#
# FUZZ_BUILD_DIR chooses the build folder (default build-fuzz beside the sources); FUZZ_JOBS the
# build's parallelism (default 2); FUZZ_SKIP_BUILD=1 runs what an earlier call built, so that
# several runs can share one build. Findings and logs stay in the build folder.
set -euo pipefail

seconds=${1:-60}
shift || true
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${FUZZ_BUILD_DIR:-$source_dir/build-fuzz}
targets=("$@")
fuzz_bin=$build_dir/fuzz/map_files
corpus=$build_dir/fuzz-seeds
if [ ${#targets[@]} -eq 0 ]; then targets=(place outline topo street building text folder); fi

if [ -z "${FUZZ_SKIP_BUILD:-}" ]; then
  CXX=clang++ cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORVINSK_SANITIZE=ON -DKORVINSK_TESTS=OFF -DKORVINSK_BENCH=OFF -DKORVINSK_WERROR=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" > "$build_dir.configure.log" 2>&1 ||
    { cat "$build_dir.configure.log"; exit 1; }
  build_targets=(make_fuzz_seeds pack_map_folder plan-generate)
  for t in "${targets[@]}"; do build_targets+=("fuzz_$t"); done
  cmake --build "$build_dir" -j"${FUZZ_JOBS:-2}" --target "${build_targets[@]}"

  "$fuzz_bin/make_fuzz_seeds" "$corpus"
  # The whole-folder target starts from generated towns of a few sizes.
  mkdir -p "$corpus/folder"
  for n in 1 40 300; do
    rm -rf "$build_dir/fuzz-town-$n"
    "$build_dir/tools/plan-generate/plan-generate" --out "$build_dir/fuzz-town-$n" --seed $n --buildings $n > /dev/null
    "$build_dir/fuzz/whole_folder/pack_map_folder" "$build_dir/fuzz-town-$n" "$corpus/folder/town-$n"
    [ $n = 1 ] || rm -rf "$build_dir/fuzz-town-$n"
  done
  # A whole town is half a megabyte of coast and street lines, which makes each run slow. Small
  # seeds keep the town's overview and swap in the readers' own small seeds for the large files:
  # the plan box, districts, lines and labels then disagree with each other, which is the point.
  town=$build_dir/fuzz-town-1
  cp "$corpus/topo/seed-0" "$town/4.tqf"
  cp "$corpus/street/seed-0" "$town/5.tqf"
  "$build_dir/fuzz/whole_folder/pack_map_folder" "$town" "$corpus/folder/small-districts" 1
  cp "$corpus/outline/seed-0" "$town/3.tqf"
  cp "$corpus/place/seed-0" "$town/8.tqf"
  "$build_dir/fuzz/whole_folder/pack_map_folder" "$town" "$corpus/folder/small" 2
  rm -rf "$town"
fi
# The minimised corpora kept with the sources: what earlier long runs found worth keeping.
kept=$source_dir/fuzz/corpus

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
# The toolkit's font libraries keep a few blocks for the life of the process, as in the tests.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$source_dir/tests/lsan.supp:print_suppressions=0}
status=0
for t in "${targets[@]}"; do
  work=$build_dir/fuzz-work/$t
  mkdir -p "$work/corpus" "$work/findings"
  echo "== fuzz_$t for $seconds s"
  binary=$fuzz_bin/fuzz_$t
  [ "$t" = folder ] && binary=$build_dir/fuzz/whole_folder/fuzz_folder
  inputs=("$work/corpus" "$corpus/$t")
  [ -d "$kept/$t" ] && inputs+=("$kept/$t")
  if ! "$binary" "${inputs[@]}" -max_total_time="$seconds" -timeout=10 \
       -rss_limit_mb=2048 -malloc_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$work/findings/" \
       > "$work/log.txt" 2>&1; then
    echo "fuzz_$t FAILED: see $work/log.txt and $work/findings/"
    tail -60 "$work/log.txt"
    status=1
  fi
  grep -E "DONE +cov:|^stat::average_exec_per_sec|^Done [0-9]+ runs" "$work/log.txt" || tail -3 "$work/log.txt"
done
exit $status
