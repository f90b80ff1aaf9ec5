#!/usr/bin/env bash
# Builds Kestrane Builder and opens its main window. On a machine without a
# display it says so and writes the default house with the command line
# instead, then shows the start of what it wrote.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" build >/dev/null
if [ -x "$root/build/src/app/kestrane-builder" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$root/build/src/app/kestrane-builder"
fi
if [ -x "$root/build/src/app/kestrane-builder" ]; then
  echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set): writing the default house with kestrane instead."
fi
"$root/build/src/cli/kestrane" house
file=$(ls -t -- *.b3d | sed -n 1p)
echo "--- $(pwd)/$file (first 40 lines, Windows-1250 shown as UTF-8) ---"
# sed reads to the end: head would stop early and, under pipefail, the
# writer's broken pipe would fail the script.
iconv -f WINDOWS-1250 -t UTF-8 "$file" | tr -d '\r' | sed -n '1,40p'
