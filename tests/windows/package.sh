#!/usr/bin/env bash
# Packs kestrane-windows.zip in BUILD_DIR: kestrane.exe (stripped), the
# README, a short README-windows.txt and the licences of what is linked into
# the program (the MinGW-w64 runtime and winpthreads, GCC's libstdc++ and
# libgcc under the GCC Runtime Library Exception, nlohmann-json), taken from
# the Debian packages that built it.
# Usage: tests/windows/package.sh BUILD_DIR   (called by tools/windows.sh zip)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "$1" && pwd)
stage=$build_dir/package/kestrane-windows
rm -rf "$build_dir/package"
mkdir -p "$stage/licenses"

x86_64-w64-mingw32-strip -o "$stage/kestrane.exe" "$build_dir/src/cli/kestrane.exe"
cp "$root/README.md" "$stage/README.md"
# Windows' own line ends for the one text a Windows user opens first.
sed 's/$/\r/' "$root/tests/windows/README-windows.txt" >"$stage/README-windows.txt"

project_licence=$(find "$root" -maxdepth 1 \( -iname 'licen[cs]e*' -o -iname 'copying*' \) | head -1)
if [ -n "$project_licence" ]; then
  cp "$project_licence" "$stage/$(basename "$project_licence")"
else
  echo "note: the project has no licence file at its root; none packed" >&2
fi
cp /usr/share/doc/mingw-w64-common/copyright "$stage/licenses/mingw-w64-runtime.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/licenses/gcc-libstdc++-libgcc.txt"
cp /usr/share/common-licenses/GPL-3 "$stage/licenses/GPL-3.txt"
cp /usr/share/doc/nlohmann-json3-dev/copyright "$stage/licenses/nlohmann-json.txt"

rm -f "$build_dir/kestrane-windows.zip"
(cd "$build_dir/package" && zip -q -X -r "$build_dir/kestrane-windows.zip" kestrane-windows)
echo "$build_dir/kestrane-windows.zip"
unzip -l "$build_dir/kestrane-windows.zip"
