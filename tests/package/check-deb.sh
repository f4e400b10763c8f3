#!/usr/bin/env bash
# Checks a built Debian package without installing it: its control fields (dpkg-deb --info),
# the files it holds (dpkg-deb --contents), and that its executables, unpacked into a scratch
# folder, need nothing from a build tree and that the report tool runs.
#   tests/package/check-deb.sh tarvell_<version>_amd64.deb
set -euo pipefail
deb=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "package check: $*" >&2; exit 1; }
[ -f "$deb" ] || fail "no such package: $deb"

# The version is the one project() sets.
version=$(sed -n 's/^project(tarvell VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || fail "no project version in CMakeLists.txt"
[ "$(basename "$deb")" = "tarvell_${version}_amd64.deb" ] || fail "file name $(basename "$deb")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = tarvell ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), not $version"
[ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(field Description | sed -n 1p)" = "Tarvell valve gear simulator" ] || fail "Description"
# The dependencies dpkg-shlibdeps read from the libraries the executables link, each with its
# least version, and the fonts no link shows.
depends=$(field Depends | sed 's/, /\n/g')
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 \
           libqt6svg6 libqt6printsupport6 libnlopt0; do
  grep -q "^$lib (>= [0-9][^)]*)$" <<<"$depends" \
    || fail "Depends lacks $lib: $(field Depends)"
done
grep -qx 'fonts-liberation' <<<"$depends" || fail "Depends lacks fonts-liberation"
grep -q ' md5sums' <<<"$(dpkg-deb --info "$deb")" || fail "no md5sums"

listing=$(dpkg-deb --contents "$deb")
contents=$(awk '{print $6}' <<<"$listing")
for f in usr/bin/tarvell usr/bin/tarvell-report \
         usr/share/tarvell/Exhaust.wav usr/share/tarvell/Error.wav \
         usr/share/tarvell/instruct.doc usr/share/tarvell/TavSpIns.doc \
         usr/share/tarvell/examples/default-gear-even-cutoffs.dtv \
         usr/share/tarvell/examples/long-stroke-wide-ports.dtv \
         usr/share/applications/tarvell.desktop \
         usr/share/icons/hicolor/scalable/apps/tarvell.svg \
         usr/share/mime/packages/tarvell.xml; do
  grep -qx "\./$f" <<<"$contents" || fail "missing /$f"
done
# Everything under /usr, and nothing the system's own triggers make (the MIME and desktop
# databases, which belong to their packages).
outside=$(grep -v '^\./usr/' <<<"$contents" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
if grep -Eq '^\./usr/share/mime/(mime\.cache|application/)|mimeinfo\.cache$' <<<"$contents"; then
  fail "generated database files in the package"
fi
grep -q '^-rwxr-xr-x root/root .* \./usr/bin/tarvell$' <<<"$listing" \
  || fail "/usr/bin/tarvell is not an executable owned by root"

# Unpacked (not installed): stripped, no search path into a build tree, and the report tool runs.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
for exe in tarvell tarvell-report; do
  bin="$unpacked/usr/bin/$exe"
  if readelf -S "$bin" | grep -q '\.debug_info'; then fail "$exe is not stripped"; fi
  if readelf -d "$bin" | grep -Eq 'R(UN)?PATH'; then fail "$exe has a library search path"; fi
done
report=$("$unpacked/usr/bin/tarvell-report" --step 90 \
  --file "$unpacked/usr/share/tarvell/examples/default-gear-even-cutoffs.dtv") || fail "the report tool failed"
[ "$(sed -n 1p <<<"$report" | cut -d, -f1-3)" = "angle,x0,y0" ] || fail "the report tool's output"
grep -q '^Exec=tarvell %f$' "$unpacked/usr/share/applications/tarvell.desktop" || fail "Exec line"
echo "package check: $(basename "$deb") holds what it should"
