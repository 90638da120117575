#!/usr/bin/env bash
# `make run`: builds the programs and starts quillwave.exe under Wine with a
# demo Bluetooth stack whose folders are plain folders under build/demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh win32 win64 >/dev/null
source scripts/demo-env.sh

mkdir -p "$QW_DEMO_APP" "$QW_DEMO_INBOX" "$QW_DEMO_ROOT"
scripts/wine-prefix.sh
# The 64-bit build runs everywhere Wine does (see scripts/test.sh).
cp build/win64/bin/quillwave.exe build/win64/bin/quillwavess.scr "$QW_DEMO_APP/"

stack='HKCU\Software\Widcomm\BTConfig\Services'
"$QW_WINE" reg add "$stack\\0004" /v InboxDirectory /t REG_SZ /d "$(winpath "$QW_DEMO_INBOX")" /f >/dev/null
"$QW_WINE" reg add "$stack\\0005" /v root /t REG_SZ /d "$(winpath "$QW_DEMO_ROOT")" /f >/dev/null

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  echo "No display was set: running on a private Xvfb display $DISPLAY."
  echo "  See it with:  DISPLAY=$DISPLAY import -window root shot.png"
fi

stop() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  exit 0
}
trap stop INT TERM

cat <<MSG
Quillwave! runs in a Wine desktop window; its icon is in that desktop's
notification area (bottom right). Click it for the menu.

Application folder: $QW_DEMO_APP
Demo Bluetooth stack: $QW_DEMO_INBOX
                      $QW_DEMO_ROOT
Beam a file from another terminal:   scripts/beam photo.jpg
                       slowly:       scripts/beam --rate 20000 photo.jpg
Press Ctrl+C here to end.
MSG

# A Wine desktop of its own gives the program a notification area even on a
# display without one.
"$QW_WINE" explorer "/desktop=Quillwave,1024x768" "$(winpath "$QW_DEMO_APP/quillwave.exe")" &
wait $! || true
wineserver -w 2>/dev/null || true
stop
