#!/bin/sh
# Checks of the shipped 32-bit DLL's tables (its tests and callers run under
# 32-bit wine, see scripts/test.sh):
#  - its import table names only system DLLs, and no math function of the
#    C runtime (the formula engine's functions are the library's own, so
#    its results cannot depend on the host's msvcrt.dll);
#  - its export table holds exactly the plain (C-linkage) names listed in
#    tests/exports/*.txt, plus the members of the two exported classes under
#    g++'s names and under Microsoft's (scripts/class-exports.py derives the
#    latter from the headers and checks each);
#  - it carries a resource section.
set -eu
dll="$1"
dump=$(i686-w64-mingw32-objdump -p "$dll")
fail=0

system_dlls='^(kernel32|user32|gdi32|comdlg32|comctl32|advapi32|shell32|ole32|oleaut32|winspool\.drv|version|shlwapi|msvcrt|uxtheme|hhctrl\.ocx)(\.dll)?$'
for d in $(printf '%s\n' "$dump" | sed -n 's/^\s*DLL Name: //p'); do
  if ! printf '%s\n' "$d" | tr 'A-Z' 'a-z' | grep -Eq "$system_dlls"; then
    echo "imports a non-system DLL: $d"; fail=1
  fi
done

# The names msvcrt.dll's imports hold, one a line (objdump lists each DLL's
# imports under its "DLL Name:" line until an empty line).
crt_imports=$(printf '%s\n' "$dump" | awk '/DLL Name: /{crt = tolower($3) == "msvcrt.dll"; next}
  crt && NF == 0 {crt = 0} crt && NF >= 2 && $1 ~ /^[0-9a-f]+$/ {print $NF}')
math='^_?(a?(sin|cos|tan)h?|atan2|exp2?|expm1|log(10|2|1p)?|pow|sqrt|cbrt|hypot|fmod|remainder|floor|ceil|trunc|round|fabs|ldexp|frexp|modf)[fl]?$'
math_imports=$(printf '%s\n' "$crt_imports" | grep -E "$math" || true)
[ -z "$math_imports" ] || { echo "imports math functions from msvcrt.dll:"; echo "$math_imports"; fail=1; }

exported=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^\s*\[ *[0-9]*\] //p' | grep -v '^_Z\|^?' | sort -u)
expected=$(cat "$(dirname "$0")/../tests/exports/"*.txt | sed 's/#.*//; s/\s//g; s/=.*//' | grep -v '^$' | sort -u)
missing=$(comm -13 "$(printf '%s\n' "$exported" > /tmp/vt_exp.$$; echo /tmp/vt_exp.$$)" \
  "$(printf '%s\n' "$expected" > /tmp/vt_want.$$; echo /tmp/vt_want.$$)")
extra=$(comm -23 /tmp/vt_exp.$$ /tmp/vt_want.$$)
rm -f /tmp/vt_exp.$$ /tmp/vt_want.$$
[ -z "$missing" ] || { echo "missing exports:"; echo "$missing"; fail=1; }
[ -z "$extra" ] || { echo "unexpected exports:"; echo "$extra"; fail=1; }

python3 "$(dirname "$0")/class-exports.py" check "$dll" i686-w64-mingw32-objdump || fail=1

i686-w64-mingw32-objdump -h "$dll" | grep -q '\.rsrc' || { echo "no resource section"; fail=1; }

n=$(printf '%s\n' "$expected" | wc -l)
[ $fail -eq 0 ] && echo "i686 DLL: $n plain exports as listed, system imports only (no math functions), resources present"
exit $fail
