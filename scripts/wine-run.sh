#!/usr/bin/env bash
# The test runner's emulator: runs one Windows program of the build tree $1
# under Wine. Outside a prepared test session it makes its own display and
# server and cleans them up afterwards.
set -u
. "$(dirname "$0")/wine-env.sh" "$1"
shift
own_session=
if [ -z "${ZEM_WINE_READY:-}" ]; then
    zem_start_display || exit 1
    zem_prepare_wine
    own_session=1
fi
"$ZEM_WINE" "$@"
rc=$?
if [ -n "$own_session" ]; then
    "$WINESERVER" -k </dev/null >/dev/null 2>&1
    zem_stop_display
fi
exit $rc
