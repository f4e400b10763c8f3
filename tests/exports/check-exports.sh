#!/usr/bin/env bash
# The exports the program makes from the command line without a display, read back with
# poppler-utils (pdftotext, pdfinfo, pdffonts) and webp (webpmux): the design sheet's pages,
# texts and fonts, the animation's frames, the refusals of bad options, and failed writes that
# leave the file already there as it was.
# Usage: check-exports.sh PATH/TO/tarvell EXAMPLES_DIR
set -uo pipefail
tarvell=$(realpath "$1")
examples=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The desktop's settings store: an export from the command line leaves it alone (no recent
# file, no interface size).
export XDG_CONFIG_HOME="$work/config"
mkdir "$XDG_CONFIG_HOME"
unset DISPLAY WAYLAND_DISPLAY
cd "$work" || exit 1
faults=0
fail() {
  echo "FAIL: $*" >&2
  faults=$((faults + 1))
}
# Runs the program; expects the exit status $1.
expect() {
  local want=$1
  shift
  "$tarvell" "$@" >out.txt 2>err.txt
  local got=$?
  [ "$got" -eq "$want" ] || fail "tarvell $* exited $got, not $want: $(cat err.txt)"
}

# --- The design sheet of the default set -------------------------------------------------
expect 0 --export-sheet sheet.pdf
pdftotext -layout sheet.pdf sheet.txt || fail "pdftotext cannot read the sheet"
pages=$(pdfinfo sheet.pdf | awk '/^Pages:/ {print $2}')
[ "$pages" = 4 ] || fail "the sheet has $pages pages, not 4"
grep -q "Design sheet: Nominal" sheet.txt || fail "the sheet does not name the data set"
for n in 1 2 3 4; do
  grep -q "Page $n of 4" sheet.txt || fail "no \"Page $n of 4\""
done
# Dimension 2, the stroke, at its default of 3.25 with its three decimals.
grep -Eq "^ *2 +Stroke Length +3\.250" sheet.txt || fail "no line for the stroke"
grep -Eq "101 +Cylinder ctr to Driver ctr +22\.488" sheet.txt || fail "no line for code 101"
# The normal forward position lies RevArmToCentNorm (1.100) beyond mid gear's centre.
centre=$(awk '$1 == "Set" && $4 == "Cen" {print $3; exit}' sheet.txt)
forward=$(awk '$1 == "Normal" && $2 == "fwd" {print $3; exit}' sheet.txt)
awk -v c="$centre" -v f="$forward" 'BEGIN {d = f - c - 1.1; exit !(c != "" && d < 0.0015 && d > -0.0015)}' ||
  fail "normal forward $forward is not mid gear $centre + 1.100"
grep -q "Mechanism at the normal forward position (reverse arm $forward)" sheet.txt ||
  fail "the mechanism's heading does not give the normal forward position"
for title in "Sine diagram" "Steam diagram" "Indicator diagram"; do
  grep -q "$title" sheet.txt || fail "no $title"
done
# Every font is embedded: column "emb" of each font line says yes.
pdffonts sheet.pdf | tail -n +3 >fonts.txt
[ -s fonts.txt ] || fail "the sheet has no fonts: its texts are not text"
if awk '{ if ($(NF-4) != "yes") bad = 1 } END { exit !bad }' fonts.txt; then
  fail "a font is not embedded: $(cat fonts.txt)"
fi

# The drawings are vectors: no picture in the file is an image.
[ "$(pdfimages -list sheet.pdf | tail -n +3 | wc -l)" = 0 ] || fail "the sheet holds images"

# A data file named: its set's name and its path.
expect 0 --export-sheet long.pdf "$examples/long-stroke-wide-ports.dtv"
pdftotext -layout long.pdf long.txt
grep -q "long-stroke-wide-ports.dtv" long.txt || fail "the sheet does not give its data file"
cmp -s sheet.txt long.txt && fail "another data file gave the same sheet"

# --- The animation ------------------------------------------------------------------------
expect 0 --export-animation motion.webp
[ "$(head -c 4 motion.webp)" = RIFF ] && [ "$(tail -c +9 motion.webp | head -c 4)" = WEBP ] ||
  fail "motion.webp is not a RIFF WEBP file"
frames() { webpmux -info "$1" | awk '/^Number of frames:/ {print $4}'; }
[ "$(frames motion.webp)" = 36 ] || fail "the default step gave $(frames motion.webp) frames, not 36"
webpmux -info motion.webp | grep -q "Canvas size: 632 x 380" || fail "the animation is not 632 x 380"
expect 0 --export-animation rev.webp --reverse-arm rev --step 7.5
[ "$(frames rev.webp)" = 48 ] || fail "7.5 degrees gave $(frames rev.webp) frames, not 48"
expect 0 --export-animation=odd.webp --step=7 --reverse-arm=10.9 "$examples/default-gear-even-cutoffs.dtv"
[ "$(frames odd.webp)" = 52 ] || fail "7 degrees gave $(frames odd.webp) frames, not 52"

# --- Refusals -----------------------------------------------------------------------------
for step in 0 -5 90.5 abc nan; do
  expect 2 --export-animation bad.webp --step "$step"
done
expect 2 --export-animation bad.webp --reverse-arm sideways
expect 2 --export-sheet bad.pdf --step 5
expect 2 --export-sheet bad.pdf --export-animation bad.webp
expect 2 --export-sheet bad.pdf --no-such-option
expect 2 --export-sheet
[ -e bad.pdf ] || [ -e bad.webp ] && fail "a refused run wrote a file"
expect 1 --export-sheet bad.pdf missing.dtv
grep -q "missing.dtv" err.txt || fail "the missing data file is not named: $(cat err.txt)"

# --- Failed writes leave the old file as it was ---------------------------------------------
mkdir folder.pdf
expect 1 --export-sheet folder.pdf
grep -q "not written" err.txt || fail "a folder target is not reported: $(cat err.txt)"
mkfifo pipe.webp
expect 1 --export-animation pipe.webp
for out in old.pdf old.webp; do
  head -c 3000 /dev/urandom >"$out"
  cp "$out" "$out.before"
  if [ "$out" = old.pdf ]; then option=--export-sheet; else option=--export-animation; fi
  # 1 KiB blocks: the new file cannot be written whole, the old one is smaller.
  (ulimit -f 4 && expect 1 "$option" "$out" && [ $faults -eq 0 ]) || fail "$option past the size limit"
  cmp -s "$out" "$out.before" || fail "a failed write changed $out"
done

settings=$(find "$XDG_CONFIG_HOME" -type f)
[ -z "$settings" ] || fail "the exports wrote settings: $settings"

[ $faults -eq 0 ] && echo "command-line exports: all checks passed"
exit $((faults > 0))
