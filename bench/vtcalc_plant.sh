#!/bin/sh
# The formula tool's main job against the tools a user would take instead:
# a million-row plant file (time, six float and two Boolean signals), once
# ";"-separated with decimal commas, once ","-separated with decimal points,
# and once ","-separated with ISO 8601 times ("2024-05-17T00:00:00+02:00",
# read with --date iso), and three jobs (arithmetic, a function, a
# conditional on a Boolean), each run by vtcalc (with and without reading
# the time column), mawk and miller in this one run, output to /dev/null.
# Prints wall time and peak memory of each and vtcalc's speed-up over each
# peer; given a second vtcalc (BASELINE, an earlier build), also its time
# and vtcalc's speed-up over it, on the jobs it can run.
# Targets: >= 1.5x mawk and >= 8x miller on every job, <= 8 MB, and no
# slower than the baseline.
#   usage: bench/vtcalc_plant.sh [ROWS] [VTCALC] [BASELINE]
set -eu
cd "$(dirname "$0")/.."
rows=${1:-1000000}
vtcalc=${2:-build/release/vtcalc}
baseline=${3:-}
[ -x "$vtcalc" ] || scripts/build.sh release
for t in mawk mlr /usr/bin/time; do command -v "$t" >/dev/null || { echo "missing: $t (scripts/setup.sh)" >&2; exit 1; }; done
data=build/bench-data
mkdir -p "$data"

# The plant file: a row every second from 17.05.2024 00:00:00 (local time),
# or in ISO 8601 from 2024-05-17T00:00:00+02:00.
make_plant() {  # make_plant FILE SEPARATOR DECIMAL [iso]
  [ -s "$1" ] && [ "$(wc -l <"$1")" -eq $((rows + 1)) ] && return
  mawk -v rows="$rows" -v fs="$2" -v dm="$3" -v iso="${4:-}" 'BEGIN {
    srand(1); print "zeit" fs "p1" fs "p2" fs "p3" fs "p4" fs "p5" fs "p6" fs "b1" fs "b2"
    split("31 29 31 30 31 30 31 31 30 31 30 31", mdays, " ")
    d = 17; m = 5; s = 0
    for (i = 0; i < rows; i++) {
      if (iso) line = sprintf("2024-%02d-%02dT%02d:%02d:%02d+02:00", m, d, int(s / 3600), int(s / 60) % 60, s % 60)
      else line = sprintf("%02d.%02d.2024 %02d:%02d:%02d", d, m, int(s / 3600), int(s / 60) % 60, s % 60)
      for (k = 1; k <= 6; k++) { v = sprintf("%.2f", 20 * k + 10 * rand()); if (dm == ",") sub(/\./, ",", v); line = line fs v }
      line = line fs (rand() < 0.5 ? 1 : 0) fs (rand() < 0.1 ? 1 : 0)
      print line
      if (++s == 86400) { s = 0; if (++d > mdays[m]) { d = 1; m++ } }
    }
  }' >"$1"
}
make_plant "$data/plant_semicolon.csv" ";" ","
make_plant "$data/plant_comma.csv" "," "."
make_plant "$data/plant_iso.csv" "," "." iso

# The jobs in each tool's language: vtcalc formula | mawk expression (on
# numbers with decimal points) | miller expression.
job_formula() { case $1 in
  arith) echo "p1 * p2 / 36 + p3" ;; func) echo "sqrt(p4^2 + p5^2)" ;; cond) echo "b1 ? p6 - 75 : 0" ;; esac; }
job_awk() { case $1 in
  arith) echo '$2 * $3 / 36 + $4' ;; func) echo 'sqrt($5^2 + $6^2)' ;; cond) echo '($8 == 1 ? $7 - 75 : 0)' ;; esac; }
job_mlr() { case $1 in
  arith) echo 'P[1] * P[2] / 36 + P[3]' ;; func) echo 'sqrt(P[4]**2 + P[5]**2)' ;; cond) echo '($b1 == 1 ? P[6] - 75 : 0)' ;; esac; }

# measure CMD...: prints "seconds kilobytes" of one run. The files among
# the arguments are read once first, so that no tool pays for a cold input
# that the one before it (miller takes most of the memory) pushed out of
# the page cache.
measure() {
  for a in "$@"; do [ -f "$a" ] && cat "$a" >/dev/null; done
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

# mb KILOBYTES: megabytes with one decimal.
mb() { mawk -v k="$1" 'BEGIN { printf "%.1fMB", k / 1024 }'; }

printf '%d rows; time in s, peak memory in MB; speed-up = other time / vtcalc time\n' "$rows"
printf '%-6s %-10s %-9s %13s %13s %13s %9s %9s' job file vtcalc vtcalc mawk miller "vs mawk" "vs mlr"
[ -n "$baseline" ] && printf ' %13s %9s' baseline "vs base"
printf '\n'
for file in semicolon comma iso; do
  sep=";"
  [ "$file" != semicolon ] && sep=","
  path="$data/plant_$file.csv"
  for job in arith func cond; do
    set -- $(run_peer mawk "$job" "$path" "$sep"); awk_s=$1 awk_k=$2
    set -- $(run_peer mlr "$job" "$path" "$sep"); mlr_s=$1 mlr_k=$2
    for mode in plain time; do
      opt=""
      [ "$mode" = time ] && opt="--time zeit"
      [ "$mode" = time ] && [ "$file" = iso ] && opt="--time zeit --date iso"
      set -- $(measure "$vtcalc" $opt --bool b1,b2 "$path" "r=$(job_formula "$job")"); vt_s=$1 vt_k=$2
      label="no time"
      [ "$mode" = time ] && label="--time"
      printf '%-6s %-10s %-9s %6s %6s %6s %6s %6s %6s %9s %9s' "$job" "$file" "$label" \
        "$vt_s" "$(mb "$vt_k")" "$awk_s" "$(mb "$awk_k")" "$mlr_s" "$(mb "$mlr_k")" \
        "$(ratio "$awk_s" "$vt_s")" "$(ratio "$mlr_s" "$vt_s")"
      if [ -n "$baseline" ]; then
        if [ "$mode" = time ] && [ "$file" = iso ]; then
          printf ' %13s %9s' "-" "-"  # the baseline may not read ISO times
        else
          set -- $(measure "$baseline" $opt --bool b1,b2 "$path" "r=$(job_formula "$job")"); base_s=$1 base_k=$2
          printf ' %6s %6s %9s' "$base_s" "$(mb "$base_k")" "$(ratio "$base_s" "$vt_s")"
        fi
      fi
      printf '\n'
    done
  done
done
