#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that everything a desktop needs is
# there: the executables, the program's files and the examples where the program looks for
# them, the desktop entry with its icon, and the ".dtv" file type, with the desktop's databases
# refreshed in that prefix (and nowhere else).
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install check: $*" >&2; exit 1; }
for f in bin/tarvell bin/tarvell-report \
         share/tarvell/Exhaust.wav share/tarvell/Error.wav \
         share/tarvell/instruct.doc share/tarvell/TavSpIns.doc \
         share/tarvell/examples/default-gear-even-cutoffs.dtv \
         share/tarvell/examples/long-stroke-wide-ports.dtv \
         share/applications/tarvell.desktop \
         share/icons/hicolor/scalable/apps/tarvell.svg \
         share/mime/packages/tarvell.xml; do
  [ -s "$prefix/$f" ] || fail "missing $f"
done
[ -x "$prefix/bin/tarvell" ] || fail "bin/tarvell is not executable"
grep -q '^Exec=tarvell %f$' "$prefix/share/applications/tarvell.desktop" || fail "Exec line"
grep -q '^MimeType=application/x-tarvell-dimensions;$' "$prefix/share/applications/tarvell.desktop" \
  || fail "MimeType line"
grep -q 'glob pattern="\*.dtv"' "$prefix/share/mime/packages/tarvell.xml" || fail "no *.dtv glob"
for example in default-gear-even-cutoffs.dtv long-stroke-wide-ports.dtv; do
  cmp -s "$prefix/share/tarvell/examples/$example" "$(dirname "$0")/../../examples/$example" \
    || fail "examples/$example differs"
done
# The instruction texts name the program's version in their heading; it is written there by
# hand, so a new project version fails here until they say it too.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
for text in instruct.doc TavSpIns.doc; do
  sed -n 2p "$prefix/share/tarvell/$text" | grep -qx "Valve gear simulator, version $version" \
    || fail "$text does not name version $version"
done
if command -v update-mime-database >/dev/null; then
  [ -s "$prefix/share/mime/mime.cache" ] || fail "the MIME database of the prefix not refreshed"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/tarvell.desktop"
fi
# The installed report tool runs and reads a file the way the program writes it.
"$prefix/bin/tarvell-report" --step 90 | head -1 | grep -q '^angle,x0,y0' || fail "report tool"
echo "install check: all in place under $prefix"
