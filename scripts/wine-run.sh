#!/bin/sh
# Runs one Windows program (x86_64 or i686) under wine in the project's
# private prefix (scripts/wine-env.sh makes it). The first, empty command
# starts wine's background processes detached, so that the program's own exit
# is not held up waiting for them.
#
# A 32-bit program that wine cannot start must fail, never pass: without the
# 32-bit loader wine64 runs it as a silent no-op that exits 0, and in a prefix
# made before 32-bit wine was installed it exits 53. Both are refused here.
: "${WINEPREFIX:=${VELTRA_WINEPREFIX:-$HOME/.veltra-wine}}"
export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64
exe="$1"
case "$exe" in *.exe|*.EXE) ;; *) [ -f "$exe.exe" ] && exe="$exe.exe" ;; esac
if [ -f "$exe" ]; then
  # PE header: its offset is at 0x3c, the machine word 4 bytes into it.
  pe=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
  machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$exe" | tr -d ' ')
  if [ "$machine" = 014c ]; then
    [ -x /usr/lib/wine/wine ] || { echo "wine-run: 32-bit wine (wine32:i386) is not installed" >&2; exit 1; }
    [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] || {
      echo "wine-run: $WINEPREFIX has no 32-bit system (re-run scripts/wine-env.sh)" >&2; exit 1; }
  fi
fi
"$WINE" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
exec "$WINE" "$@"
