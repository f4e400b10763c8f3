#!/usr/bin/env bash
# Builds the Debian package tarvell_<version>_amd64.deb in the top folder: the program, the
# report tool, their files, the desktop entry and the examples, installed under /usr, with the
# run-time dependencies dpkg-shlibdeps reads from the executables. Builds only the program and
# the report tool, in build/ (shared with ./start.sh and ./run-tests.sh), and strips them in
# the package.
#   scripts/package.sh            then: sudo apt install ./tarvell_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build"
"$root/scripts/setup-deps.sh"
"$root/scripts/build.sh" "$dir" --target tarvell --target tarvell-report \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "==> Packaging with CPack" >&2
out="$dir/package"
rm -rf "$out"
cpack --config "$dir/CPackConfig.cmake" -B "$out" >&2
debs=("$out"/tarvell_*.deb)
[ -f "${debs[0]}" ] || { echo "package: CPack made no .deb" >&2; exit 1; }
rm -f "$root"/tarvell_*_amd64.deb
mv "${debs[0]}" "$root/"
echo "==> Made $root/$(basename "${debs[0]}")" >&2
echo "$root/$(basename "${debs[0]}")"
