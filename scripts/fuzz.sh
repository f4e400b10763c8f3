#!/usr/bin/env bash
# Fuzzes the dimension data file decoder with libFuzzer for the given seconds (default 60).
# Builds only the model, the codec and the fuzzer with clang into build-fuzz/; the seed
# corpus (the default set as a 72-record and as a 20-record file) is written afresh each run.
#   ./scripts/fuzz.sh [seconds]
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build-fuzz"
"$root/scripts/setup-deps.sh"
# shellcheck disable=SC2086
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTARVELL_FUZZ=ON ${TARVELL_CMAKE_ARGS:-} >/dev/null
cmake --build "$dir" -j"$(nproc)" --target tarvell_datafile_fuzz tarvell_datafile_seeds >&2

seeds="$dir/seeds"
corpus="$dir/corpus"
artifacts="$dir/artifacts"
mkdir -p "$seeds" "$corpus" "$artifacts"
"$dir/file/fuzz/tarvell_datafile_seeds" "$seeds"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# New inputs go into the corpus folder (kept between runs); a failing input is saved in
# artifacts/ and makes this script fail.
"$dir/file/fuzz/tarvell_datafile_fuzz" -max_total_time="$seconds" -max_len=2048 -timeout=10 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$seeds"
