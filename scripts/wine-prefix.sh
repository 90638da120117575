#!/usr/bin/env bash
# Creates the private Wine prefix once (wineboot must not run in parallel).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
if [ ! -f "$WINEPREFIX/.qw-ready" ]; then
  echo "== preparing the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$QW_WINE" wineboot --init >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.qw-ready"
fi
