#!/usr/bin/env bash
# Installs what is missing, builds the program (and the report tool, not the tests or the
# benchmarks), and starts it; arguments go to the program. The first run takes a few minutes;
# later runs with nothing changed start the program in a few seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/setup-deps.sh"
"$root/scripts/build.sh" "$root/build" --target tarvell --target tarvell-report \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "==> Starting build/app/tarvell" >&2
exec "$root/build/app/tarvell" "$@"
