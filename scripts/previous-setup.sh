#!/usr/bin/env bash
# Builds the 64-bit setup program of an earlier release from its commit, for
# the upgrade test (the win64 build runs it once; a later build finds the
# result): exports the commit's tree with `git archive` into DIR/src, builds
# only its `setup` target in DIR/build, two jobs, and leaves the setup
# program in DIR/dist. Fails when the commit is not in this clone's history.
#
#   scripts/previous-setup.sh COMMIT DIR
set -euo pipefail
commit="$1"
dir="$2"
root="$(cd "$(dirname "$0")/.." && pwd)"
# The outer build's make must not hand its jobs to this one.
unset MAKEFLAGS MFLAGS MAKELEVEL

if [ "$(cat "$dir/src/.commit" 2>/dev/null)" != "$commit" ]; then
  rm -rf "$dir/src" "$dir/src.part"
  mkdir -p "$dir/src.part"
  git -C "$root" archive --format=tar "$commit" | tar -x -C "$dir/src.part"
  echo "$commit" > "$dir/src.part/.commit"
  mv "$dir/src.part" "$dir/src"
fi
cmake -S "$dir/src" -B "$dir/build" -DCMAKE_BUILD_TYPE=Release -DQW_BUILD_TESTS=OFF -DQW_BUILD_BENCH=OFF \
      -DCMAKE_TOOLCHAIN_FILE="$dir/src/cmake/mingw-w64-x86_64.cmake" -DQW_DIST_DIR="$dir/dist" >/dev/null
cmake --build "$dir/build" -j 2 --target setup
