# The main job on the pump station's data, shared by scripts/demo.sh and the
# chart test: three formulas over examples/pumpe.csv with its time column,
# and their trend chart.
#   main_job VTCALC PUMPE.csv PLOT.svg [more options]
main_job() {
  vtcalc=$1 input=$2 plot=$3; shift 3
  "$vtcalc" --bool pumpe_ein,stoerung --time zeit --plot "$plot" --signals stoerung "$@" "$input" \
    "leistung_kW=druck * durchfluss / 36" \
    "laeuft=pumpe_ein und nicht stoerung" \
    "uebertemperatur=temperatur > 75 ? temperatur - 75 : 0"
}
