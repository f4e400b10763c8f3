#!/usr/bin/env bash
# Configures (when needed) and builds into the given directory, saying what it does as it goes.
#   scripts/build.sh DIR [--target NAME]... [CMAKE ARGUMENTS]...
# Without --target every target is built. The other arguments go to CMake, and so do the words
# of TARVELL_CMAKE_ARGS (CI sets -DTARVELL_WERROR=ON there). The build directory is configured
# once for a set of arguments; afterwards the build itself notices changed CMake files, so a
# build with nothing to do takes a second or two.
set -euo pipefail
dir=$1; shift
root=$(cd "$(dirname "$0")/.." && pwd)
targets=()
cmake_args=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--target" ]; then
    targets+=("$2"); shift 2
  else
    cmake_args+=("$1"); shift
  fi
done
# shellcheck disable=SC2206
cmake_args+=(${TARVELL_CMAKE_ARGS:-})

say() { echo "==> $*" >&2; }
stamp="$dir/.tarvell-configured-with"
wanted="${cmake_args[*]}"
if [ ! -f "$dir/CMakeCache.txt" ] || [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$wanted" ]; then
  say "Configuring $dir with CMake"
  rm -f "$stamp"
  cmake -S "$root" -B "$dir" "${cmake_args[@]}" >&2
  echo "$wanted" >"$stamp"
fi

jobs=$(nproc)
if [ ${#targets[@]} -gt 0 ]; then
  say "Building ${targets[*]} in $dir ($jobs jobs)"
  target_args=()
  for t in "${targets[@]}"; do target_args+=(--target "$t"); done
  cmake --build "$dir" -j"$jobs" "${target_args[@]}" >&2
else
  say "Building everything in $dir ($jobs jobs)"
  cmake --build "$dir" -j"$jobs" >&2
fi
say "Build done"
