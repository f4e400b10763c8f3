#!/usr/bin/env bash
# Installs what is missing, builds everything (the program, the tests and the benchmarks), and
# runs every test.
#   ./run-tests.sh             the normal build (build/, shared with ./start.sh)
#   ./run-tests.sh --sanitize  an AddressSanitizer + UndefinedBehaviorSanitizer build (build-asan/)
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup-deps.sh"
if [ "${1:-}" = "--sanitize" ]; then
  dir="$root/build-asan"
  "$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=Debug -DTARVELL_SANITIZE=ON -DTARVELL_BENCH=OFF \
    -DTARVELL_PCH=OFF
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
else
  dir="$root/build"
  "$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
echo "==> Running the tests" >&2
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
