#!/usr/bin/env bash
# Installs what the build needs (Debian 12), configures and builds.
# Usage: tools/setup.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}

# One group per line; add a package to its group or a new line.
packages=(
  g++ cmake ninja-build                                    # the build
  googletest libgtest-dev libgmock-dev libbenchmark-dev    # tests, benchmarks
  qt6-base-dev libqt6opengl6-dev libgl-dev libgl1-mesa-dri # windows, preview
  xvfb xauth locales                                       # headless window tests
  fonts-dejavu-core fonts-dejavu-extra                     # fonts (the condensed ones are built into the program)
  qt6-translations-l10n                                    # Qt's own texts in Hungarian
  clang lld libclang-rt-14-dev                             # sanitizer build, libFuzzer (tools/sanitize.sh)
  libgdal-dev                                              # elevation data (src/heightmap)
  nlohmann-json3-dev                                       # presets (JSON)
)
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The tests also run the generators under a Hungarian locale.
if ! locale -a 2>/dev/null | grep -qi '^hu_HU\.utf-\?8$'; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" sed -i 's/^# *hu_HU.UTF-8 UTF-8/hu_HU.UTF-8 UTF-8/' /etc/locale.gen
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRANE_WARNINGS=ON >/dev/null
cmake --build "$build_dir"
