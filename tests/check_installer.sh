#!/usr/bin/env bash
# Runs the installer silently under Wine against stand-in players (the
# stand-in player copied as winamp.exe): it finds the player as the player's
# installer records it, takes the one chosen with /D=, refuses a folder
# without the player and a player that runs, each time writing nothing, and
# fails where it cannot write, with the exit codes the README lists. Its uninstaller removes what the installer
# put there and the journals, and the user's settings files only when asked.
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
running=
user_plugins=/nonexistent
cleanup() {
    if [ -n "$running" ]; then
        wine taskkill /f /im winamp.exe >/dev/null 2>&1
        wait "$running"
    fi
    wine reg delete "$player_key" /f >/dev/null 2>&1
    wine reg delete "$uninstall_key" /f >/dev/null 2>&1
    rm -f "$user_plugins/gen_ZEM.dll.ini" "$user_plugins/gen_ZEM.dll.journal"
    rm -rf "$work"
}
trap cleanup EXIT
status=0
fail() { echo "$*"; status=1; }

installed=(gen_ZEM.dll gen_ZEM.html gen_ZEM-uninstall.exe)
write_failed=2
no_player=3
player_running=4

# A player's folder: the stand-in player as winamp.exe, and its Plugins folder.
make_player() {
    mkdir -p "$1/Plugins"
    cp "$build/bin/player.exe" "$1/winamp.exe"
}

# Runs the installer with the arguments after the first, expecting exit code $1.
install() {
    local expected=$1 rc
    shift
    wine "$setup" /S "$@"
    rc=$?
    [ $rc -eq "$expected" ] || fail "the installer /S $* exited with $rc, not $expected"
}

check_installed() {
    local folder=$1 name
    for name in "${installed[@]}"; do
        [ -f "$folder/$name" ] || fail "not installed: $folder/$name"
    done
    cmp -s "$folder/gen_ZEM.dll" "$build/bin/gen_ZEM.dll" || fail "$folder/gen_ZEM.dll is not the built DLL"
    wine reg query "$uninstall_key" /v InstallLocation 2>/dev/null | grep -qF "$(winpath "$folder")" ||
        fail "no uninstall entry for $folder"
}

# A refused install leaves no file in the folder and no uninstall entry.
check_nothing_written() {
    local folder=$1
    [ -z "$(ls -A "$folder" 2>/dev/null)" ] || fail "a refused install wrote into $folder: $(ls -A "$folder")"
    wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "a refused install made an uninstall entry"
}

# The per-user folder where the plug-in keeps its files when it may not
# write beside itself.
appdata=$(wine cmd /c echo '%APPDATA%' | tr -d '\r')
[ -n "$appdata" ] || { echo "Wine names no %APPDATA%"; exit 1; }
user_plugins="$(wine winepath -u "$appdata" | tr -d '\r')/Winamp/Plugins"

# Puts the settings and the journal beside the plug-in and into the per-user
# folders $2..., runs the uninstaller with the options in $1 and checks what
# is left: the settings files stay unless $1 asks to remove them.
check_uninstalled() {
    local folder=$1 options=$2 name i places
    shift 2
    places=("$folder" "$@")
    for i in "${places[@]}"; do
        mkdir -p "$i"
        echo 'Enable.Value=1' >"$i/gen_ZEM.dll.ini"
        echo 'journal' >"$i/gen_ZEM.dll.journal"
    done
    # The uninstaller copies itself away and ends at once; the copy does the
    # work, section by section: wait (10 s at most) until all it should
    # remove is gone.
    local doomed=()
    for name in "${installed[@]}"; do doomed+=("$folder/$name"); done
    for i in "${places[@]}"; do
        doomed+=("$i/gen_ZEM.dll.journal")
        [ -z "$options" ] || doomed+=("$i/gen_ZEM.dll.ini")
    done
    wine "$(winpath "$folder/gen_ZEM-uninstall.exe")" /S $options
    for i in $(seq 1 100); do
        [ -n "$(ls -d "${doomed[@]}" 2>/dev/null)" ] || break
        sleep 0.1
    done
    # The entry goes last.
    for i in $(seq 1 20); do
        wine reg query "$uninstall_key" >/dev/null 2>&1 || break
        sleep 0.2
    done
    for name in "${installed[@]}"; do
        [ -e "$folder/$name" ] && fail "left behind: $folder/$name"
    done
    for i in "${places[@]}"; do
        [ -e "$i/gen_ZEM.dll.journal" ] && fail "left behind: $i/gen_ZEM.dll.journal"
        if [ -z "$options" ]; then
            [ -f "$i/gen_ZEM.dll.ini" ] || fail "the user's settings file went: $i/gen_ZEM.dll.ini"
        else
            [ -e "$i/gen_ZEM.dll.ini" ] && fail "left behind with $options: $i/gen_ZEM.dll.ini"
        fi
        rm -f "$i/gen_ZEM.dll.ini"
    done
    wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstall entry stays"
}

# No player in the folder chosen: refused, and the folder is not even made.
refused="$work/NoPlayer"
install $no_player "/D=$(winpath "$refused")"
[ -e "$refused" ] && fail "a refused install made $refused"
check_nothing_written "$refused"

# The player's installer recorded its folder; the player names its own
# settings folder in paths.ini, as Winamp does.
player="$work/Winamp"
make_player "$player"
player_settings="$work/WinampSettings"
printf '[Winamp]\r\ninidir=%s\r\n' "$(winpath "$player_settings")" >"$player/paths.ini"
wine reg add "$player_key" /ve /d "$(winpath "$player")" /f >/dev/null
# A file that cannot be written (a folder stands in its way) fails the install.
mkdir "$player/Plugins/gen_ZEM.dll"
install $write_failed
wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "a failed install made an uninstall entry"
rm -rf "$player/Plugins"/*
install 0
check_installed "$player/Plugins"
check_uninstalled "$player/Plugins" "" "$user_plugins" "$player_settings/Plugins"
[ -d "$player/Plugins" ] || fail "the Plugins folder went"

# The player runs: a silent install waits a little, then gives up.
running_plugins="$work/RunningPlugins"
mkdir -p "$running_plugins"
cp "$build/bin/gen_ZEM.dll" "$running_plugins/"
echo 'file=C:\Music\a.mp3' >"$work/playlist.txt"
wine "$(winpath "$player/winamp.exe")" --plugins "$(winpath "$running_plugins")" \
    --playlist "$(winpath "$work/playlist.txt")" --log "$(winpath "$work/player.log")" &
running=$!
# The player makes its window before it loads the plug-ins.
for i in $(seq 1 100); do
    grep -q 'PLUGIN init' "$work/player.log" 2>/dev/null && break
    sleep 0.1
done
started=$(date +%s)
install $player_running
[ $(($(date +%s) - started)) -ge 4 ] || fail "the installer gave up without waiting for the player to close"
check_nothing_written "$player/Plugins"
wine taskkill /im winamp.exe >/dev/null 2>&1
wait "$running"
running=

# The user chose another player's folder; the uninstaller is asked to remove
# the settings too.
chosen="$work/Players/Winamp5"
make_player "$chosen"
install 0 "/D=$(winpath "$chosen")"
check_installed "$chosen/Plugins"
check_uninstalled "$chosen/Plugins" /REMOVESETTINGS "$user_plugins"

[ $status -eq 0 ] && echo "refused $refused and a running player; installed and uninstalled in $player and $chosen"
exit $status
