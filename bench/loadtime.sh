#!/bin/bash
# The full-size terrain (100 x 1000 cells, eight coloured peaks, a curve)
# written by `kestrane terrain` and loaded by the simulator's own object
# loader: generation time, a durable copy of the output, the loader's time
# and the estimate of `kestrane check`, side by side (see bench/README.md).
#
#   bash bench/loadtime.sh [KESTRANE] [-- EXTRA TERRAIN OPTIONS...]
#
# KESTRANE defaults to build/src/cli/kestrane. Options after "--" are added
# to the terrain's (e.g. --tile-length 25, --two-sided, --layout cells);
# --layout simulator is the default. SIMCHECK_RELEASE picks the loader's
# release; RUNS (default 5) the generations and copies timed (median):
# each run generates over the previous run's set (which the generation
# replaces) and once more into an emptied folder, as the copy is made
# (and once more over that copy, replacing its files as the generation
# over its set does);
# LOADS (default 1) the loader runs over the set (median of their CPU times).
# COMPARE names a second build, timed the same way in every round right
# after the first: two builds compared in turn, at the same moments (the
# machine's own speed drifts from minute to minute; use RUNS=60 or more).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kestrane=$here/build/src/cli/kestrane
if [ $# -gt 0 ] && [ "$1" != "--" ]; then kestrane=$1; shift; fi
if [ $# -gt 0 ] && [ "$1" = "--" ]; then shift; fi
kestrane=$(realpath "$kestrane")
runs=${RUNS:-5}
simcheck=${SIMCHECK:-/work/shared/tools/simcheck.sh}
work=$(mktemp -d /tmp/kbench.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/set" "$work/copy"

terrain=(terrain --lang en --layout simulator --area 1000,10000 --resolution 100,1000 --slope 5,-20
         --offset -500,2.5,0 --curve 30,300,600
         --peak 20,100,15,10,0,200,250 --peak 50,200,-8,25,30,200,220 --peak 80,400,20,30,60,200,190
         --peak 30,500,5,5,90,200,160 --peak 60,700,12,40,120,200,130 --peak 10,800,-6,15,150,200,100
         --peak 90,900,9,20,180,200,70 --peak 50,950,30,60,210,200,40 "$@")

median() { sort -g | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
now() { date +%s.%N; }

# Seconds `$1` takes to write the terrain in folder $2 (over the set a
# previous round left there).
seconds() {
    local start
    start=$(now)
    (cd "$2" && "$1" "${terrain[@]}" >/dev/null 2>&1)
    echo "$(now) - $start" | bc
}
# Build $1 over its set in $2, then into an emptied folder, as the copy
# below is made: appended to the arrays named $3 and $4.
time_build() {
    local -n over=$3 empty=$4
    over+=("$(seconds "$1" "$2")")
    rm -rf "$work/fresh" && mkdir "$work/fresh"
    empty+=("$(seconds "$1" "$work/fresh")")
}

compare=${COMPARE:+$(realpath "$COMPARE")}
gen=() fresh=() copy=() recopy=() cgen=() cfresh=()
mkdir "$work/cset"
for ((k = 0; k < runs; k++)); do
    if [ -n "$compare" ]; then
        time_build "$compare" "$work/cset" cgen cfresh
    fi
    time_build "$kestrane" "$work/set" gen fresh
    rm -f "$work/copy"/*
    start=$(now)
    cp "$work/set"/* "$work/copy"/ && sync
    copy+=("$(echo "$(now) - $start" | bc)")
    # Once more over the copy just made, as the generation over its set:
    # both then also drop the files they replace.
    start=$(now)
    cp "$work/set"/* "$work/copy"/ && sync
    recopy+=("$(echo "$(now) - $start" | bc)")
done
genMedian=$(printf '%s\n' "${gen[@]}" | median)
freshMedian=$(printf '%s\n' "${fresh[@]}" | median)
copyMedian=$(printf '%s\n' "${copy[@]}" | median)
recopyMedian=$(printf '%s\n' "${recopy[@]}" | median)

cd "$work/set"
touch a.bmp  # the texture the objects load: present, never decoded
index=$(ls -- *_tiles.txt 2>/dev/null || true)
objects=$(ls -- *.b3d)
estimate=$("$kestrane" check ${index:-$objects} | sed -n 's/.*simulator load: about \([0-9.]*\) s.*/\1/p' | head -1)
cpus=()
for ((k = 0; k < ${LOADS:-1}; k++)); do
    loader=$( { /usr/bin/time -f "cpu %U %S" bash "$simcheck" $objects; } 2>&1)
    cpus+=("$(echo "$loader" | awk '/^cpu/ {printf "%.2f", $2 + $3}')")
done
errors=$(echo "$loader" | awk -F'errors=' '/^RESULT/ {split($2, a, " "); n += a[1]} END {print n + 0}')
warnings=$(echo "$loader" | awk -F'warnings=' '/^RESULT/ {split($2, a, " "); n += a[1]} END {print n + 0}')
steps=$(echo "$loader" | sed -n 's/.* in \([0-9.]*\) s$/\1/p' | awk '{n += $1} END {printf "%.2f", n}')
cpu=$(printf '%s\n' "${cpus[@]}" | median)
colours=$(echo "$loader" | grep -c "colours:" || true)

echo "files:               $(ls -- *.b3d | wc -l) objects, $(du -cb -- *.b3d | tail -1 | cut -f1) bytes"
echo "generation:          ${genMedian} s (median of $runs: ${gen[*]})"
echo "durable copy:        ${copyMedian} s (cp + sync, median of $runs)"
echo "generation / copy:   $(echo "scale=2; $genMedian / $copyMedian" | bc)"
echo "into an empty folder: ${freshMedian} s (median of $runs: ${fresh[*]}); / copy: $(echo "scale=2; $freshMedian / $copyMedian" | bc)"
echo "copy over the copy:  ${recopyMedian} s (cp + sync over the files the copy before wrote, median of $runs); generation over its set / this: $(echo "scale=2; $genMedian / $recopyMedian" | bc)"
if [ -n "$compare" ]; then
    cgenMedian=$(printf '%s\n' "${cgen[@]}" | median)
    cfreshMedian=$(printf '%s\n' "${cfresh[@]}" | median)
    echo "compared build:      ${cgenMedian} s over its earlier set, ${cfreshMedian} s into an empty folder; / copy: $(echo "scale=2; $cgenMedian / $copyMedian" | bc), $(echo "scale=2; $cfreshMedian / $copyMedian" | bc) ($compare)"
fi
echo "loader, CPU:         ${cpu} s (process user + system, all objects in one run; median of ${#cpus[@]}: ${cpus[*]})"
echo "face lines:          $(cat -- *.b3d | grep -c '^Face') ($(cat -- *.b3d | grep -c '^Face2* [0-9]*,[0-9]*,[0-9]*,[0-9]*') of them of four corners: a cell or a block of cells)"
echo "load average:        $(cut -d' ' -f1-3 /proc/loadavg)"
echo "loader, its steps:   ${steps} s (wall time of parsing and OptimizeObject as it reports them)"
echo "estimate (check):    ${estimate:-?} s"
echo "loader messages:     ${errors} errors, ${warnings} warnings over ${colours} objects"
