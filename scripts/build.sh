#!/usr/bin/env bash
# Configures and builds into the given directory; extra arguments go to CMake, and so do the
# words of TARVELL_CMAKE_ARGS (CI sets -DTARVELL_WERROR=ON there).
set -euo pipefail
dir=$1; shift
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck disable=SC2086
cmake -S "$root" -B "$dir" "$@" ${TARVELL_CMAKE_ARGS:-} >/dev/null
cmake --build "$dir" -j"$(nproc)" >&2
