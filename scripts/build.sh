#!/usr/bin/env bash
# Configures and builds into the given directory; extra arguments go to CMake.
set -euo pipefail
dir=$1; shift
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$dir" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)" >&2
