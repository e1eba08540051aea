#!/usr/bin/env bash
# Runs the test suite of build tree $1, several tests at a time, each in one
# of ZEM_TEST_SLOTS Wine slots: a prefix, a persistent server and a display
# of its own, so that no test sees another's windows. CTest hands out the
# slots (the tests ask for one "wine" resource each). Further arguments go to
# ctest (-R <regex> runs a part of it).
set -u
. "$(dirname "$0")/wine-env.sh" "$1"
zem_check_wine || exit 1
way=$(zem_wine_way)
echo "The $zem_bits-bit suite runs $way."
# An emulated program takes the processor many times over: fewer of them
# side by side keep the machine from starving the tests beside them.
slots=4
[ "$way" = natively ] || slots=2
slots=${ZEM_TEST_SLOTS:-$slots}
# The crash tests kill the player at every message natively; emulated, at
# every third (ZEM_CRASH_STRIDE sets another), which keeps the suite in time.
stride=1
[ "$way" = natively ] || stride=3
export ZEM_CRASH_STRIDE=${ZEM_CRASH_STRIDE:-$stride}
slot_root="$zem_build/wine-slots"
base_prefix=$WINEPREFIX

# Each slot stops its server and display, also when the run is cut short.
stop_slots() {
    local slot
    for slot in "$slot_root"/*/; do
        [ -f "$slot/display" ] || continue
        WINEPREFIX="$slot/prefix" "$WINESERVER" -k </dev/null >/dev/null 2>&1
        [ -f "$slot/xvfb-pid" ] && kill "$(cat "$slot/xvfb-pid")" 2>/dev/null
    done
}
trap stop_slots EXIT

# The prefix is made once per tree (the slow part), with the crash debugger
# off, then copied into every slot afresh for each run.
if [ ! -f "$base_prefix/system.reg" ]; then
    zem_start_display || exit 1
    zem_make_prefix
    # The server saves the registry when it ends with the last program.
    "$WINESERVER" -w </dev/null >/dev/null 2>&1
    zem_stop_display
fi
[ -f "$base_prefix/system.reg" ] || { echo "test-session: no Wine prefix in $base_prefix" >&2; exit 1; }

# A prefix is over a gigabyte, nearly all of it Wine's own programs and
# libraries, which nothing writes: those are linked, the rest is copied.
wine_folders=(drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs)
copy_prefix() {
    local folder excluded=()
    for folder in "${wine_folders[@]}"; do excluded+=(--exclude="./$folder"); done
    mkdir -p "$2" &&
        tar -C "$1" "${excluded[@]}" -cf - . | tar -C "$2" -xf - || return 1
    for folder in "${wine_folders[@]}"; do
        [ ! -d "$1/$folder" ] || cp -al "$1/$folder" "$2/$folder" || return 1
    done
}

start_slot() {
    local slot="$slot_root/$1"
    copy_prefix "$base_prefix" "$slot/prefix" || return 1
    export WINEPREFIX="$slot/prefix"
    unset DISPLAY
    zem_start_display || return 1
    echo "$zem_xvfb_pid" >"$slot/xvfb-pid"
    zem_prepare_wine
    echo "$DISPLAY" >"$slot/display"
}

stop_slots
rm -rf "$slot_root"
spec='{"version": {"major": 1, "minor": 0}, "local": [{"wine": ['
for id in $(seq 1 "$slots"); do
    mkdir -p "$slot_root/$id"
    start_slot "$id" &
    spec+="{\"id\": \"$id\", \"slots\": 1}"
    [ "$id" -lt "$slots" ] && spec+=', '
done
wait
spec+=']}]}'
for id in $(seq 1 "$slots"); do
    [ -f "$slot_root/$id/display" ] || { echo "test-session: Wine slot $id did not start" >&2; exit 1; }
done
echo "$spec" >"$slot_root/resources.json"

cd "$zem_build" && ctest --output-on-failure --timeout 120 -j "$slots" \
    --resource-spec-file "$slot_root/resources.json" "${@:2}"
