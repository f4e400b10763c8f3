#!/usr/bin/env bash
# Writes the drawings' reference command lists (tests/render/reference/) anew from the drawings
# as they are now, after an intended change; review the diff (git diff tests/render) like code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build" --target tarvell_render_tests -DCMAKE_BUILD_TYPE=RelWithDebInfo
TARVELL_UPDATE_REFERENCES=1 "$root/build/tests/tarvell_render_tests" --gtest_brief=1
git -C "$root" diff --stat -- tests/render/reference
