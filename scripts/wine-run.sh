#!/bin/sh
# Runs one Windows program under wine64 in the project's private prefix.
# The first, empty command starts wine's background processes detached, so
# that the program's own exit is not held up waiting for them.
: "${WINEPREFIX:=${VELTRA_WINEPREFIX:-$HOME/.veltra-wine}}"
export WINEPREFIX WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINE=/usr/lib/wine/wine64
"$WINE" cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
exec "$WINE" "$@"
