#!/bin/sh
# The main job: the library's tools on the bundled example data.
set -eu
cd "$(dirname "$0")/.."
[ -x build/release/veltra-info ] && [ -x build/release/vtcalc ] || scripts/build.sh release
build/release/veltra-info

echo
echo "== vtcalc: formulas over examples/pumpe.csv"
build/release/vtcalc --bool pumpe_ein,stoerung examples/pumpe.csv \
  "druck * durchfluss / 36" \
  "pumpe_ein und nicht stoerung" \
  "temperatur > 75 ? temperatur - 75 : 0"
echo
echo "== vtcalc: results under the format mask ####.##"
build/release/vtcalc --bool pumpe_ein,stoerung --format "####.##" examples/pumpe.csv \
  "druck * durchfluss / 36"
echo
echo "== vtcalc: a time column, read as time text and written in the user's notation"
build/release/vtcalc --bool brenner_ein --time zeit examples/kessel.csv \
  "vorlauf - ruecklauf" "brenner_ein ? 0 : vorlauf"
echo
echo "== vtcalc: a time column of epoch seconds (a fraction gives milliseconds), zone TZ=MEZ-1MESZ"
printf 'zeit,wert\n1715949045,1\n1715949045.25,2\n' | TZ=MEZ-1MESZ build/release/vtcalc --time zeit - "wert * 10"
echo
echo "== vtcalc: a formula with an error is reported, nothing is written"
build/release/vtcalc --bool pumpe_ein,stoerung examples/pumpe.csv "druck * (durchfluss + " || true
