#!/bin/sh
# The formula tool's main job against the tools a user would take instead:
# a million-row plant file (time, six float and two Boolean signals), once
# ";"-separated with decimal commas and once ","-separated with decimal
# points, and three jobs (arithmetic, a function, a conditional on a
# Boolean), each run by vtcalc (with and without reading the time column),
# mawk and miller in this one run, output to /dev/null. Prints wall time and
# peak memory of each and vtcalc's speed-up over each peer.
# Targets: >= 1.5x mawk and >= 8x miller on every job, <= 8 MB.
#   usage: bench/vtcalc_plant.sh [ROWS] [VTCALC]
set -eu
cd "$(dirname "$0")/.."
rows=${1:-1000000}
vtcalc=${2:-build/release/vtcalc}
[ -x "$vtcalc" ] || scripts/build.sh release
for t in mawk mlr /usr/bin/time; do command -v "$t" >/dev/null || { echo "missing: $t (scripts/setup.sh)" >&2; exit 1; }; done
data=build/bench-data
mkdir -p "$data"

# The plant file: a row every second from 17.05.2024 00:00:00 (local time).
make_plant() {  # make_plant FILE SEPARATOR DECIMAL
  [ -s "$1" ] && [ "$(wc -l <"$1")" -eq $((rows + 1)) ] && return
  mawk -v rows="$rows" -v fs="$2" -v dm="$3" 'BEGIN {
    srand(1); print "zeit" fs "p1" fs "p2" fs "p3" fs "p4" fs "p5" fs "p6" fs "b1" fs "b2"
    split("31 29 31 30 31 30 31 31 30 31 30 31", mdays, " ")
    d = 17; m = 5; s = 0
    for (i = 0; i < rows; i++) {
      line = sprintf("%02d.%02d.2024 %02d:%02d:%02d", d, m, int(s / 3600), int(s / 60) % 60, s % 60)
      for (k = 1; k <= 6; k++) { v = sprintf("%.2f", 20 * k + 10 * rand()); if (dm == ",") sub(/\./, ",", v); line = line fs v }
      line = line fs (rand() < 0.5 ? 1 : 0) fs (rand() < 0.1 ? 1 : 0)
      print line
      if (++s == 86400) { s = 0; if (++d > mdays[m]) { d = 1; m++ } }
    }
  }' >"$1"
}
make_plant "$data/plant_semicolon.csv" ";" ","
make_plant "$data/plant_comma.csv" "," "."

# The jobs in each tool's language: vtcalc formula | mawk expression (on
# numbers with decimal points) | miller expression.
job_formula() { case $1 in
  arith) echo "p1 * p2 / 36 + p3" ;; func) echo "sqrt(p4^2 + p5^2)" ;; cond) echo "b1 ? p6 - 75 : 0" ;; esac; }
job_awk() { case $1 in
  arith) echo '$2 * $3 / 36 + $4' ;; func) echo 'sqrt($5^2 + $6^2)' ;; cond) echo '($8 == 1 ? $7 - 75 : 0)' ;; esac; }
job_mlr() { case $1 in
  arith) echo 'P[1] * P[2] / 36 + P[3]' ;; func) echo 'sqrt(P[4]**2 + P[5]**2)' ;; cond) echo '($b1 == 1 ? P[6] - 75 : 0)' ;; esac; }

# measure CMD...: prints "seconds kilobytes" of one run.
measure() {
  /usr/bin/time -f "%e %M" -o "$data/time.txt" "$@" >/dev/null
  cat "$data/time.txt"
}

run_peer() {  # run_peer TOOL JOB FILE SEP
  tool=$1 job=$2 file=$3 sep=$4
  case $tool in
    mawk)
      if [ "$sep" = ";" ]; then
        # Decimal commas in and out, as the file has them.
        measure mawk -F';' -v OFS=';' "NR == 1 { print \$0 OFS \"r\"; next }
          { for (k = 2; k <= 7; k++) sub(/,/, \".\", \$k); r = sprintf(\"%.6g\", $(job_awk "$job")); sub(/\\./, \",\", r);
            for (k = 2; k <= 7; k++) sub(/\\./, \",\", \$k); print \$0 OFS r }" "$file"
      else
        measure mawk -F',' "NR == 1 { print \$0 \",r\"; next } { printf \"%s,%.6g\\n\", \$0, $(job_awk "$job") }" "$file"
      fi ;;
    mlr)
      if [ "$sep" = ";" ]; then
        measure mlr --csv --fs ';' put "P = {}; for (k = 1; k <= 6; k += 1) { P[k] = float(sub(\$[\"p\" . k], \",\", \".\")) }
          \$r = sub(fmtnum($(job_mlr "$job"), \"%.6g\"), \"\\.\", \",\")" "$file"
      else
        measure mlr --csv put "P = {}; for (k = 1; k <= 6; k += 1) { P[k] = \$[\"p\" . k] }
          \$r = fmtnum($(job_mlr "$job"), \"%.6g\")" "$file"
      fi ;;
  esac
}

ratio() { mawk -v a="$1" -v b="$2" 'BEGIN { printf "%.1fx", (b > 0 ? a / b : 0) }'; }

printf '%d rows; time in s, peak memory in MB; speed-up = peer time / vtcalc time\n' "$rows"
printf '%-6s %-10s %-9s %13s %13s %13s %9s %9s\n' job file vtcalc vtcalc mawk miller "vs mawk" "vs mlr"
for file in semicolon comma; do
  sep=";"
  [ "$file" = comma ] && sep=","
  path="$data/plant_$file.csv"
  for job in arith func cond; do
    set -- $(run_peer mawk "$job" "$path" "$sep"); awk_s=$1 awk_k=$2
    set -- $(run_peer mlr "$job" "$path" "$sep"); mlr_s=$1 mlr_k=$2
    for mode in plain time; do
      opt=""
      [ "$mode" = time ] && opt="--time zeit"
      set -- $(measure "$vtcalc" $opt --bool b1,b2 "$path" "r=$(job_formula "$job")"); vt_s=$1 vt_k=$2
      label="no time"
      [ "$mode" = time ] && label="--time"
      printf '%-6s %-10s %-9s %6s %5.1fMB %6s %5.1fMB %6s %5.1fMB %9s %9s\n' "$job" "$file" "$label" \
        "$vt_s" "$(mawk -v k="$vt_k" 'BEGIN { print k / 1024 }')" \
        "$awk_s" "$(mawk -v k="$awk_k" 'BEGIN { print k / 1024 }')" \
        "$mlr_s" "$(mawk -v k="$mlr_k" 'BEGIN { print k / 1024 }')" \
        "$(ratio "$awk_s" "$vt_s")" "$(ratio "$mlr_s" "$vt_s")"
    done
  done
done
