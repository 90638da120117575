# Sourced by the scripts that start Windows programs: the project's private
# Wine prefix and a quiet Wine. QW_WINEPREFIX chooses another prefix.
QW_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${QW_WINEPREFIX:-$QW_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer dialogs.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# wine64 runs the 64-bit build everywhere; see scripts/test.sh for why.
if [ -x /usr/lib/wine/wine64 ]; then
  QW_WINE=/usr/lib/wine/wine64
else
  QW_WINE=wine
fi
export QW_WINE
