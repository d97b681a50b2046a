#!/bin/sh
# Reads back the PostScript files that test_print printed: page count,
# orientation and the text of every page (pdftotext -layout).
set -u
out="$1"
fail=0
bad() { echo "FAIL: $*"; fail=1; }

pdf() { ps2pdf "$out/$1.ps" "$out/$1.pdf" 2>/dev/null || bad "$1: ps2pdf failed"; }
pages() { pdfinfo "$out/$1.pdf" 2>/dev/null | sed -n 's/^Pages: *//p'; }
# "landscape" or "portrait" from the page size in points and the page's rotation
orientation() {
  pdfinfo "$out/$1.pdf" | awk '
    /^Page size:/ { wide = ($3 > $5) }
    /^Page rot:/ { turned = ($3 == 90 || $3 == 270) }
    END { print (wide != turned) ? "landscape" : "portrait" }'
}
page_text() { pdftotext -layout -f "$2" -l "$2" "$out/$1.pdf" - 2>/dev/null; }
has() { printf '%s\n' "$1" | grep -q -- "$2"; }
# column (0-based) where the first match of $2 ends in text $1
end_col() { printf '%s\n' "$1" | grep -m1 -- "$2" | awk -v w="$2" '{ print index($0, w) + length(w) - 1 }'; }
start_col() { printf '%s\n' "$1" | grep -m1 -- "$2" | awk -v w="$2" '{ print index($0, w) }'; }

for f in table table-long table-wide plain orient-30 orient-31 empty junk long-line many-columns long-field jobname; do
  [ -s "$out/$f.ps" ] || { bad "$f.ps was not printed"; continue; }
  pdf "$f"
done

# The table example: one page, page header, column names, aligned columns.
t=$(page_text table 1)
[ "$(pages table)" = 1 ] || bad "table: $(pages table) pages, want 1"
has "$t" "Messwerte Anlage 3 .*Seite 1" || bad "table: title and 'Seite 1' not on one line"
has "$t" "Name .*Wert .*Einheit" || bad "table: no column-header row"
a=$(end_col "$t" "12.5"); b=$(end_col "$t" "180"); c=$(end_col "$t" "3.25"); d=$(end_col "$t" "1450")
[ -n "$a" ] && [ "$a" = "$b" ] && [ "$b" = "$c" ] && [ "$c" = "$d" ] ||
  bad "table: numbers not right-aligned (ends $a $b $c $d)"
a=$(start_col "$t" "bar"); b=$(start_col "$t" "1/min"); c=$(start_col "$t" "m3/h")
[ -n "$a" ] && [ "$a" = "$b" ] && [ "$b" = "$c" ] || bad "table: units not left-aligned ($a $b $c)"

# A long table: the page header and the column names on every page, rows in order.
n=$(pages table-long)
[ "${n:-0}" -ge 2 ] || bad "table-long: $n pages, want 2 or more"
i=1; last=0
while [ "$i" -le "${n:-0}" ]; do
  p=$(page_text table-long "$i")
  has "$p" "Seite $i" || bad "table-long: page $i has no 'Seite $i'"
  has "$p" "Name .*Wert .*Einheit" || bad "table-long: page $i has no column names"
  first=$(printf '%s\n' "$p" | sed -n 's/.*Sensor\([0-9]*\).*/\1/p' | head -1)
  [ "${first:-0}" -eq $((last + 1)) ] || bad "table-long: page $i starts with row $first, want $((last + 1))"
  last=$(printf '%s\n' "$p" | sed -n 's/.*Sensor\([0-9]*\).*/\1/p' | tail -1)
  i=$((i + 1))
done
[ "$last" = 150 ] || bad "table-long: last row $last, want 150"

# Too wide for the page even at the smallest size: plain layout.
p=$(page_text table-wide 1)
has "$p" "- 1 -" && ! has "$p" "Seite" || bad "table-wide: not printed in the plain layout"

# Plain layout: page number, prefix characters, wrapped paragraph.
p=$(page_text plain 1)
[ "$(printf '%s\n' "$p" | grep -v '^\s*$' | head -1 | tr -d ' ')" = "-1-" ] || bad "plain: page 1 does not start with - 1 -"
has "$p" "AB und A&B" || bad "plain: ampersands not printed as prefix characters"
has "$p" "Ende" && has "$p" "schmalen" || bad "plain: text missing"
[ "$(printf '%s\n' "$p" | grep -c 'Absatz\|Hochformat\|schmalen')" -ge 2 ] || bad "plain: paragraph not wrapped"

[ "$(orientation orient-30)" = landscape ] || bad "orient-30: not landscape"
[ "$(orientation orient-31)" = portrait ] || bad "orient-31: not portrait"
[ "$(pages empty)" = 1 ] && has "$(page_text empty 1)" "- 1 -" || bad "empty: want one page with - 1 -"
! has "$(page_text long-line 1)" "never printed" || bad "long-line: text after a cut line printed"
has "$(page_text jobname 1)" "TTTTTTTTTTTTTTTTTTTT" || bad "jobname: job name not in the page header"

# Cancelled: whatever reached the spooler is far from all 3000 lines.
if [ -s "$out/cancelled.ps" ] && ps2pdf "$out/cancelled.ps" "$out/cancelled.pdf" 2>/dev/null; then
  [ "$(pages cancelled)" -lt 40 ] || bad "cancelled: $(pages cancelled) pages printed"
fi

[ $fail -eq 0 ] && echo "print output as expected"
exit $fail
