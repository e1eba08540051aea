# Sourced: the Wine environment of one build tree ($1). The prefix lives
# inside the build tree, so a clean build starts from a clean prefix.
zem_build=$(cd "$1" && pwd)
. "$(dirname "${BASH_SOURCE[0]}")/i386.sh"
export WINEPREFIX="$zem_build/wineprefix"
# A test that CTest gave one of a session's Wine slots (test-session.sh)
# runs in that slot's prefix, server and display, apart from the tests
# running beside it.
if [[ "${CTEST_RESOURCE_GROUP_0_WINE:-}" =~ id:([^,]+) ]]; then
    zem_slot="$zem_build/wine-slots/${BASH_REMATCH[1]}"
    export WINEPREFIX="$zem_slot/prefix"
    DISPLAY=$(cat "$zem_slot/display") && export DISPLAY
    export ZEM_WINE_READY=1
fi
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ru_RU.UTF-8
export LC_ALL=ru_RU.UTF-8
# A 32-bit tree's programs run under 32-bit Wine, in a 64-bit prefix as on
# most of the users' systems; the tree names its pointer size.
zem_bits=$(cat "$zem_build/pointer-bits" 2>/dev/null || echo 64)
if [ "$zem_bits" = 32 ]; then
    ZEM_WINE=/usr/lib/wine/wine
    export WINELOADER=$ZEM_WINE
elif [ -x /usr/lib/wine/wine64 ]; then
    export WINELOADER=/usr/lib/wine/wine64
    ZEM_WINE=/usr/lib/wine/wine64
else
    ZEM_WINE=$(command -v wine64 || command -v wine)
fi
if [ -x /usr/lib/wine/wineserver ]; then
    export WINESERVER=/usr/lib/wine/wineserver
else
    WINESERVER=$(command -v wineserver)
    export WINESERVER
fi

# Fails with one line where this machine cannot run the tree's programs.
zem_check_wine() {
    local said
    if said=$("$ZEM_WINE" --version 2>&1 </dev/null); then return 0; fi
    echo "wine-env: this machine cannot run $zem_bits-bit Windows programs ($ZEM_WINE: ${said:-not found}); for 32-bit ones scripts/setup.sh installs wine32:i386, and scripts/setup-i386.sh an emulator where the kernel cannot run them" >&2
    return 1
}

# How the tree's programs run: natively, or under an emulator.
zem_wine_way() {
    if [ "$zem_bits" = 32 ]; then zem_i386_way; else echo natively; fi
}

# Starts Xvfb on a free display when there is none; sets zem_xvfb_pid.
# Xvfb picks the display itself, so sessions starting side by side never
# take the same one.
zem_start_display() {
    zem_xvfb_pid=
    [ -n "${DISPLAY:-}" ] && return 0
    local said number i
    said=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$said" </dev/null >/dev/null 2>&1 &
    zem_xvfb_pid=$!
    for i in $(seq 1 200); do
        # The number is written, with its line end, once the display is ready.
        if [ "$(wc -l <"$said")" -ge 1 ]; then
            number=$(head -n 1 "$said")
            rm -f "$said"
            export DISPLAY=":$number"
            return 0
        fi
        kill -0 "$zem_xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$said"
    kill "$zem_xvfb_pid" 2>/dev/null
    zem_xvfb_pid=
    echo "wine-env: no display could be started" >&2
    return 1
}

zem_stop_display() {
    if [ -n "${zem_xvfb_pid:-}" ]; then
        kill "$zem_xvfb_pid" 2>/dev/null
        wait "$zem_xvfb_pid" 2>/dev/null
        zem_xvfb_pid=
    fi
}

# Creates the prefix when there is none, with Wine's crash debugger off: a
# program that crashes ends at once, where the debugger would wait for
# nobody and hold the test until its timeout.
zem_make_prefix() {
    "$ZEM_WINE" cmd /c exit </dev/null >/dev/null 2>&1
    "$ZEM_WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Debugger /t REG_SZ /d no-debugger.exe /f </dev/null >/dev/null 2>&1
}

# Starts a persistent server and the prefix's services with no inherited
# pipes: started from inside a test, they would keep its output open and
# hang the test runner.
zem_prepare_wine() {
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    zem_make_prefix
    "$WINESERVER" -p </dev/null >/dev/null 2>&1
    return 0
}
