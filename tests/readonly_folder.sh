#!/bin/sh
# A plug-in folder that its user cannot write, as a player's folder under
# Program Files is: a read-only bind mount of the folder onto itself.
#   readonly_folder.sh mount <folder> <plug-in DLL>
#       fills <folder> with the plug-in and a settings file that serves the
#       clients (as an administrator installed them), then makes it read-only
#   readonly_folder.sh unmount <folder>
# Mounting needs root; where it is refused the script fails, so the tests that
# need the folder fail too instead of passing without it.
set -u
action=$1
folder=$2

release() {
    while mountpoint -q "$folder"; do
        umount "$folder" || { echo "cannot unmount $folder"; exit 1; }
    done
}

case $action in
mount)
    release
    mkdir -p "$folder" && rm -f "$folder"/* && cp "$3" "$folder/gen_ZEM.dll" || exit 1
    cat > "$folder/gen_ZEM.dll.ini" <<'INI'
[ZER ozavod irozav]
Lang=Russian
[ZER ozavod irozav_Russian]
DelayV.Value=1
SetTray.Value=0
SetPicture.Value=1
SetStatus.Value=1
SetLongStatus.Value=1
Compatible.Value=0
Status.Value=%Status - %Artist
LongStatus.Value=%Status2: %Title
INI
    if ! mount --bind "$folder" "$folder" || ! mount -o remount,bind,ro "$folder"; then
        release
        echo "cannot make $folder read-only: a bind mount needs root"
        exit 1
    fi
    if touch "$folder/probe" 2>/dev/null; then
        rm -f "$folder/probe"
        release
        echo "$folder is still writable after the read-only mount"
        exit 1
    fi
    echo "$folder is read-only"
    ;;
unmount)
    release
    echo "$folder is writable again"
    ;;
*)
    echo "usage: $0 mount <folder> <dll> | unmount <folder>"
    exit 1
    ;;
esac
