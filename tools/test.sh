#!/usr/bin/env bash
# Builds Kestrane Builder and runs every test: the whole suite, then the
# sanitizer build of the core and the command line with its tests and a short
# fuzzing run of the B3D reader (tools/sanitize.sh; KESTRANE_SANITIZE=0 skips it,
# KESTRANE_FUZZ_SECONDS sets the fuzzing run's length, 120 s unless given).
# The Windows command line is built and compared with the Linux one under Wine
# (tools/windows.sh test; KESTRANE_WINDOWS=0 skips it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" build
status=0
(cd "$root/build" && ctest --output-on-failure -j 2) || status=$?
# kestrane.exe under Wine against the Linux build (KESTRANE_WINDOWS=0 skips it).
if [ "${KESTRANE_WINDOWS:-1}" != 0 ]; then
  "$root/tools/windows.sh" test || status=$?
fi
if [ "${KESTRANE_SANITIZE:-1}" != 0 ]; then
  "$root/tools/sanitize.sh" build-sanitize || status=$?
fi
exit "$status"
