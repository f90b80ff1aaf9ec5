#!/usr/bin/env bash
# kestrane.exe under Wine against the Linux build: every case of cases.txt
# and 50 random option sets (random_options.py, fixed seed) run in a fresh
# copy of the same fixture folder by both programs; exit code, stdout,
# stderr and every file written must be byte-identical. Then the checks only
# Windows has: --heightmap refused with exit 2, and the file names written
# from accented arguments. Wine runs in a temporary prefix (removed at the
# end), its server kept up for the whole run.
#
# Usage: tests/windows/run.sh KESTRANE.EXE LINUX_KESTRANE
# Environment: KESTRANE_WINDOWS_RANDOM_SETS (default 50), KESTRANE_WINDOWS_SEED
# (default 27), KESTRANE_WINDOWS_ONLY (a regular expression: only the cases
# of cases.txt and the random sets it matches), KESTRANE_WINDOWS_KEEP=1 keeps
# the work folder.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
win_exe=$(realpath "$1")
linux_exe=$(realpath "$2")
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
work=$(mktemp -d /tmp/kestrane-windows.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A Hungarian locale where there is one (tools/setup.sh makes it): Wine then
# takes code page 1250 for the narrow Windows calls, which kestrane.exe must not
# depend on; the Linux build must not print "1,5" for 1.5.
if locale -a 2>/dev/null | grep -qi "^hu_HU\.utf-\?8$"; then
  export LANG=hu_HU.UTF-8 LC_ALL=hu_HU.UTF-8
else
  export LANG=C.UTF-8 LC_ALL=C.UTF-8
fi

finish() {
  "$wineserver" -k >/dev/null 2>&1 || true
  [ "${KESTRANE_WINDOWS_KEEP:-0}" = 1 ] && echo "work folder kept: $work" || rm -rf "$work"
}
trap finish EXIT

started=$(date +%s.%N)
"$wine" wineboot -i >/dev/null 2>&1
"$wineserver" -p >/dev/null 2>&1 || true
booted=$(date +%s.%N)

# --- The fixture folder every case starts from ---------------------------------
fixtures=$work/fixtures
mkdir -p "$fixtures/sub/deep" "$fixtures/mappa_ő" "$fixtures/locked" "$fixtures/stale"
(
  cd "$fixtures"
  "$linux_exe" house --lang en -o sample.b3d >/dev/null
  cp sample.b3d minta_ű.b3d
  "$linux_exe" terrain --lang en --layout simulator --area 300,200 --tile-length 100 -o sample.b3d >/dev/null
  cat > batch.json <<'JSON'
{"objects": [
  {"kind": "house", "output": "haz1.b3d", "roof": "hip", "width": "7200"},
  {"kind": "house", "output": "haz2.b3d", "roof": "gambrel", "storeys": "2", "windows": ["front:3"], "door": "900,2100"},
  {"kind": "terrain", "output": "domb2.b3d", "layout": "simulator", "peak": ["10,10,5,8"]},
  {"kind": "track", "radius": "450,900", "pieces": "bed,dike-left"}
]}
JSON
  printf '{"kind": "house", "roof": "mansard", "no-gutters": true}\n' > preset.json
  printf '{"objects": [{"kind": "terrain", "output": "t.b3d", "heightmap": "dem.tif"}]}\n' > heightmap_batch.json
  printf '{"kind": "terrain", "heightmap": "dem.tif"}\n' > heightmap_preset.json
  printf '{"kind": "house", "roof": "saltbox", "chimney-size": "3"}\n' > előbeállítás.json
  # No write bit: Linux refuses it even to root, Wine shows it read-only.
  printf 'kept\n' > locked/haz_satorteto.b3d
  chmod a-w locked/haz_satorteto.b3d
  # Left by a process that has ended (no such process id on either system).
  printf 'stale\n' > stale/.haz_satorteto.b3d.tmp999999-0
)

failures=0
passed=0
fail() {
  echo "FAIL $1: $2"
  failures=$((failures + 1))
}

# The case's folder as Windows names it under Wine (drive Z: is /).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# run_case NAME LINUX_ARGS WINDOWS_ARGS PAIRED (each a string of shell words;
# PAIRED=1: paths in the messages are compared with their separators alike)
run_case() {
  local name=$1 linux_words=$2 windows_words=$3 paired=$4
  local case_dir=$work/cases/$name
  local lin=$case_dir/linux win=$case_dir/windows
  mkdir -p "$case_dir"
  cp -a "$fixtures" "$lin"
  cp -a "$fixtures" "$win"
  local -a linux_args windows_args
  eval "linux_args=(${linux_words//@DIR@/$lin})"
  eval "windows_args=(${windows_words//@DIR@/$(windows_path "$win")})"
  local linux_code windows_code
  (cd "$lin" && "$linux_exe" "${linux_args[@]}" >"$case_dir/linux.out" 2>"$case_dir/linux.err" </dev/null)
  linux_code=$?
  (cd "$win" && "$wine" "$win_exe" "${windows_args[@]}" >"$case_dir/windows.out" 2>"$case_dir/windows.err" </dev/null)
  windows_code=$?
  if [ "$paired" = 1 ]; then
    # Each system prints the paths it was given its own way: the case's
    # folder and the separators are put alike before comparing.
    local stream
    for stream in out err; do
      sed -i "s|$lin|@DIR@|g" "$case_dir/linux.$stream"
      local windows_dir
      windows_dir=$(windows_path "$win" | sed 's/\\/\\\\/g')
      sed -i -e "s|$windows_dir|@DIR@|g" -e 's|\\|/|g' "$case_dir/windows.$stream"
    done
  fi
  local ok=1
  [ "$linux_code" = "$windows_code" ] || { fail "$name" "exit code $windows_code, Linux $linux_code"; ok=0; }
  cmp -s "$case_dir/linux.out" "$case_dir/windows.out" ||
    { fail "$name" "stdout differs"; diff "$case_dir/linux.out" "$case_dir/windows.out" | head -5; ok=0; }
  cmp -s "$case_dir/linux.err" "$case_dir/windows.err" ||
    { fail "$name" "stderr differs"; diff "$case_dir/linux.err" "$case_dir/windows.err" | head -5; ok=0; }
  diff -r "$lin" "$win" >"$case_dir/files.diff" 2>&1 ||
    { fail "$name" "files differ"; head -5 "$case_dir/files.diff"; ok=0; }
  [ "$ok" = 1 ] && passed=$((passed + 1))
  rm -rf "$lin" "$win"
}

run_list() {
  local name words
  while IFS=$'\t' read -r name words; do
    case "$name" in '' | '#'*) continue ;; esac
    [[ "$name" =~ ${KESTRANE_WINDOWS_ONLY:-.} ]] || continue
    if [[ "$words" == *' || '* ]]; then
      run_case "$name" "${words%% || *}" "${words#* || }" 1
    else
      run_case "$name" "$words" "$words" 0
    fi
  done
}

# lang.cfg of the fixture folder decides for "house" without --lang.
printf 'hu' > "$fixtures/lang.cfg"
run_list <"$here/cases.txt"
python3 "$here/random_options.py" "$linux_exe" "${KESTRANE_WINDOWS_RANDOM_SETS:-50}" \
  "${KESTRANE_WINDOWS_SEED:-27}" >"$work/random.txt"
run_list <"$work/random.txt"

# --- What only Windows has ------------------------------------------------------
check_windows() {
  local name=$1 expected_code=$2 expected_err=$3
  shift 3
  local dir=$work/cases/$name
  mkdir -p "$dir"
  (cd "$dir" && "$wine" "$win_exe" "$@" >"$dir.out" 2>"$dir.err" </dev/null)
  local code=$?
  if [ "$code" != "$expected_code" ]; then
    fail "$name" "exit code $code, expected $expected_code"
  elif [ "$(cat "$dir.err")" != "$expected_err" ]; then
    fail "$name" "stderr: $(cat "$dir.err")"
  else
    passed=$((passed + 1))
  fi
}
check_windows heightmap-en 2 "kestrane terrain: --heightmap is not available on Windows: elevation data needs the Linux build (the Windows command line has no GDAL) (Heightmap file)" \
  terrain --lang en --heightmap dem.tif
check_windows heightmap-hu 2 "kestrane terrain: --heightmap: Windowson nem használható: a domborzati adatokhoz a Linuxos változat kell (a Windowsos parancssorban nincs GDAL) (Domborzati fájl)" \
  terrain --lang hu --heightmap dem.tif
cp "$fixtures/heightmap_batch.json" "$fixtures/heightmap_preset.json" "$work/cases/" 2>/dev/null || true
check_windows heightmap-batch 2 'kestrane batch: object 1: "heightmap": is not available on Windows: elevation data needs the Linux build (the Windows command line has no GDAL) (Heightmap file)' \
  batch --lang en ../heightmap_batch.json
check_windows heightmap-preset 2 'kestrane terrain: --preset ../heightmap_preset.json: "heightmap": Windowson nem használható: a domborzati adatokhoz a Linuxos változat kell (a Windowsos parancssorban nincs GDAL) (Domborzati fájl)' \
  terrain --lang hu --preset ../heightmap_preset.json
check_windows accents-written 0 "" house --lang hu -o 'ház_ő.b3d'
[ -f "$work/cases/accents-written/ház_ő.b3d" ] || fail accents-written "ház_ő.b3d not written under its name: $(ls "$work/cases/accents-written")"

ended=$(date +%s.%N)
echo "Windows (Wine): $passed passed, $failures failed"
LC_ALL=C awk -v s="$started" -v b="$booted" -v e="$ended" \
  'BEGIN { printf "Windows (Wine): wineboot %.1f s, cases %.1f s\n", b - s, e - b }' 
[ "$failures" = 0 ]
