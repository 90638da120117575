#!/usr/bin/env bash
# `make dist`: the setup programs, built with NSIS from installer/quillwave.nsi:
#   build/dist/quillwave-1.2-setup.exe      the 64-bit programs: the one to take,
#                                           and the one the tests install under Wine
#   build/dist/quillwave-1.2-setup-x86.exe  the 32-bit programs, for 32-bit Windows
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh --target setup win32 win64
version=$(sed -n 's/^project(Quillwave VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
for setup in "build/dist/quillwave-$version-setup.exe" "build/dist/quillwave-$version-setup-x86.exe"; do
  [ -f "$setup" ] || { echo "no $setup was made (is makensis installed?)" >&2; exit 1; }
  echo "$setup"
done
