#!/usr/bin/env bash
# The cost of an update cycle, before and after: runs the benchmark of build
# tree $1 and, when commit $2 is given and known to git, the same benchmark
# built from that commit, one after the other in one Wine session, and prints
# their tables side by side. Further arguments go to bench.exe.
set -u
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

zem_start_display || exit 1
trap '"$WINESERVER" -k </dev/null >/dev/null 2>&1; zem_stop_display' EXIT
zem_prepare_wine
if [ -z "$before_exe" ]; then
    "$ZEM_WINE" "$after_exe" "$@"
    exit 0
fi
before=$("$ZEM_WINE" "$before_exe" "$@")
after=$("$ZEM_WINE" "$after_exe" "$@")
echo "before: $base    after: the tree as it is"
echo "$after" | head -1
printf '%-14s %19s %21s %21s %17s\n' "" "messages" "cycle ms" "floor ms" "cycle/floor"
printf '%-14s %9s %9s %10s %10s %10s %10s %8s %8s\n' "clients cycle" before after before after \
    before after before after
paste <(echo "$before" | tail -n +3) <(echo "$after" | tail -n +3) |
    awk '{ printf "%7s  %-5s %9s %9s %10s %10s %10s %10s %8s %8s\n",
                  $1, $2, $3, $9, $4, $10, $5, $11, $6, $12 }'
