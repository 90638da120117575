#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs both suites: the native
# unit tests and, under Wine on a private display, the Windows suites.
#
# The Windows suites run the 64-bit build under wine64. The 32-bit programs
# (build/win32) are not run: 32-bit Wine needs a kernel that can start
# 32-bit Linux programs, which not every machine has (this project's build
# machines do not); the sources are the same for both.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh || exit 1
echo "== layers"
scripts/check-layers.sh || exit 1
scripts/build.sh || exit 1

# Each setup program holds the build its name says: -x86 the 32-bit one, the
# one without a suffix (which the Wine suite installs) the 64-bit one.
version=$(sed -n 's/^project(Quillwave VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
for exe in build/win32/bin/quillwave.exe build/win32/bin/quillwavess.scr "build/dist/quillwave-$version-setup-x86.exe"; do
  if ! file "$exe" | grep -q 'PE32 executable'; then
    echo "$exe is not a 32-bit Windows program: $(file "$exe" 2>&1)" >&2
    exit 1
  fi
done
if ! file "build/dist/quillwave-$version-setup.exe" | grep -q 'PE32+ executable'; then
  echo "no 64-bit setup program: $(file "build/dist/quillwave-$version-setup.exe" 2>&1)" >&2
  exit 1
fi

status=0
echo "== native suite"
ctest --test-dir build/native --output-on-failure || status=1

scripts/wine-prefix.sh || exit 1
# The Windows suites run in a new random order each time, so a test that
# depends on what an earlier one left behind shows up; the number printed
# replays that order. GTEST_RANDOM_SEED may be given to replay one.
export GTEST_SHUFFLE=1
export GTEST_RANDOM_SEED="${GTEST_RANDOM_SEED:-$(( (RANDOM * 32768 + RANDOM) % 99999 + 1 ))}"
echo "== Windows suites (Wine), in the order of GTEST_RANDOM_SEED=$GTEST_RANDOM_SEED"
echo "   replay: GTEST_SHUFFLE=1 GTEST_RANDOM_SEED=$GTEST_RANDOM_SEED scripts/with-display ctest --test-dir build/win64 --output-on-failure"
scripts/with-display ctest --test-dir build/win64 --output-on-failure || status=1
[ $status -eq 0 ] || echo "Some tests failed; the Windows suites ran in the order of GTEST_RANDOM_SEED=$GTEST_RANDOM_SEED."
exit $status
