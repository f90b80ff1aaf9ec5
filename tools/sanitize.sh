#!/usr/bin/env bash
# Builds the core and the command line with Clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, runs their tests there, and fuzzes the B3D
# reader for a bounded time (fuzz/run_fuzzer.sh). tools/test.sh runs it after
# the main test suite; tools/setup.sh installs what it needs.
# Usage: tools/sanitize.sh [BUILD_DIR]   (default: build-sanitize)
# KESTRANE_FUZZ_SECONDS sets the length of the fuzzing run (default 120, as
# in CI; 0 leaves the fuzzing run out, the saved inputs are still replayed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-build-sanitize}
cd "$root"
command -v clang++ >/dev/null || { echo "sanitize.sh: clang++ is missing: run tools/setup.sh first" >&2; exit 1; }

# lld: it links the large sanitized programs faster, and it does not depend on
# the order of the archives (the prebuilt GoogleTest library, compiled by g++,
# can otherwise pull a core object in after the libraries it needs).
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld \
  -DKESTRANE_BUILD_GUI=OFF -DKESTRANE_BUILD_FUZZERS=ON \
  -DKESTRANE_FUZZ_SECONDS="${KESTRANE_FUZZ_SECONDS:-120}" >/dev/null
cmake --build "$build_dir"

# Readable stack traces without llvm-symbolizer (addr2line comes with binutils).
export ASAN_OPTIONS=${ASAN_OPTIONS:-allow_addr2line=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-allow_addr2line=1:print_stacktrace=1}
cd "$build_dir"
ctest --output-on-failure -j 2
