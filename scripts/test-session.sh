#!/usr/bin/env bash
# Runs the test suite of build tree $1 inside one display and one Wine server;
# further arguments go to ctest (-R <regex> runs a part of it).
set -u
. "$(dirname "$0")/wine-env.sh" "$1"
zem_check_wine || exit 1
echo "The $zem_bits-bit suite runs $(zem_wine_way)."
zem_start_display || exit 1
trap '"$WINESERVER" -k </dev/null >/dev/null 2>&1; zem_stop_display' EXIT
zem_prepare_wine
export ZEM_WINE_READY=1
cd "$zem_build" && ctest --output-on-failure --timeout 120 "${@:2}"
