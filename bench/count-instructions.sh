#!/usr/bin/env bash
# Instructions of one parse of FILE by each reader, counted by callgrind (stable on a noisy
# machine), and our count as a share of inih's.
#   bench/count-instructions.sh BENCH_BINARY FILE
set -euo pipefail
bench=${1:?usage: count-instructions.sh BENCH_BINARY FILE}
file=${2:?usage: count-instructions.sh BENCH_BINARY FILE}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

declare -A count
for reader in ours inih; do
    valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out/$reader" \
        "$bench" count "$reader" "$file" >/dev/null 2>&1
    count[$reader]=$(awk '/^totals:/ {print $2}' "$out/$reader")
done
printf 'instructions of one parse of %s\n' "$file"
printf '  ours  %10d\n  inih  %10d\n' "${count[ours]}" "${count[inih]}"
awk -v o="${count[ours]}" -v i="${count[inih]}" \
    'BEGIN { printf "  ours/inih %.2f (inih runs %.2fx as many)\n", o / i, i / o }'
