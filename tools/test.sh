#!/usr/bin/env bash
# Builds Kestrane Builder and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" build
cd "$root/build"
ctest --output-on-failure -j 2
