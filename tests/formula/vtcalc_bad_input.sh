#!/bin/sh
# The formula tool on bad input, one case a row: what the input holds, the
# command line, the exit status and what the message (or, for status 0, the
# output) must say. In every case the input stays as it was, and when the
# run fails an existing output file keeps its contents.
#   usage: vtcalc_bad_input.sh WORKDIR COMMAND...   (COMMAND runs vtcalc)
set -u
work=$1; shift
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
failures=0
n=0

# check STATUS REGEX INPUT ARGS...: INPUT is a printf format for in.csv; in
# ARGS @IN@ is in.csv and @OUT@ is out.csv (which holds "kept" before the
# run). REGEX is matched against stderr, or against out.csv for status 0.
check() {
  want=$1 regex=$2 input=$3; shift 3
  n=$((n + 1))
  printf "$input" >in.csv
  printf 'kept\n' >out.csv
  cp in.csv in.orig
  args=""
  for a in "$@"; do
    case $a in @IN@) a=in.csv ;; @OUT@) a=out.csv ;; esac
    args="$args '$(printf '%s' "$a" | sed "s/'/'\\\\''/g")'"
  done
  eval "set -- $args"
  "$@" >stdout.txt 2>stderr.txt </dev/null
  got=$?
  tr -d '\r' <stderr.txt >err.txt
  where=err.txt
  [ "$want" -eq 0 ] && where=out.csv
  problem=""
  [ "$got" -eq "$want" ] || problem="exit status $got, not $want"
  grep -Eq -- "$regex" "$where" || problem="$problem; $where does not match /$regex/"
  cmp -s in.csv in.orig || problem="$problem; the input changed"
  if [ "$want" -ne 0 ] && [ "$(cat out.csv)" != kept ]; then problem="$problem; out.csv changed"; fi
  if [ -n "$problem" ]; then
    failures=$((failures + 1))
    echo "case $n ($*): $problem"
    sed 's/^/  stderr: /' err.txt
  fi
}

H='zeit;a;b\n'
# Ragged rows: fewer or more fields than the header.
check 1 'line 3: 2 fields, but the header has 3' "${H}1;2;3\n4;5\n" "$@" @IN@ -o @OUT@ "a+b"
check 1 'line 2: 4 fields, but the header has 3' "${H}1;2;3;4\n" "$@" @IN@ -o @OUT@ "a+b"
# The output is the input: by its name, by another path, by a link.
check 1 'is the input file' "${H}1;2;3\n" "$@" @IN@ -o in.csv "a+b"
check 1 'is the input file' "${H}1;2;3\n" "$@" @IN@ -o ./in.csv "a+b"
ln -sf in.csv link.csv
check 1 'is the input file' "${H}1;2;3\n" "$@" @IN@ -o link.csv "a+b"
check 1 'is the input file' "${H}1;2;3\n" "$@" @IN@ --plot in.csv "a+b"
# Dates: the order of --date, a date that does not exist, trailing text.
check 1 'line 2, column zeit: "13/01/2024 10:00" is a date that does not exist' "${H}13/01/2024 10:00;1;2\n" \
  "$@" --date "mm/dd/yyyy hh:mm" --time zeit @IN@ -o @OUT@ "a+b"
check 1 'line 3, column zeit: "31\.02\.2024 00:00" is a date that does not exist' \
  "${H}29.02.2024 00:00;1;2\n31.02.2024 00:00;1;2\n" "$@" --time zeit @IN@ -o @OUT@ "a+b"
check 1 'line 2, column zeit: .* is no time' "${H}01.03.2024 00:00 x;1;2\n" "$@" --time zeit @IN@ -o @OUT@ a
check 1 'line 3, column zeit: "17\.05\.2024 25:00" is no time' "${H}17.05.2024 23:00;1;2\n17.05.2024 25:00;1;2\n" \
  "$@" --time zeit @IN@ -o @OUT@ a
check 1 'line 2, column zeit: .* is no time' "${H}2024-03-01 00:00;1;2\n" "$@" --time zeit @IN@ -o @OUT@ a
check 0 '^2024-03-01 00:00:00;1;2;3$' "${H}2024-03-01 00:00;1;2\n" \
  "$@" --date yyyy-mm-dd --time zeit @IN@ -o @OUT@ "a+b"
# ISO 8601: fields past their range, a "T" with no time, a zone that is no
# offset, and a local time skipped when daylight time starts (in a zone
# whose daylight time starts on the first Sunday of April at 02:00).
check 1 'line 2, column zeit: "2024-13-01T00:00:00": the month 13 at character 6 is out of range' \
  "${H}2024-13-01T00:00:00;1;2\n" "$@" --date iso --time zeit @IN@ -o @OUT@ a
check 1 'line 3, column zeit: "2024-05-17T24:00:01": the hour 24 at character 12 is out of range' \
  "${H}2024-05-17T24:00:00;1;2\n2024-05-17T24:00:01;1;2\n" "$@" --date iso --time zeit @IN@ -o @OUT@ a
check 1 'line 2, column zeit: "2024-05-17T25:00:00": the hour 25 at character 12' \
  "${H}2024-05-17T25:00:00;1;2\n" "$@" --date iso --time zeit @IN@ -o @OUT@ a
check 1 'line 2, column zeit: "2024-05-17T06:30\+18:01": the offset \+18:01 at character 17 is out of range' \
  "${H}2024-05-17T06:30+18:01;1;2\n" "$@" --date iso --time zeit @IN@ -o @OUT@ a
check 1 'line 2, column zeit: "2024-05-17T" is no ISO 8601 time .* at character 11' \
  "${H}2024-05-17T;1;2\n" "$@" --date "yyyy-mm-ddThh:mm:ss" --time zeit @IN@ -o @OUT@ a
check 1 'line 2, column zeit: "2024-05-17T06:30:00 CEST" is no ISO 8601 time .* at character 20' \
  "${H}2024-05-17T06:30:00 CEST;1;2\n" "$@" --date iso --time zeit @IN@ -o @OUT@ a
check 1 'line 2, column zeit: "2024-05-17T06:30:00\+02:00x" is no ISO 8601 time .* at character 26' \
  "${H}2024-05-17T06:30:00+02:00x;1;2\n" "$@" --date iso --time zeit @IN@ -o @OUT@ a
check 1 'line 3, column zeit: "2024-04-07T02:30:00" is a local time that does not exist' \
  "${H}2024-04-07T01:59:59;1;2\n2024-04-07T02:30:00;1;2\n" env TZ=CET-1CEST "$@" --date iso --time zeit @IN@ -o @OUT@ a
check 0 '^2024-04-07T03:00:00\+02:00;1;2;1$' "${H}2024-04-07T03:00:00;1;2\n" \
  env TZ=CET-1CEST "$@" --date iso --time zeit @IN@ -o @OUT@ a
# Names: an unknown one is shown with the columns; a name for two columns.
check 2 'no column is named "Druck"; the columns are: Druck vorne, T-Vorlauf' 'Druck vorne;T-Vorlauf\n1;2\n' \
  "$@" @IN@ -o @OUT@ "Druck + 1"
check 0 '^1;2;3$' 'Druck vorne;T-Vorlauf\n1;2\n' "$@" -n p="Druck vorne" -n t=T-Vorlauf @IN@ -o @OUT@ "p + t"
check 1 'the name "a" stands for column 1 and column 2' 'a;a\n1;2\n' "$@" @IN@ -o @OUT@ a
check 1 'no column "c"; the columns are: zeit, a, b' "${H}1;2;3\n" "$@" -n x1=c @IN@ -o @OUT@ a
# Numbers: the other decimal mark, text in a used column; an unused
# column passes through whatever it holds.
check 1 'line 2, column a: "1\.5" is no number with a decimal comma' "${H}1;1.5;2\n" "$@" @IN@ -o @OUT@ "a+b"
check 1 'line 2, column a: "1,5" is no number with a decimal point' 'a,b\n"1,5",2\n' "$@" @IN@ -o @OUT@ "a+b"
check 0 '^hallo welt;1\.5;2;2\.5$' 'kommentar;a;b\nhallo welt;1.5;2\n' "$@" --decimal . @IN@ -o @OUT@ "a+1"
check 1 'line 2, column a: "aus" is no number' "${H}1;aus;2\n" "$@" @IN@ -o @OUT@ "a+b"
# Quotes: a line break inside a quoted field is part of the field.
check 0 '^"x
y";1;2;3$' 'k;a;b\n"x\ny";1;2\n' "$@" @IN@ -o @OUT@ "a+b"
check 1 'line 4: 1 fields, but the header has 3' 'k;a;b\n"x\ny";1;2\n4\n' "$@" @IN@ -o @OUT@ "a+b"
check 1 'line 2: a quoted field is not closed' 'k;a;b\n"x;1;2\n' "$@" @IN@ -o @OUT@ "a+b"
# Junk, an empty file, a header alone, a full device.
check 1 'line 2: the row holds a NUL byte' "${H}\000\001\377;1;2\n" "$@" @IN@ -o @OUT@ a
check 1 'line 2, column b: "\\x01\\x02' "${H}1;2;\001\002\377\n" "$@" @IN@ -o @OUT@ "a+b"
check 1 'line 1: the header is no CSV text' '\000\001;a\n1;2\n' "$@" @IN@ -o @OUT@ a
check 1 'in\.csv is empty' '' "$@" @IN@ -o @OUT@ a
check 1 'has a header but no data rows' "${H}" "$@" @IN@ -o @OUT@ a
check 1 '(writing /dev/full failed|in place as /dev/full)' "${H}1;2;3\n" "$@" @IN@ -o /dev/full a
# Formulas: too long, and masks a value overflows.
long=$(printf '%4096s' a)
check 2 'formula 1 is longer than 4095 bytes' "${H}1;2;3\n" "$@" @IN@ -o @OUT@ "$long"
check 0 '^1;2;3;##,#;4,0$' "${H}1;2;3\n" "$@" -f "##.#" @IN@ -o @OUT@ "a*1000" -f "#.#" "s=a*2"

echo "$n cases, $failures failed"
[ "$failures" -eq 0 ]
