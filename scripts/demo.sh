#!/bin/sh
# The main job: the library's tools on the bundled example data.
set -eu
cd "$(dirname "$0")/.."
[ -x build/release/veltra-info ] && [ -x build/release/vtcalc ] || scripts/build.sh release
build/release/veltra-info
. examples/main_job.sh
mkdir -p build/demo

echo
echo "== vtcalc: formulas over examples/pumpe.csv with its time column, and their chart"
main_job build/release/vtcalc examples/pumpe.csv build/demo/pumpe.svg
echo "(trend chart written to build/demo/pumpe.svg)"
echo
echo "== vtcalc: results under the format mask ####.## (a value too wide shows the mask in #)"
build/release/vtcalc --bool pumpe_ein,stoerung --format "####.##" examples/pumpe.csv \
  "leistung=druck * durchfluss / 36" "zu_gross=druck * 10000" | head -8
echo
echo "== vtcalc: dates month first, as the user says with --date, on any machine"
printf 'datum,wert\n05/17/2024 12:30,1\n05/17/2024 13:00:15,2\n' |
  build/release/vtcalc --date "mm/dd/yyyy hh:mm:ss" --time datum - "doppelt=wert * 2"
echo
echo "== vtcalc: a time column of epoch seconds (a fraction gives milliseconds), zone TZ=MEZ-1MESZ"
printf 'zeit,wert\n1715949045,1\n1715949045.25,2\n' | TZ=MEZ-1MESZ build/release/vtcalc --time zeit - "wert * 10"
echo
echo "== vtcalc: headers that are no formula names get one with --name; other columns pass through"
printf 'Druck vorne;T-Vorlauf;Kommentar\n2,5;61,0;Anlauf\n' |
  build/release/vtcalc -n p="Druck vorne" -n t=T-Vorlauf - "p * t"
echo
echo "== vtcalc: a formula with an error is reported, nothing is written"
build/release/vtcalc --bool pumpe_ein,stoerung examples/pumpe.csv "druck * (durchfluss + " || true
echo
echo "== vtcalc: an unknown name is shown with the columns"
build/release/vtcalc examples/pumpe.csv "Druck * 2" || true
echo
echo "== Python: the package veltra (built and installed into build/venv), the same formulas with pandas"
scripts/python-install.sh
build/venv/bin/python examples/pumpe.py build/demo/pumpe.png
