#!/bin/sh
# Setup on a machine that can neither run 32-bit programs nor register an
# emulator for them stops with exactly one line that names what is missing,
# and changes nothing. The missing capabilities are feigned, so this runs on
# any machine; a feigned root check cannot touch binfmt_misc.
setup="$(dirname "$0")/../scripts/setup-i386.sh"
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
status=0

expect_failure() { # <feigned capabilities> <what the line must name>
    ZEM_SETUP_FEIGN="$1" bash "$setup" >"$out" 2>"$err"
    rc=$?
    if [ $rc -eq 0 ] || [ -s "$out" ] || [ "$(wc -l <"$err")" -ne 1 ] ||
       ! grep -q "^setup: this machine cannot run 32-bit programs, and .*$2" "$err"; then
        echo "feigned '$1': exit $rc, expected one line naming '$2'; it printed:"
        cat "$out" "$err"
        status=1
    fi
}

expect_failure "no-i386 no-root" "needs root"
expect_failure "no-i386 no-binfmt" "binfmt_misc"

# Feigning no root changes nothing where 32-bit programs run.
if ! ZEM_SETUP_FEIGN=no-root bash "$setup" >"$out" 2>"$err" ||
   ! grep -q "^setup: 32-bit programs run \(natively\|emulated by \)" "$out"; then
    echo "with 32-bit programs running, setup failed or did not say how they run:"
    cat "$out" "$err"
    status=1
fi
exit $status
