#!/usr/bin/env bash
# Writes a sample of houses, terrains and track kits as B3D and as CSV and has the
# simulator's own loader read every twin: each CSV file must load without an
# error and with the same mesh builders, vertices and faces as its B3D file.
# Usage: tools/csv_twins.sh [KESTRANE] [SIMCHECK]
set -euo pipefail
kestrane=$(realpath "${1:-build/src/cli/kestrane}")
simcheck=${2:-/work/shared/tools/simcheck.sh}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

cases=(
  "house --roof pitched --wall-color 200,10,10"
  "house --roof hip --roof-color 10,200,10 --chimney-color 1,2,3"
  "house --roof pyramid --stair-color 9,9,9 --straight-stairs"
  "house --roof flat --roof-edge --no-gutters"
  "house --roof lean --roof-level-texture"
  "house --roof half-hipped --windows front:3 --windows left:2 --door 1000,2100 --stair-corner 2"
  "house --roof gambrel --windows back:2 --lit 50"
  "house --roof mansard --storeys 2 --wall-height 7000 --roof-height 11000 --windows right:2"
  "house --roof saltbox --stair-steps 6 --stair-side 2"
  "terrain --peak 12,12,5,6,200,50,50"
  "terrain --layout simulator --peak 12,12,5,6,200,50,50 --peak 3,4,-2,3"
  "terrain --layout simulator --area 400,400 --tile-length 100"
  "track --radius 0,-300,450.5 --pieces all --cant 40"
  "track --radius 1200 --pieces bed,dike-left,wall-right --no-rails --sleepers 0"
)
failed=0
n=0
for case in "${cases[@]}"; do
  n=$((n + 1))
  mkdir "$n" && cd "$n"
  # A track kit names its own files.
  named=(-o twin.b3d)
  [[ "$case" == track* ]] && named=()
  # shellcheck disable=SC2086
  if ! "$kestrane" $case --lang en "${named[@]}" >/dev/null 2>&1; then
    echo "skipped (refused): $case"; cd ..; continue
  fi
  # The twins in a folder of their own: a tile set in CSV would replace the
  # B3D set of its name.
  mkdir csv
  # shellcheck disable=SC2086
  (cd csv && "$kestrane" $case --lang en "${named[@]}" --format csv >/dev/null)
  # The loader counts a texture as present when a file of its name exists
  # (the day texture and a lit window's night texture after the comma).
  for b3d in *.b3d; do
    grep -ai '^ *load ' "$b3d" | sed 's/^ *[lL][oO][aA][dD] *//; s/[;\r].*//' | tr ',' '\n' |
      while read -r t; do [ -n "$t" ] && : >"$t" && : >"csv/$t"; done
  done
  for b3d in *.b3d; do
    csv=csv/${b3d%.b3d}.csv
    # (The loader exits with 1 after an error: reported below, not fatal here.)
    a=$(bash "$simcheck" "$b3d" | grep '^RESULT' | sed 's/^RESULT [^:]*: //') || true
    r=$(bash "$simcheck" "$csv" | grep '^RESULT' | sed 's/^RESULT [^:]*: //') || true
    counts=${r#*info=* }
    if [[ "$a" != errors=0* || "$r" != errors=0* || "$counts" != "${a#*info=* }" ]]; then
      echo "FAIL $case: $b3d $a / $csv $r"; failed=1
    else
      echo "ok   $case: $csv $counts"
    fi
  done
  cd ..
done
exit $failed
