#!/usr/bin/env bash
# Times `kestrane batch` on a batch of houses: the whole run, repeated, and
# the median in milliseconds per house. Writes into a temporary folder on the
# file system of TMPDIR (default /tmp) and removes it at the end.
# Usage: bench/batch_bench.sh path/to/kestrane [HOUSES (1000)] [RUNS (5)]
set -euo pipefail
kestrane=$(realpath "$1")
houses=${2:-1000}
runs=${3:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Houses of varied widths and roofs, each to its own file.
roofs=(pitched hip pyramid flat lean)
{
  printf '{"objects":['
  for ((k = 1; k <= houses; k++)); do
    ((k > 1)) && printf ','
    printf '{"kind":"house","output":"h%05d.b3d","width":"%d","roof":"%s"}' \
      "$k" $((6000 + k % 40 * 100)) "${roofs[k % 5]}"
  done
  printf ']}\n'
} > "$work/batch.json"

times=()
for ((run = 1; run <= runs; run++)); do
  start=$(date +%s%N)
  (cd "$work" && "$kestrane" batch --lang en batch.json > /dev/null)
  end=$(date +%s%N)
  ms=$(((end - start) / 1000000))
  times+=("$ms")
  echo "run $run: $ms ms ($(awk -v t="$ms" -v n="$houses" 'BEGIN { printf "%.2f", t / n }') ms per house)"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
echo "median of $runs: $median ms for $houses houses," \
  "$(awk -v t="$median" -v n="$houses" 'BEGIN { printf "%.2f", t / n }') ms per house"
