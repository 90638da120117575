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
# Wine turns command-line arguments into UTF-16 with the Unix locale's
# character set: a UTF-8 locale keeps non-ASCII file names intact.
case "${LC_ALL:-${LANG:-}}" in
  *UTF-8*|*utf8*) ;;
  *) export LC_ALL=C.UTF-8 ;;
esac
