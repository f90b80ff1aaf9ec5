#!/usr/bin/env bash
# A bounded libFuzzer run of the B3D reader.
# Usage: run_fuzzer.sh FUZZER KESTRANE WORK_DIR SECONDS
#
# The seed corpus is the hand-written files in fuzz/seeds plus objects the
# command line generates (houses of every roof kind in both languages, small
# terrains). New inputs that reach new code collect in WORK_DIR/corpus; an
# input that fails is saved as WORK_DIR/crash-*, leak-*, timeout-* or oom-*.
set -euo pipefail
fuzzer=$1 kestrane=$2 work=$3 seconds=$4
here=$(cd "$(dirname "$0")" && pwd)

seeds=$work/seeds
rm -rf "$seeds"
mkdir -p "$seeds" "$work/corpus"
cp "$here"/seeds/*.b3d "$seeds/"
generate() {  # NAME ARGS...: one generated object as a seed
  local name=$1; shift
  local dir; dir=$(mktemp -d "$work/generate.XXXXXX")
  "$kestrane" "$@" -C "$dir" >/dev/null
  for file in "$dir"/*.b3d; do mv "$file" "$seeds/$name-$(basename "$file")"; done
  rm -rf "$dir"
}
# Every roof kind the command line knows, as its refusal of an unknown one
# lists them ("must be pitched, hip, ... or saltbox, not ...").
roofs=$({ "$kestrane" house --lang en --roof '?' 2>&1 || true; } | sed -n 's/.*must be \(.*\), not ".*/\1/p' |
  sed 's/,\{0,1\} or /, /g; s/,//g')
[ -n "$roofs" ] || { echo "run_fuzzer.sh: no roof kinds from $kestrane" >&2; exit 1; }
for roof in $roofs; do
  generate "$roof-hu" house --lang hu --roof "$roof" --chimney-size 2 --stair-side 2 --wall-color 1,2,3
  generate "$roof-en" house --lang en --roof "$roof" --roof-level-texture --corner-left --straight-stairs
done
generate terrain-peaks terrain --area 10,20 --resolution 4,8 --slope 1,-2 --peak 2,4,3,2,200,10,10 --peak 1,1,-2,1
generate terrain-curve terrain --lang en --area 12,12 --resolution 6,6 --curve 2,1,5 --texture b.bmp --no-color

# Limits: the run as a whole, one input (a hang), the memory of the process
# (one allocation above it counts too), and the size of an input. A reader
# that keeps its work linear in the input and its memory within its stated
# limits stays far below them.
"$fuzzer" \
  -max_total_time="$seconds" \
  -timeout=10 \
  -rss_limit_mb=2048 \
  -max_len=32768 \
  -dict="$here/b3d.dict" \
  -artifact_prefix="$work/" \
  -print_final_stats=1 \
  "$work/corpus" "$seeds"
