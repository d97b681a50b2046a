#!/bin/sh
# Makes the DLL's import library and the export definitions installed with
# it, from the linker's list of exports:
#   - every export under its exported name (aliases such as time=vt_time
#     under the alias);
#   - a stdcall function (defined by the objects as _Name@n) as Name@n: its
#     callers, compiled from the header's declaration, import
#     _imp__Name@n, while the DLL exports the plain name (dlltool -k maps one
#     to the other).
# usage: import-library.sh NM DLLTOOL LINKER_DEF OUT_DEF IMPLIB DLLNAME OBJECT...
set -eu
nm=$1 dlltool=$2 linker_def=$3 out_def=$4 implib=$5 dll=$6
shift 6
"$nm" -g --defined-only "$@" > "$out_def.symbols"
awk '$2 == "T" && $3 ~ /^_[A-Za-z_][A-Za-z0-9_]*@[0-9]+$/ { print substr($3, 2) }' "$out_def.symbols" |
  sort -u > "$out_def.stdcall"
awk -v dll="$dll" -v list="$out_def.stdcall" '
  FILENAME == list { at = index($0, "@"); size[substr($0, 1, at - 1)] = substr($0, at); next }
  /^EXPORTS/ { print "LIBRARY \"" dll "\""; print "EXPORTS"; go = 1; next }
  go && NF {
    name = $1
    data = ($NF == "DATA") ? " DATA" : ""
    if (name in size) name = name size[name]
    print "    " name data
  }' "$out_def.stdcall" "$linker_def" > "$out_def"
rm -f "$out_def.symbols" "$out_def.stdcall"
"$dlltool" -k -d "$out_def" -D "$dll" -l "$implib"
