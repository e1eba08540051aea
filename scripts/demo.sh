#!/usr/bin/env bash
# Runs the demo of build tree $1 in a display and Wine server of its own and
# leaves its screenshots (PNG) and the stand-ins' logs in folder $2.
set -u
. "$(dirname "$0")/wine-env.sh" "$1"
out=$(mkdir -p "$2" && cd "$2" && pwd)
rm -rf "$out/run" "$out"/*.bmp "$out"/*.png

# Without a window manager Wine draws the windows' title bars itself only
# for windows it does not hand to one; the demo's programs get that, for
# this run only. The caption buttons are drawn with Wine's Marlett font.
demo_programs=(player.exe zem.exe rnq.exe)
app_key='HKCU\Software\Wine\AppDefaults'
fonts="$WINEPREFIX/drive_c/windows/Fonts"

zem_check_wine || exit 1
echo "The player, the clients and the plug-in run $(zem_wine_way)."
zem_start_display || exit 1
cleanup() {
    local program
    for program in "${demo_programs[@]}"; do
        "$ZEM_WINE" reg delete "$app_key\\$program" /f </dev/null >/dev/null 2>&1
    done
    "$WINESERVER" -k </dev/null >/dev/null 2>&1
    zem_stop_display
}
trap cleanup EXIT
zem_prepare_wine
for program in "${demo_programs[@]}"; do
    "$ZEM_WINE" reg add "$app_key\\$program\\X11 Driver" /v Managed /d N /f </dev/null >/dev/null 2>&1
done
if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
fi

# Wine shows the Unix root as drive Z:.
"$ZEM_WINE" "$zem_build/bin/demo.exe" "Z:${out//\//\\}" </dev/null
rc=$?

pictures=()
for bmp in "$out"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp" && pictures+=("${bmp%.bmp}.png")
done
echo
if [ ${#pictures[@]} -gt 0 ]; then
    echo "Screenshots:"
    printf '  %s\n' "${pictures[@]}"
fi
echo "Logs of the player and the clients: $out/run"
exit $rc
