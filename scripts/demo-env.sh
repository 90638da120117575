# Sourced by `make run` and scripts/beam: where the demo keeps its Wine
# prefix, its application folder and the demo Bluetooth stack's folders.
QW_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QW_DEMO="$QW_ROOT/build/demo"
export QW_WINEPREFIX="$QW_DEMO/wineprefix"
QW_DEMO_APP="$QW_DEMO/app"
QW_DEMO_INBOX="$QW_DEMO/bluetooth/inbox"
QW_DEMO_ROOT="$QW_DEMO/bluetooth/root"
source "$QW_ROOT/scripts/wine-env.sh"

# A Unix path as Wine sees it (its Z: drive is the Unix root).
winpath() {
  local p
  p="$(realpath -m "$1")"
  printf 'Z:%s' "${p//\//\\}"
}
