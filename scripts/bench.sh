#!/usr/bin/env bash
# The cost of an update cycle, before and after: runs the benchmark of build
# tree $1 and, when commit $2 is given and known to git, the same benchmark
# built from that commit, by turns in one Wine session ($BENCH_ROUNDS rounds,
# 3 by default, so that both meet the same load of a shared machine), and
# prints the median of the rounds, their tables side by side. Further
# arguments go to bench.exe.
set -u -o pipefail
build=$1
base=${2:-}
shift $(( $# < 2 ? $# : 2 ))
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh" "$build"

after_exe="$zem_build/bin/bench.exe"
before_exe=
if [ -n "$base" ] && git -C "$root" cat-file -e "$base^{commit}" 2>/dev/null; then
    before="$zem_build/bench-base"
    rm -rf "$before/src"
    mkdir -p "$before/src"
    { git -C "$root" archive "$base" | tar -x -C "$before/src" &&
      cmake -S "$before/src" -B "$before/build" \
            -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake -DZEM_TESTS=ON >/dev/null &&
      cmake --build "$before/build" --target bench zem rnq -j "${JOBS:-2}" >/dev/null; } ||
        { echo "bench: commit $base could not be built" >&2; exit 1; }
    before_exe="$before/build/bin/bench.exe"
elif [ -n "$base" ]; then
    echo "bench: commit $base is not in this repository; measuring the tree alone" >&2
fi

rounds=${BENCH_ROUNDS:-3}

# The rows of the rounds' tables in file $1, each value the median of its
# rounds ("-" where there is none).
median_of_rounds() {
    local lines
    lines=$(wc -l <"$1")
    LC_ALL=C awk -v rounds="$rounds" -v rows=$((lines / rounds)) '
        { row = (NR - 1) % rows; key[row] = $1 " " $2
          for (c = 3; c <= 6; ++c) value[row, c, int((NR - 1) / rows)] = $c }
        END {
            for (r = 0; r < rows; ++r) {
                line = key[r]
                for (c = 3; c <= 6; ++c) {
                    n = 0
                    for (k = 0; k < rounds; ++k)
                        if (value[r, c, k] != "-") list[n++] = value[r, c, k] + 0
                    for (i = 1; i < n; ++i)
                        for (j = i; j > 0 && list[j - 1] > list[j]; --j) {
                            t = list[j]; list[j] = list[j - 1]; list[j - 1] = t
                        }
                    line = line " " (n ? list[int(n / 2)] : "-")
                }
                print line
            }
        }' "$1"
}

after_rows=$(mktemp)
before_rows=$(mktemp)
trap 'rm -f "$after_rows" "$before_rows"; "$WINESERVER" -k </dev/null >/dev/null 2>&1; zem_stop_display' EXIT
zem_start_display || exit 1
zem_prepare_wine
for round in $(seq 1 "$rounds"); do
    if [ -n "$before_exe" ]; then
        "$ZEM_WINE" "$before_exe" "$@" | tr -d '\r' | tail -n +3 >>"$before_rows" || exit 1
    fi
    "$ZEM_WINE" "$after_exe" "$@" | tr -d '\r' | tail -n +3 >>"$after_rows" || exit 1
done

# The longest hold of the player's thread, by the tree alone (the base has
# no time budget to compare with).
print_hold() {
    echo
    "$ZEM_WINE" "$after_exe" --hold | tr -d '\r'
}

echo "each value: the median of $rounds rounds of bench.exe $*"
if [ -z "$before_exe" ]; then
    echo "clients cycle messages cycle-ms floor-ms cycle/floor"
    median_of_rounds "$after_rows"
    print_hold
    exit
fi
echo "before: $base    after: the tree as it is    times in ms"
printf '%-14s %19s %21s %21s %17s\n' "" "messages" "cycle" "floor" "cycle/floor"
printf '%-14s %9s %9s %10s %10s %10s %10s %8s %8s\n' "clients cycle" before after before after \
    before after before after
paste -d ' ' <(median_of_rounds "$before_rows") <(median_of_rounds "$after_rows") |
    LC_ALL=C awk '{ printf "%7s  %-5s %9s %9s %10.3f %10.3f %10.3f %10.3f %8s %8s\n",
                  $1, $2, $3, $9, $4, $10, $5, $11, $6, $12 }'
print_hold
