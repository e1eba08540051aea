#!/usr/bin/env bash
# Runs the installer silently under Wine into a stand-in player's folder,
# found as the player's installer records it and chosen with /D=, and its
# uninstaller: each removes exactly what the installer put there and leaves
# the user's settings file.
set -u
build=$1
setup=$2
root=$(cd "$(dirname "$0")/.." && pwd)
wine() { "$root/scripts/wine-run.sh" "$build" "$@" </dev/null; }
# Wine maps the Unix root to drive Z:.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

work=$(mktemp -d)
player_key='HKCU\Software\Winamp'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\gen_ZEM'
cleanup() {
    wine reg delete "$player_key" /f >/dev/null 2>&1
    wine reg delete "$uninstall_key" /f >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
status=0
fail() { echo "$*"; status=1; }

installed=(gen_ZEM.dll gen_ZEM.html gen_ZEM-uninstall.exe)

check_installed() {
    local folder=$1 name
    for name in "${installed[@]}"; do
        [ -f "$folder/$name" ] || fail "not installed: $folder/$name"
    done
    cmp -s "$folder/gen_ZEM.dll" "$build/bin/gen_ZEM.dll" || fail "$folder/gen_ZEM.dll is not the built DLL"
    wine reg query "$uninstall_key" /v InstallLocation 2>/dev/null | grep -qF "$(winpath "$folder")" ||
        fail "no uninstall entry for $folder"
}

# The uninstaller copies itself away and ends at once; the copy does the work.
check_uninstalled() {
    local folder=$1 name i
    echo 'Enable.Value=1' >"$folder/gen_ZEM.dll.ini"
    wine "$(winpath "$folder/gen_ZEM-uninstall.exe")" /S
    for i in $(seq 1 100); do
        [ -e "$folder/gen_ZEM-uninstall.exe" ] || [ -e "$folder/gen_ZEM.dll" ] || break
        sleep 0.1
    done
    for name in "${installed[@]}"; do
        [ -e "$folder/$name" ] && fail "left behind: $folder/$name"
    done
    [ -f "$folder/gen_ZEM.dll.ini" ] || fail "the user's settings file went: $folder/gen_ZEM.dll.ini"
    wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall entry stays"
}

# The player's installer recorded its folder.
player="$work/Winamp"
mkdir -p "$player/Plugins"
wine reg add "$player_key" /ve /d "$(winpath "$player")" /f >/dev/null
wine "$setup" /S || fail "the installer failed"
check_installed "$player/Plugins"
check_uninstalled "$player/Plugins"
[ -d "$player/Plugins" ] || fail "the Plugins folder went"

# The user chose another folder. (Wine would quote a path with a blank,
# and /D= takes no quotes.)
chosen="$work/Players/Winamp5/Plugins"
wine "$setup" /S "/D=$(winpath "$chosen")" || fail "the installer failed with /D="
check_installed "$chosen"
check_uninstalled "$chosen"

[ $status -eq 0 ] && echo "installed and uninstalled in $player/Plugins and $chosen"
exit $status
