#!/usr/bin/env bash
# The Windows command line, kestrane.exe: cross-compiled with MinGW-w64 and
# statically linked (no DLL to ship), tested under Wine against the Linux
# build, packed into a zip for Windows users.
#
# Usage: tools/windows.sh build   configure and build build-windows/src/cli/kestrane.exe
#        tools/windows.sh test    build, then run tests/windows/run.sh under Wine
#                                 (needs the Linux build in build/: tools/setup.sh)
#        tools/windows.sh zip     build, then write build-windows/kestrane-windows.zip
# Installs what it needs on Debian 12 (g++-mingw-w64-x86-64-posix, wine64, zip).
# Environment: KESTRANE_WINDOWS_BUILD (default build-windows), KESTRANE_LINUX_BUILD
# (default build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build_dir=${KESTRANE_WINDOWS_BUILD:-build-windows}
linux_build=${KESTRANE_LINUX_BUILD:-build}
command=${1:-build}

install_missing() {
  local missing=() package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {
  install_missing g++-mingw-w64-x86-64-posix cmake ninja-build nlohmann-json3-dev
  if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$build_dir" -G Ninja --toolchain cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
      -DKESTRANE_BUILD_GUI=OFF -DKESTRANE_BUILD_TESTS=OFF -DKESTRANE_WARNINGS=ON >/dev/null
  fi
  cmake --build "$build_dir" --target kestrane
  local exe="$build_dir/src/cli/kestrane.exe"
  # Only Windows' own DLLs may be imported.
  local dlls
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  local dll
  for dll in $dlls; do
    case "$dll" in
      kernel32.dll|msvcrt.dll|user32.dll|advapi32.dll|shell32.dll|ws2_32.dll|api-ms-win-*) ;;
      *) echo "kestrane.exe needs $dll: not a Windows system DLL" >&2; exit 1 ;;
    esac
  done
  echo "$exe (imports: $(echo $dlls | tr ' ' ','))"
}

case "$command" in
  build) build ;;
  test)
    build
    install_missing wine64 python3
    [ -x "$linux_build/src/cli/kestrane" ] || { echo "no Linux build in $linux_build (run tools/setup.sh)" >&2; exit 1; }
    bash tests/windows/run.sh "$build_dir/src/cli/kestrane.exe" "$linux_build/src/cli/kestrane"
    ;;
  zip)
    build
    install_missing zip
    bash tests/windows/package.sh "$build_dir"
    ;;
  *) echo "usage: tools/windows.sh build|test|zip" >&2; exit 2 ;;
esac
