# Sourced from the repository root (". scripts/wine-env.sh"), by the test
# scripts or by hand: a private wine prefix (64-bit, with the 32-bit system
# beside it for the i686 build) and compiled locales.
# ($0 names the sourcing shell, not this file, so the root is the caller's
# working directory unless VELTRA_ROOT says otherwise.)
VELTRA_ROOT=${VELTRA_ROOT:-$(pwd)}
[ -f "$VELTRA_ROOT/scripts/wine-env.sh" ] || { echo "wine-env.sh: source it from the repository root" >&2; return 1; }
export WINEPREFIX="$VELTRA_ROOT/build/wineprefix"
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export VELTRA_LOCPATH="$VELTRA_ROOT/build/locales"
if [ ! -d "$VELTRA_LOCPATH/de_DE.UTF-8" ]; then
  mkdir -p "$VELTRA_LOCPATH"
  localedef -i de_DE -f UTF-8 "$VELTRA_LOCPATH/de_DE.UTF-8" 2>/dev/null || true
  localedef -i en_US -f UTF-8 "$VELTRA_LOCPATH/en_US.UTF-8" 2>/dev/null || true
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
fi
# The i686 DLL and its callers need the 32-bit half of the prefix. A prefix
# made before 32-bit wine was installed has an empty syswow64: update it.
if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
  rm -f "$WINEPREFIX/.update-timestamp"
  /usr/lib/wine/wine64 wineboot -u >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
  [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] ||
    { echo "wine-env.sh: no 32-bit system in $WINEPREFIX (is wine32:i386 installed?)" >&2; return 1; }
fi
# Xvfb runs no window manager: wine would wait up to 2 s for one whenever a
# managed window (every dialog and message box) is hidden. Unmanaged windows
# close at once.
if ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
fi
