#!/usr/bin/env bash
# Configures and builds the three builds:
#   build/native  the portable core and its unit tests (the machine's g++)
#   build/win32   the shipped 32-bit programs (mingw-w64 i686)
#   build/win64   the same sources for 64-bit Windows, with the Wine suites
# Arguments name the builds to make (default: all three); `--target NAME`
# first builds only that target of each (e.g. setup, the setup program).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
target=()
if [ "${1:-}" = --target ]; then
  target=(--target "$2")
  shift 2
fi
builds=("$@")
[ ${#builds[@]} -eq 0 ] && builds=(native win32 win64)

for b in "${builds[@]}"; do
  case "$b" in
    native) cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null ;;
    win32)  cmake -S . -B build/win32 -DCMAKE_BUILD_TYPE=Release -DQW_BUILD_TESTS=OFF -DQW_BUILD_BENCH=OFF \
                  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake >/dev/null ;;
    win64)  cmake -S . -B build/win64 -DCMAKE_BUILD_TYPE=Release \
                  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null ;;
    *) echo "unknown build: $b" >&2; exit 2 ;;
  esac
  echo "== building $b"
  cmake --build "build/$b" -j "$jobs" "${target[@]}"
done
